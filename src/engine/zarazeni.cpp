#include "engine/zarazeni.h"

namespace zrc {

namespace {

Trida podleVelikosti(const SouborVypisu& a, const SouborVypisu& b)
{
    return a.velikost > b.velikost ? Trida::Vetsi : Trida::Mensi;
}

} // namespace

std::optional<Rozdil> tridaRozdilu(const SouborVypisu& a, const SouborVypisu* b, PrevodCasu& prevod)
{
    if (!b)
        return Rozdil{Trida::Nove, prevod.baleny(a.sekundy)};
    if (a.sekundy == b->sekundy) {
        if (a.velikost == b->velikost)
            return std::nullopt;
        return Rozdil{podleVelikosti(a, *b), prevod.baleny(a.sekundy)};
    }
    const BalenyCas ca = prevod.baleny(a.sekundy);
    const BalenyCas cb = prevod.baleny(b->sekundy);
    if (ca > cb)
        return Rozdil{Trida::Novejsi, ca};
    if (ca == cb && a.velikost != b->velikost)
        return Rozdil{podleVelikosti(a, *b), ca};
    return std::nullopt;
}

RozdilyParu tridyParu(const SouborVypisu& a, const SouborVypisu& b, PrevodCasu& prevod)
{
    if (a.sekundy == b.sekundy) {
        if (a.velikost == b.velikost)
            return {};
        const BalenyCas c = prevod.baleny(a.sekundy);
        return {Rozdil{podleVelikosti(a, b), c}, Rozdil{podleVelikosti(b, a), c}};
    }
    // Two 2-second steps apart or more under one offset, the later file is the
    // newer: only its time, the one that reaches a list, is packed.
    const std::int64_t rozdil = a.sekundy - b.sekundy;
    if ((rozdil >= 2 || rozdil <= -2) && prevod.stejnyPosun(a.sekundy, b.sekundy)) {
        if (rozdil > 0)
            return {Rozdil{Trida::Novejsi, prevod.baleny(a.sekundy)}, std::nullopt};
        return {std::nullopt, Rozdil{Trida::Novejsi, prevod.baleny(b.sekundy)}};
    }
    const BalenyCas ca = prevod.baleny(a.sekundy);
    const BalenyCas cb = prevod.baleny(b.sekundy);
    if (ca > cb)
        return {Rozdil{Trida::Novejsi, ca}, std::nullopt};
    if (cb > ca)
        return {std::nullopt, Rozdil{Trida::Novejsi, cb}};
    if (a.velikost == b.velikost)
        return {};
    return {Rozdil{podleVelikosti(a, b), ca}, Rozdil{podleVelikosti(b, a), cb}};
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

std::optional<Rozdil> zarad(const SouborVypisu& a, const SouborVypisu* b,
                            std::string_view jmeno, const KontextZarazeni& k, PrevodCasu& prevod)
{
    const std::optional<Rozdil> r = tridaRozdilu(a, b, prevod);
    if (!r || !prijmout(r->trida, jmeno, r->cas, k))
        return std::nullopt;
    return r;
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
