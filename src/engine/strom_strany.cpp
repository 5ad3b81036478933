#include "engine/strom_strany.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zrc {

StromStran::StromStran(std::string zaklad1, std::string zaklad2)
    : zaklad_{std::move(zaklad1), std::move(zaklad2)}
{
    uzly_.emplace_back();
}

// A walk that stopped early leaves directories open.
StromStran::~StromStran()
{
    for (UzelStromu& u : uzly_)
        for (int strana = 0; strana < 2; ++strana)
            u.zavriAdresar(strana);
}

void UzelStromu::zavriAdresar(int strana)
{
    // The walk's directories are opened through the real system calls
    // (platform::openSubdirectory), and closed through them.
    platform::DirectoryHandle(platform::realSyscalls(), std::exchange(adresar[strana], -1)).reset();
}

UzelStromu& StromStran::pridej(UzelStromu& rodic, std::string_view jmeno)
{
    UzelStromu& u = uzly_.emplace_back();
    u.rodic = &rodic;
    u.jmenoBajty = jmena_.uloz(jmeno).data();
    u.delkaJmena = static_cast<std::uint16_t>(jmeno.size());
    const auto index = static_cast<std::uint32_t>(uzly_.size() - 1);
    if (rodic.pocetDeti++ == 0)
        rodic.prvniDite = index;
    u.hloubka = rodic.hloubka + 1;
    return u;
}

void StromStran::seradDoSirky()
{
    poradi_.clear();
    poradi_.reserve(uzly_.size());
    poradi_.push_back(0);
    for (std::size_t k = 0; k < poradi_.size(); ++k) {
        UzelStromu& u = uzly_[poradi_[k]];
        u.index = static_cast<std::uint32_t>(k);
        for (std::uint32_t d = 0; d < u.pocetDeti; ++d)
            poradi_.push_back(u.prvniDite + d);
    }
}

// Names are gathered leaf first and joined root first: one pass up, one copy.
void StromStran::relativniCesta(const UzelStromu& u, std::string& cil) const
{
    cil.clear();
    std::size_t delka = 0;
    for (const UzelStromu* x = &u; x->rodic; x = x->rodic)
        delka += x->delkaJmena + 1u;
    if (delka == 0)
        return;
    cil.resize(delka - 1);
    std::size_t konec = delka - 1;
    for (const UzelStromu* x = &u; x->rodic; x = x->rodic) {
        konec -= x->delkaJmena;
        std::memcpy(cil.data() + konec, x->jmenoBajty, x->delkaJmena);
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
