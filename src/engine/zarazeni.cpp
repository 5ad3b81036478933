#include "engine/zarazeni.h"

namespace zrc {

std::optional<Trida> tridaRozdilu(const SouborVypisu& a, const SouborVypisu* b)
{
    if (!b)
        return Trida::Nove;
    if (a.cas > b->cas)
        return Trida::Novejsi;
    if (a.cas == b->cas && a.velikost > b->velikost)
        return Trida::Vetsi;
    if (a.cas == b->cas && a.velikost < b->velikost)
        return Trida::Mensi;
    return std::nullopt;
}

bool prijmout(Trida t, std::string_view jmeno, BalenyCas cas, const KontextZarazeni& k)
{
    if (k.vynechaneTypy && k.vynechaneTypy->jeVynechanyTyp(jmeno))
        return false;
    bool casovyFiltr = k.volby.ChB_Filtr_1.load(std::memory_order_relaxed);
    if (casovyFiltr && (t == Trida::Vetsi || t == Trida::Mensi))
        casovyFiltr = !k.volby.ChBIgnorCasFiltr.load(std::memory_order_relaxed);
    return !(casovyFiltr && !VyhovujeSoubor(cas, k.limity));
}

std::optional<Trida> zarad(const SouborVypisu& a, const SouborVypisu* b,
                           std::string_view jmeno, const KontextZarazeni& k)
{
    const std::optional<Trida> t = tridaRozdilu(a, b);
    if (!t || !prijmout(*t, jmeno, a.cas, k))
        return std::nullopt;
    return t;
}

bool ShodaUrovne(int hloubka, int urovenShody, bool protejsekExistuje, bool predekExistuje)
{
    if (urovenShody <= 0)
        return true;
    if (hloubka == 0)
        return false;
    return hloubka <= urovenShody ? protejsekExistuje : predekExistuje;
}

} // namespace zrc
