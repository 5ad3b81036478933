#include "engine/strom_strany.h"

#include <algorithm>
#include <cstring>

namespace zrc {

StromStran::StromStran(std::string zaklad1, std::string zaklad2)
    : zaklad_{std::move(zaklad1), std::move(zaklad2)}
{
    uzly_.emplace_back();
}

UzelStromu& StromStran::pridej(UzelStromu& rodic, std::string_view jmeno)
{
    UzelStromu& u = uzly_.emplace_back();
    u.rodic = &rodic;
    u.jmeno = jmena_.uloz(jmeno);
    u.index = static_cast<std::uint32_t>(uzly_.size() - 1);
    u.hloubka = rodic.hloubka + 1;
    return u;
}

// Names are gathered leaf first and joined root first: one pass up, one copy.
void StromStran::relativniCesta(const UzelStromu& u, std::string& cil) const
{
    cil.clear();
    std::size_t delka = 0;
    for (const UzelStromu* x = &u; x->rodic; x = x->rodic)
        delka += x->jmeno.size() + 1;
    if (delka == 0)
        return;
    cil.resize(delka - 1);
    std::size_t konec = delka - 1;
    for (const UzelStromu* x = &u; x->rodic; x = x->rodic) {
        konec -= x->jmeno.size();
        std::memcpy(cil.data() + konec, x->jmeno.data(), x->jmeno.size());
        if (konec > 0)
            cil[--konec] = '/';
    }
}

std::string StromStran::plnaCesta(int strana, const UzelStromu& u) const
{
    std::string rel;
    relativniCesta(u, rel);
    std::string plna = zaklad_[strana];
    if (rel.empty())
        return plna;
    if (plna.empty() || plna.back() != '/')
        plna.push_back('/');
    plna.append(rel);
    return plna;
}

} // namespace zrc
