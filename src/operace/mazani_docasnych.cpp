#include "operace/mazani_docasnych.h"

#include "engine/docasne_soubory.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc {

namespace {

int smazJeden(const std::string& cesta)
{
    const auto lomitko = cesta.rfind('/');
    if (lomitko == std::string::npos)
        return EINVAL;
    const std::string jmeno = cesta.substr(lomitko + 1);
    if (!jeDocasnySoubor(jmeno))
        return EINVAL;
    const std::string adresar = lomitko == 0 ? "/" : cesta.substr(0, lomitko);
    const int fd = ::open(adresar.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? 0 : errno;
    struct stat st {};
    int err = 0;
    if (::fstatat(fd, jmeno.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        err = errno == ENOENT ? 0 : errno;
    else if (!S_ISREG(st.st_mode))
        err = EISDIR;   // no longer the file the comparison met
    else if (::unlinkat(fd, jmeno.c_str(), 0) != 0)
        err = errno == ENOENT ? 0 : errno;
    ::close(fd);
    return err;
}

} // namespace

std::vector<NesmazanyDocasny> smazDocasne(const std::vector<std::string>& cesty)
{
    std::vector<NesmazanyDocasny> chyby;
    for (const std::string& c : cesty)
        if (const int err = smazJeden(c))
            chyby.push_back({c, err});
    return chyby;
}

} // namespace zrc
