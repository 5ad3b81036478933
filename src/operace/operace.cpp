#include "operace/operace.h"
#include "operace/beh_operace.h"

namespace zrc {

Prepis prepisOperace(const Operace& o)
{
    const bool nove = CisloSeznamu(o.seznam).nove();
    return nove && o.cil != Strana::Zvoleny ? Prepis::JenNovy : Prepis::Nahradit;
}

const char* titulekKodu(KodOperace kod)
{
    switch (kod) {
    case KodOperace::Odstraneni: return "Odstranění:";
    case KodOperace::Presun:
    case KodOperace::PresunSDvojcetem: return "Přesun:";
    case KodOperace::Vraceni: return "Vrácení:";
    default: return "Kopírování:";
    }
}

VysledekOperace ProvedOperaci(const ZadaniOperace& z, RozhraniOperace& r, const VolbyOperace& volby)
{
    return BehOperace(z, r, volby).proved();
}

std::int64_t VelikostSouboru(const std::string& cesta, platform::Syscalls* sys)
{
    auto& s = sys ? *sys : platform::realSyscalls();
    struct stat st {};
    if (!s.fstatAt(AT_FDCWD, cesta.c_str(), st, AT_SYMLINK_NOFOLLOW).ok())
        return -1;
    return st.st_size;
}

} // namespace zrc
