#include "ini_volby.h"

#include "volby.h"

#include "engine/seznam_vynechanych_typu.h"
#include "settings/historie.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "settings/vynechane_typy_ini.h"

#include "engine/cas.h"
#include "engine/razeni.h"

#include <QDate>
#include <algorithm>
#include <string>

namespace zrc::cli {

namespace {

const QString volbaIni = QStringLiteral("ini");
const QString volbaHistorie = QStringLiteral("history");

// --ini names a file the user means: one that is missing or cannot be read as
// a settings file is an error, not an empty configuration.
std::optional<QString> overIni(const QString& cesta)
{
    if (const auto chyba = overCteniIni(cesta))
        return QStringLiteral("--ini: ") + *chyba;
    return std::nullopt;
}

} // namespace

QList<QCommandLineOption> iniVolby()
{
    return {
        QCommandLineOption(volbaIni, QStringLiteral(
            "Take the excluded types, the subdirectory defaults and the sort of the lists "
            "from this INI file of the window program (read only)."), QStringLiteral("PATH")),
        QCommandLineOption(volbaHistorie, QStringLiteral(
            "With --ini: take the options, and the directories unless DIR1 DIR2 are given, "
            "from history entry N, 1 to %1 (1 = the newest).").arg(MaxHistorie), QStringLiteral("N")),
    };
}

bool adresareZHistorie(const QCommandLineParser& p)
{
    return p.isSet(volbaIni) && p.isSet(volbaHistorie);
}

std::optional<QString> nactiZIni(const QCommandLineParser& p, bool maAdresare, VolbyCli& v)
{
    if (!p.isSet(volbaIni))
        return p.isSet(volbaHistorie) ? std::optional(QStringLiteral("--history needs --ini")) : std::nullopt;
    const QString cesta = p.value(volbaIni);
    if (const auto problem = overIni(cesta))
        return problem;
    const IniDokument d = nactiIni(cesta);
    v.ini = IniCli{cesta, d.ctiCislo(ini::Serazeni, ini::podle, 0), d.ctiCislo(ini::Serazeni, ini::typ, 0) == 1};
    v.nastaveni.ChB_adresar1 = d.ctiBool(ini::Podadresare, ini::pouzit, true);
    v.nastaveni.ChB_adresar2 = d.ctiBool(ini::Podadresare, ini::pouzit2, true);
    if (d.ctiBool(ini::Nastaveni, ini::jedensvazek, ini::vychoziJedenSvazek))
        v.jineSvazky = JineSvazky::Vynechat;
    if (!p.isSet(volbaHistorie))
        return std::nullopt;
    bool ok = false;
    const int n = p.value(volbaHistorie).toInt(&ok);
    if (!ok || n < 1 || n > MaxHistorie)
        return QStringLiteral("--history: expected a number from 1 to %1").arg(MaxHistorie);
    const auto zaznam = HistorieNacti(cesta, n, maAdresare, QDate::currentDate(), v.nastaveni);
    if (!zaznam)
        return QStringLiteral("--history: %1 has no history entry %2").arg(cesta).arg(n);
    v.nastaveni = *zaznam;
    // Loading an entry with a filter in "za posledních" fills that filter's
    // time field, which switches the date column to hours and minutes in the
    // window; the printed lists follow it.
    if (v.nastaveni.CB_Filtr_1 == int(RezimFiltru::ZaPoslednich)
        || v.nastaveni.CB_Filtr_2 == int(RezimFiltru::ZaPoslednich))
        v.formatCasu = DlouhyFormatCasu::HodinyMinuty;
    return std::nullopt;
}

std::unique_ptr<VynechaneTypy> zdrojVynechanychTypu(const VolbyCli& v)
{
    if (v.ini && v.vynechaneTypy.empty())
        return std::make_unique<VynechaneTypyIni>(v.ini->cesta);
    return std::make_unique<SeznamVynechanychTypu>(v.vynechaneTypy);
}

void seradPodleIni(UlozisteVysledku& u, const VolbyCli& v)
{
    if (!v.ini || v.ini->podle < 1 || v.ini->podle > pocetSloupcu)
        return;
    const auto sloupec = static_cast<Sloupec>(v.ini->podle - 1);
    for (int s = 1; s <= UlozisteVysledku::pocetSeznamu; ++s)
        seradSeznam(u, s, sloupec, v.ini->vzestupne);   // the window's own order
}

} // namespace zrc::cli
