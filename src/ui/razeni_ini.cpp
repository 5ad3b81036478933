#include "ui/razeni_ini.h"

#include "settings/ini_soubor.h"
#include "settings/klice.h"

namespace zrc {

std::optional<int> NactiRazeni(const QString& cestaIni, SdileneRazeni& razeni)
{
    const int podle = IniCtiCislo(cestaIni, ini::Serazeni, ini::podle, 0);
    const int typ = IniCtiCislo(cestaIni, ini::Serazeni, ini::typ, 0);
    razeni.RazeniVzestupne = typ == 1;
    if (podle < 1 || podle > pocetSloupcu)
        return std::nullopt;
    return podle - 1;
}

} // namespace zrc
