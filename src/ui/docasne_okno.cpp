#include "ui/docasne_okno.h"

#include "operace/chyba_souboru.h"
#include "operace/mazani_docasnych.h"
#include "ui/hlaseni.h"
#include "util/bajty_cesty.h"

namespace zrc {

namespace {

// Five paths keep the box within the screen; the rest is a count.
constexpr std::size_t ukazanych = 5;

QString pocet(std::size_t n)
{
    return QString::fromStdString(pocetDocasnych(n));
}

QString seznamCest(const std::vector<std::string>& cesty)
{
    QString s;
    for (std::size_t i = 0; i < cesty.size() && i < ukazanych; ++i)
        s += QStringLiteral("\r") + textZBajtu(cesty[i]);
    if (cesty.size() > ukazanych)
        s += QStringLiteral("\r... a další (%1)").arg(cesty.size() - ukazanych);
    return s;
}

} // namespace

QString textDocasnych(const std::vector<NalezenyDocasny>& docasne, Mazani mazani)
{
    std::vector<std::string> cesty;
    for (const NalezenyDocasny& d : docasne)
        cesty.push_back(d.cesta());
    return QStringLiteral("Porovnání vynechalo %1 přerušeného kopírování "
                          "(jména tvaru .jméno.xxxxxx.zrtmp), v seznamech nejsou:")
               .arg(pocet(docasne.size())) +
           seznamCest(cesty) +
           (mazani == Mazani::DoKose ? QStringLiteral("\rPřesunout je do koše?")
                                     : QStringLiteral("\rSmazat je natrvalo?"));
}

void nabidniSmazaniDocasnych(const std::vector<NalezenyDocasny>& docasne, Mazani mazani)
{
    if (docasne.empty() || Hlaseni(textDocasnych(docasne, mazani), DruhHlaseni::Potvrzeni,
                                   Tlacitko::Ano | Tlacitko::Ne) != Odpoved::Ano)
        return;
    const VysledekMazaniDocasnych v = smazDocasne(docasne, {.mazani = mazani});
    if (v.nesmazane.empty())
        return;
    std::vector<std::string> popisy;
    for (const NesmazanyDocasny& n : v.nesmazane)
        popisy.push_back(n.cesta + " (" + textChyby(n.chyba) + ")");
    Hlaseni(QStringLiteral("Nelze odstranit %1:").arg(pocet(popisy.size())) + seznamCest(popisy),
            DruhHlaseni::Chyba, Tlacitko::OK);
}

} // namespace zrc
