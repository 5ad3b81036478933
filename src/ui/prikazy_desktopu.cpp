#include "ui/prikazy_desktopu.h"

#include "engine/cislo_seznamu.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "ui/hlaseni.h"
#include "ui/seznam_vysledku.h"
#include "ui/spoustec.h"
#include "ui/stranky_vysledku.h"
#include "util/bajty_cesty.h"

#include <QStandardPaths>
#include <filesystem>
#include <optional>

namespace zrc {

namespace {

struct Par {
    std::string vlastni, protejsi;   // full paths, bytes
    int seznam;
};

std::optional<Par> fokusovanaPolozka(StrankyVysledku& v)
{
    SeznamVysledku* s = v.AktivniSeznam();
    const QModelIndex i = s->currentIndex();
    if (!i.isValid())
        return std::nullopt;
    const UlozisteVysledku& u = v.uloziste();
    const Polozka& p = u.seznam(s->tag())[std::size_t(i.row())];
    return Par{plnaCesta(u, s->tag(), p), cestaProtejsku(u, s->tag(), p), s->tag()};
}

// A regular file (or a link to one) at the path; else the message, and false.
bool existuje(const std::string& cesta)
{
    std::error_code e;
    if (std::filesystem::is_regular_file(std::filesystem::path(cesta), e))
        return true;
    Hlaseni(QStringLiteral("Soubor neexistuje:\r") + textProZobrazeni(cesta), DruhHlaseni::Informace,
            Tlacitko::OK);
    return false;
}

void nespusteno(const QString& co)
{
    Hlaseni(QStringLiteral("Nelze spustit: ") + co, DruhHlaseni::Chyba, Tlacitko::OK);
}

} // namespace

void otevriPolozku(StrankyVysledku& v)
{
    const auto p = fokusovanaPolozka(v);
    if (p && existuje(p->vlastni) && !v.spoustec().otevri(urlSouboru(p->vlastni)))
        nespusteno(QStringLiteral("výchozí aplikace souboru ") + textProZobrazeni(p->vlastni));
}

void ukazUmisteniPolozky(StrankyVysledku& v)
{
    const auto p = fokusovanaPolozka(v);
    if (p && existuje(p->vlastni) && !v.spoustec().ukazUmisteni(urlSouboru(p->vlastni)))
        nespusteno(QStringLiteral("správce souborů"));
}

// Paths go to the program as text: a name that is not UTF-8 cannot be passed
// through QProcess unchanged, and is refused with a message instead.
void porovnejVProgramu(StrankyVysledku& v)
{
    const auto p = fokusovanaPolozka(v);
    if (!p || !existuje(p->vlastni) || !existuje(p->protejsi))
        return;
    const QString program = porovnavac(v.cestaIni());
    const bool levy = CisloSeznamu(p->seznam).levy();
    const QString a = textZBajtu(levy ? p->vlastni : p->protejsi);
    const QString b = textZBajtu(levy ? p->protejsi : p->vlastni);
    if (obsahujeNeplatneZnaky(a) || obsahujeNeplatneZnaky(b)) {
        Hlaseni(QStringLiteral("Jméno souboru není platný text UTF-8, nelze je předat programu ") + program,
                DruhHlaseni::Informace, Tlacitko::OK);
        return;
    }
    if (program.isEmpty() || !v.spoustec().spust(program, {a, b}))
        nespusteno(program);
}

const QStringList& znamePorovnavace()
{
    static const QStringList programy{QStringLiteral("meld"), QStringLiteral("kdiff3"),
                                      QStringLiteral("kompare"), QStringLiteral("diffuse")};
    return programy;
}

QStringList nainstalovanePorovnavace()
{
    QStringList v;
    for (const QString& p : znamePorovnavace())
        if (!QStandardPaths::findExecutable(p).isEmpty())
            v << p;
    return v;
}

QString porovnavac(const QString& cestaIni)
{
    const QString nastaveny = IniCtiText(cestaIni, ini::Nastaveni, ini::porovnavac, QString()).trimmed();
    if (!nastaveny.isEmpty() && !QStandardPaths::findExecutable(nastaveny).isEmpty())
        return nastaveny;
    // The first installed one, looked for only up to it: this runs each time
    // the list menu opens.
    for (const QString& p : znamePorovnavace())
        if (!QStandardPaths::findExecutable(p).isEmpty())
            return p;
    return {};
}

} // namespace zrc
