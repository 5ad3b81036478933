#include "support/tmpfs.h"

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc::test {

Tmpfs::Tmpfs(std::string bod, const char* volby) : bod_(std::move(bod))
{
    if (::geteuid() != 0) {
        proc_ = "mounting a tmpfs needs root";
        return;
    }
    ::mkdir(bod_.c_str(), 0755);
    if (::mount("zrc-test", bod_.c_str(), "tmpfs", 0, volby) != 0) {
        proc_ = std::string("mount: ") + std::strerror(errno);
        return;
    }
    pripojeno_ = true;
}

Tmpfs::~Tmpfs()
{
    odpoj();
}

bool Tmpfs::jenProCteni()
{
    return pripojeno_ &&
           ::mount(nullptr, bod_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void Tmpfs::odpoj()
{
    if (pripojeno_)
        ::umount2(bod_.c_str(), MNT_DETACH);
    pripojeno_ = false;
}

} // namespace zrc::test
