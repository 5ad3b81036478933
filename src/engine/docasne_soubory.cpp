#include "engine/docasne_soubory.h"

#include "engine/operace.h"
#include "platform/pripojeni.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc {

void SberDocasnych::pridej(int fd, std::string_view jmeno)
{
    const std::string adresar = platform::cestaDeskriptoru(fd);
    if (adresar.empty())
        return;
    std::string cesta = adresar == "/" ? std::string() : adresar;
    cesta += '/';
    cesta += jmeno;
    std::lock_guard z(zamek_);
    cesty_.push_back(std::move(cesta));
}

std::vector<std::string> SberDocasnych::cesty() const
{
    std::lock_guard z(zamek_);
    std::vector<std::string> v = cesty_;
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

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
