// What an undo can do, judged from the disk before it starts.

#include "operace/vraceni.h"

#include "operace/plan_operace.h"

#include <cerrno>

namespace zrc {

namespace {

enum class StavVraceni : std::uint8_t {
    Lze,        // the record can be undone now
    Nelze,      // changed since, or its place taken
    Natrvalo,   // deleted permanently by the operation
    Nic,        // nothing was done (a failed or skipped item)
};

bool stejny(platform::Syscalls& sys, const std::string& cesta, const Identita& i)
{
    struct stat st {};
    return sys.fstatAt(AT_FDCWD, cesta.c_str(), st, AT_SYMLINK_NOFOLLOW).ok() && Identita::ze(st) == i;
}

bool volno(platform::Syscalls& sys, const std::string& cesta)
{
    struct stat st {};
    const auto r = sys.fstatAt(AT_FDCWD, cesta.c_str(), st, AT_SYMLINK_NOFOLLOW);
    return r.err == ENOENT;
}

bool existuje(platform::Syscalls& sys, const std::string& cesta)
{
    struct stat st {};
    return sys.fstatAt(AT_FDCWD, cesta.c_str(), st, AT_SYMLINK_NOFOLLOW).ok();
}

// A look at the disk, nothing changed.
StavVraceni posudZaznam(const ZaznamDeniku& z, platform::Syscalls& sys)
{
    const std::string vKosi = z.kos + "/files/" + z.vKosi;
    switch (z.druh) {
    case DruhZaznamu::Chyba: return StavVraceni::Nic;
    case DruhZaznamu::Smazano: return StavVraceni::Natrvalo;
    case DruhZaznamu::DoKose:
        return stejny(sys, vKosi, z.identita) && volno(sys, z.cesta) ? StavVraceni::Lze : StavVraceni::Nelze;
    case DruhZaznamu::Kopie:
        return stejny(sys, z.cil, z.identita) ? StavVraceni::Lze : StavVraceni::Nelze;
    case DruhZaznamu::Presun:
        return stejny(sys, z.cil, z.identita) && volno(sys, z.cesta) ? StavVraceni::Lze : StavVraceni::Nelze;
    case DruhZaznamu::Nahrazeno:
        if (z.kos.empty())
            return StavVraceni::Natrvalo;
        return stejny(sys, z.cil, z.identita) && existuje(sys, vKosi) && (z.cesta.empty() || volno(sys, z.cesta))
                   ? StavVraceni::Lze
                   : StavVraceni::Nelze;
    }
    return StavVraceni::Nic;
}

} // namespace

PlanVraceni naplanujVraceni(const Denik& d, platform::Syscalls* sys)
{
    auto& s = sys ? *sys : platform::realSyscalls();
    PlanVraceni p;
    for (const auto& z : d.zaznamy) {
        switch (posudZaznam(z, s)) {
        case StavVraceni::Lze: ++p.lze; break;
        case StavVraceni::Nelze: ++p.zmeneno; break;
        case StavVraceni::Natrvalo: ++p.natrvalo; break;
        case StavVraceni::Nic: break;
        }
    }
    return p;
}

std::string textPlanuVraceni(const PlanVraceni& p)
{
    std::string s = "vrátí " + pocetSouboru(p.lze);
    if (p.zmeneno)
        s += ", " + std::to_string(p.zmeneno) + " nelze: byly mezitím změněny";
    if (p.natrvalo)
        s += ", " + std::to_string(p.natrvalo) + " nelze: smazány natrvalo";
    return s;
}

std::string textPoVraceni(const VysledekVraceni& v)
{
    std::string s = "Vráceno: " + pocetSouboru(std::int64_t(v.vraceno));
    if (v.nevraceno)
        s += ", nevráceno: " + std::to_string(v.nevraceno);
    return s + ".";
}

HlavickaDeniku hlavickaOperace(const ZadaniOperace& z)
{
    const auto druh = !z.operace.kopie ? DruhDeniku::Odstraneni
                      : z.operace.odstraneni ? DruhDeniku::Presun : DruhDeniku::Kopie;
    return {.druh = druh, .zdroj = z.zdroj, .cil = z.cil, .cas = std::time(nullptr)};
}

HlavickaDeniku hlavickaVraceni(const Denik& d)
{
    return {.druh = DruhDeniku::Vraceni, .zdroj = d.hlavicka.zdroj, .cil = d.hlavicka.cil,
            .cas = std::time(nullptr)};
}

} // namespace zrc
