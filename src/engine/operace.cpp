#include "engine/operace.h"
#include "engine/beh_operace.h"

namespace zrc {

KodOperace kodOperace(int kod)
{
    return kod >= 1 && kod <= 6 ? static_cast<KodOperace>(kod) : KodOperace::Kopie;
}

VlastnostiKodu vlastnostiKodu(KodOperace kod, int seznam)
{
    switch (kod) {
    case KodOperace::Odstraneni:
        return {.kopie = false, .mazani = true, .protejsek = seznam >= 5 && seznam <= 8};
    case KodOperace::Presun:
        return {.kopie = true, .mazani = true};
    case KodOperace::KopieSProtejskem:
        return {.kopie = true, .protejsek = true};
    case KodOperace::PresunSProtejskem:
        return {.kopie = true, .mazani = true, .protejsek = true};
    case KodOperace::KopieSPonechanim:
        return {.kopie = true, .odchazi = false};
    case KodOperace::Kopie:
        break;
    }
    return {.kopie = true};
}

const char* titulekKodu(KodOperace kod)
{
    switch (kod) {
    case KodOperace::Odstraneni: return "Odstranění:";
    case KodOperace::Presun:
    case KodOperace::PresunSProtejskem: return "Přesun:";
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
