#include "ui/docasne_okno.h"

#include "operace/chyba_souboru.h"
#include "engine/docasne_soubory.h"
#include "operace/mazani_docasnych.h"
#include "ui/hlaseni.h"
#include "util/bajty_cesty.h"

namespace zrc {

namespace {

// Five paths keep the box within the screen; the rest is a count.
constexpr std::size_t ukazanych = 5;

// "1 dočasný soubor", "3 dočasné soubory", "5 dočasných souborů".
QString pocetDocasnych(std::size_t n)
{
    const char* tvar = n == 1 ? "dočasný soubor" : (n >= 2 && n <= 4) ? "dočasné soubory" : "dočasných souborů";
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(tvar);
}

QString seznamCest(const std::vector<std::string>& cesty, std::size_t pocet)
{
    QString s;
    for (std::size_t i = 0; i < cesty.size() && i < ukazanych; ++i)
        s += QStringLiteral("\r") + textZBajtu(cesty[i]);
    if (pocet > ukazanych)
        s += QStringLiteral("\r... a další (%1)").arg(pocet - ukazanych);
    return s;
}

} // namespace

QString textDocasnych(const std::vector<std::string>& cesty)
{
    return QStringLiteral("Porovnání našlo %1 přerušeného kopírování:").arg(pocetDocasnych(cesty.size())) +
           seznamCest(cesty, cesty.size()) + QStringLiteral("\rSmazat je natrvalo?");
}

void nabidniSmazaniDocasnych(const std::vector<std::string>& cesty)
{
    if (cesty.empty() ||
        Hlaseni(textDocasnych(cesty), DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne) != Odpoved::Ano)
        return;
    const std::vector<NesmazanyDocasny> chyby = smazDocasne(cesty);
    if (chyby.empty())
        return;
    std::vector<std::string> popisy;
    for (const NesmazanyDocasny& c : chyby)
        popisy.push_back(c.cesta + " (" + textChyby(ChybaSouboru::systemu(c.err)) + ")");
    Hlaseni(QStringLiteral("Nelze smazat %1:").arg(pocetDocasnych(chyby.size())) + seznamCest(popisy, chyby.size()),
            DruhHlaseni::Chyba, Tlacitko::OK);
}

} // namespace zrc
