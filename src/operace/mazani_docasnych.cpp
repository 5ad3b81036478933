#include "operace/mazani_docasnych.h"

#include "engine/docasne_soubory.h"
#include "platform/syscalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace zrc {

namespace {

int bezZmizelych(const platform::SysResult& r)
{
    return r.err == ENOENT ? 0 : r.err;
}

int smazJeden(platform::Syscalls& sys, const std::string& cesta)
{
    const auto lomitko = cesta.rfind('/');
    if (lomitko == std::string::npos)
        return EINVAL;
    const std::string jmeno = cesta.substr(lomitko + 1);
    if (!jeDocasnySoubor(jmeno))
        return EINVAL;
    const std::string adresar = lomitko == 0 ? "/" : cesta.substr(0, lomitko);
    const auto o = sys.openAt(AT_FDCWD, adresar.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (!o.ok())
        return bezZmizelych(o);
    const platform::Fd fd(sys, static_cast<int>(o.value));
    struct stat st {};
    if (const auto s = sys.fstatAt(fd.get(), jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW); !s.ok())
        return bezZmizelych(s);
    if (!S_ISREG(st.st_mode))
        return EISDIR;   // no longer the file the comparison met
    return bezZmizelych(sys.unlinkAt(fd.get(), jmeno.c_str(), 0));
}

} // namespace

std::vector<NesmazanyDocasny> smazDocasne(const std::vector<std::string>& cesty,
                                          platform::Syscalls* sys)
{
    platform::Syscalls& s = sys ? *sys : platform::realSyscalls();
    std::vector<NesmazanyDocasny> chyby;
    for (const std::string& c : cesty)
        if (const int err = smazJeden(s, c))
            chyby.push_back({c, err});
    return chyby;
}

} // namespace zrc
