#include "operace/souhrn_operace.h"

#include "operace/plan_operace.h"
#include "util/velikost_text.h"

namespace zrc {

namespace {

const char* sloveso(DruhSouhrnu d)
{
    switch (d) {
    case DruhSouhrnu::Kopie: return "Zkopírováno";
    case DruhSouhrnu::Presun: return "Přesunuto";
    case DruhSouhrnu::Smazani: return "Smazáno";
    case DruhSouhrnu::DoKose: return "Přesunuto do koše";
    case DruhSouhrnu::Nahrazeni: return "Nahrazeno";
    }
    return "Provedeno";
}

// A deletion into the trash that met a disk without one: the verb is the
// permanent one, the trashed part is named after it.
DruhSouhrnu druhPodleKose(const SouhrnOperace& s)
{
    if (s.druh == DruhSouhrnu::DoKose && s.doKose < s.souboru)
        return DruhSouhrnu::Smazani;
    return s.druh;
}

} // namespace

DruhSouhrnu druhOperace(const Operace& o, bool smazanoDoKose)
{
    if (o.nahrazeni)
        return DruhSouhrnu::Nahrazeni;
    if (o.kod == KodOperace::Odstraneni)
        return smazanoDoKose ? DruhSouhrnu::DoKose : DruhSouhrnu::Smazani;
    return o.odstraneni ? DruhSouhrnu::Presun : DruhSouhrnu::Kopie;
}

std::string textSouhrnu(const SouhrnOperace& s)
{
    const DruhSouhrnu druh = druhPodleKose(s);
    std::string t = std::string(sloveso(druh)) + ": " + pocetSouboru(s.souboru) + ", " + velikostTextem(s.bajtu);
    if (s.druh == DruhSouhrnu::DoKose && druh == DruhSouhrnu::Smazani && s.doKose > 0)
        t += ", z toho do koše: " + std::to_string(s.doKose);
    if (s.druh != DruhSouhrnu::DoKose && s.druh != DruhSouhrnu::Smazani && s.doKose > 0)
        t += ", staré verze v koši";
    if (s.neprovedeno > 0)
        t += ", neprovedeno: " + std::to_string(s.neprovedeno) + " (viz chyby operace)";
    return t + ".";
}

} // namespace zrc
