#include "operace/prorezavani.h"
#include "operace/operace.h"

#include <vector>

namespace zrc {

namespace {

std::vector<std::string> slozky(std::string_view cesta)
{
    std::vector<std::string> v;
    std::size_t od = 0;
    while (od <= cesta.size()) {
        auto konec = cesta.find('/', od);
        if (konec == std::string_view::npos)
            konec = cesta.size();
        if (konec > od)
            v.emplace_back(cesta.substr(od, konec - od));
        od = konec + 1;
    }
    return v;
}

// Opens the first n components below the base, never through a link.
platform::Fd otevriRetez(platform::Syscalls& sys, int zaklad, const std::vector<std::string>& s,
                         std::size_t n)
{
    constexpr int priznaky = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    auto r = sys.openAt(zaklad, ".", priznaky);
    platform::Fd fd(sys, r.ok() ? static_cast<int>(r.value) : -1);
    for (std::size_t i = 0; i < n && fd.valid(); ++i) {
        r = sys.openAt(fd.get(), s[i].c_str(), priznaky);
        fd = platform::Fd(sys, r.ok() ? static_cast<int>(r.value) : -1);
    }
    return fd;
}

} // namespace

int prorezejAdresare(platform::Syscalls& sys, int zakladFd, std::string_view podadr, int uroven)
{
    const auto s = slozky(podadr);
    const std::size_t ponechat = uroven > 0 ? static_cast<std::size_t>(uroven) : 0;
    int odstraneno = 0;
    for (std::size_t hloubka = s.size(); hloubka > ponechat; --hloubka) {
        const auto rodic = otevriRetez(sys, zakladFd, s, hloubka - 1);
        if (!rodic.valid() ||
            !sys.unlinkAt(rodic.get(), s[hloubka - 1].c_str(), AT_REMOVEDIR).ok())
            break;
        ++odstraneno;
    }
    return odstraneno;
}

void SmazPrazdneAdresare(int zakladFd, std::string_view podadr, int uroven,
                         platform::Syscalls& sys)
{
    prorezejAdresare(sys, zakladFd, podadr, uroven);
}

void SmazPrazdneAdresare(const std::string& adresar, const std::string& zaklad, int uroven,
                         platform::Syscalls* sys)
{
    auto& s = sys ? *sys : platform::realSyscalls();
    std::string_view z = zaklad;
    while (z.size() > 1 && z.back() == '/')
        z.remove_suffix(1);
    std::string_view a = adresar;
    const std::string_view predpona = z == "/" ? std::string_view{} : z;
    if (!a.starts_with(predpona) || a.size() <= predpona.size() + 1 || a[predpona.size()] != '/')
        return;   // not below the base: the base itself is never removed
    const auto r = s.openAt(AT_FDCWD, std::string(z).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!r.ok())
        return;
    platform::Fd fd(s, static_cast<int>(r.value));
    prorezejAdresare(s, fd.get(), a.substr(predpona.size() + 1), uroven);
}

std::int64_t volneMisto(platform::Syscalls& sys, const std::string& adresar)
{
    std::string cesta = adresar.empty() ? std::string(".") : adresar;
    for (;;) {
        const auto r = sys.openAt(AT_FDCWD, cesta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (r.ok()) {
            platform::Fd fd(sys, static_cast<int>(r.value));
            struct statvfs st {};
            if (!sys.fstatvfs(fd.get(), st).ok())
                return -1;
            return static_cast<std::int64_t>(st.f_bavail) * static_cast<std::int64_t>(st.f_frsize);
        }
        const auto lomitko = cesta.find_last_of('/');
        if (lomitko == std::string::npos || cesta == "/")
            return -1;
        cesta.resize(lomitko == 0 ? 1 : lomitko);
    }
}

} // namespace zrc
