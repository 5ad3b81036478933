#include "platform/odkazy.h"

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc::platform {

namespace {

// Linux follows at most 40 links in one path lookup (MAXSYMLINKS); a longer
// chain would fail at the open anyway, and a loop must end somewhere.
constexpr int nejviceOdkazu = 40;

// cil read from the link at cesta, made to count from where the link is.
std::string vuciOdkazu(const std::string& cesta, const std::string& cil)
{
    if (cil.starts_with('/'))
        return cil;
    const std::size_t lomitko = cesta.rfind('/');
    return lomitko == std::string::npos ? cil : cesta.substr(0, lomitko + 1) + cil;
}

} // namespace

SysResult cilOdkazu(const std::string& cesta, std::string& cil)
{
    cil = cesta;
    for (int i = 0; i <= nejviceOdkazu; ++i) {
        struct stat st {};
        if (::lstat(cil.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return {};
        if (i == nejviceOdkazu)
            break;
        char obsah[PATH_MAX];
        const ssize_t n = ::readlink(cil.c_str(), obsah, sizeof obsah);
        if (n < 0)
            return SysResult::fail(errno);
        if (n == static_cast<ssize_t>(sizeof obsah))
            return SysResult::fail(ENAMETOOLONG);
        cil = vuciOdkazu(cil, std::string(obsah, static_cast<std::size_t>(n)));
    }
    return SysResult::fail(ELOOP);
}

} // namespace zrc::platform
