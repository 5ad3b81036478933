#include "support/chybova_volani.h"

#include <unistd.h>

namespace zrc::test {

using platform::SysResult;

void ChyboveVolani::zaznamenej(std::string udalost)
{
    std::lock_guard lk(m_);
    zaznam.push_back(std::move(udalost));
}

int ChyboveVolani::zkus(Call druh, const char* jmeno)
{
    std::lock_guard lk(m_);
    for (auto& p : poruchy) {
        if (p.druh != druh || (!p.jmeno.empty() && (!jmeno || p.jmeno != jmeno)))
            continue;
        const int n = ++p.videno;
        if (n < p.od || (p.pocet >= 0 && n >= p.od + p.pocet))
            continue;
        if (p.akce)
            p.akce();
        if (p.err)
            return p.err;
    }
    return 0;
}

void ChyboveVolani::jenCteniZapis()
{
    poruchy.push_back({.druh = Call::Clone, .pocet = -1, .err = EOPNOTSUPP});
    poruchy.push_back({.druh = Call::CopyFileRange, .pocet = -1, .err = EOPNOTSUPP});
}

std::string ChyboveVolani::jmenoFd(int fd)
{
    std::lock_guard lk(m_);
    const auto it = jmenaFd_.find(fd);
    return it == jmenaFd_.end() ? std::string() : it->second;
}

SysResult ChyboveVolani::openAt(int d, const char* n, int f, mode_t m)
{
    if (int e = zkus(Call::OpenAt, n)) return SysResult::fail(e);
    const auto r = Syscalls::openAt(d, n, f, m);
    if (r.ok()) {
        std::lock_guard lk(m_);
        jmenaFd_[static_cast<int>(r.value)] = n;
    }
    return r;
}
SysResult ChyboveVolani::close(int fd)
{
    const std::string jmeno = jmenoFd(fd);
    {
        std::lock_guard lk(m_);
        jmenaFd_.erase(fd);
    }
    // Closed in every case, as close(2) closes even when it reports an error.
    const auto r = Syscalls::close(fd);
    if (int e = zkus(Call::Close, jmeno.c_str())) return SysResult::fail(e);
    return r;
}
SysResult ChyboveVolani::fstat(int fd, struct stat& st)
{
    if (int e = zkus(Call::Fstat, jmenoFd(fd).c_str())) return SysResult::fail(e);
    return Syscalls::fstat(fd, st);
}
SysResult ChyboveVolani::pread(int fd, void* b, std::size_t n, off_t o)
{
    if (int e = zkus(Call::Pread, jmenoFd(fd).c_str())) return SysResult::fail(e);
    return Syscalls::pread(fd, b, n, o);
}
SysResult ChyboveVolani::pwrite(int fd, const void* b, std::size_t n, off_t o)
{
    if (zpozdeniZapisuUs) ::usleep(zpozdeniZapisuUs);
    if (int e = zkus(Call::Pwrite, jmenoFd(fd).c_str())) return SysResult::fail(e);
    return Syscalls::pwrite(fd, b, n, o);
}
SysResult ChyboveVolani::copyFileRange(int i, off_t* io, int o, off_t* oo, std::size_t n)
{
    if (int e = zkus(Call::CopyFileRange)) return SysResult::fail(e);
    return Syscalls::copyFileRange(i, io, o, oo, n);
}
SysResult ChyboveVolani::clone(int d, int s)
{
    if (int e = zkus(Call::Clone)) return SysResult::fail(e);
    return Syscalls::clone(d, s);
}
SysResult ChyboveVolani::fstatAt(int d, const char* n, struct stat& st, int f)
{
    if (int e = zkus(Call::FstatAt, n)) return SysResult::fail(e);
    return Syscalls::fstatAt(d, n, st, f);
}
SysResult ChyboveVolani::renameAt(int od, const char* on, int nd, const char* nn, unsigned f)
{
    zaznamenej(std::string("rename ") + on + ">" + nn);
    if (int e = zkus(Call::RenameAt, nn)) return SysResult::fail(e);
    return Syscalls::renameAt(od, on, nd, nn, f);
}
SysResult ChyboveVolani::linkAt(int od, const char* on, int nd, const char* nn, int f)
{
    zaznamenej(std::string("link ") + (f == AT_EMPTY_PATH ? "fd" : on) + ">" + nn);
    if (int e = zkus(Call::LinkAt, nn)) return SysResult::fail(e);
    return Syscalls::linkAt(od, on, nd, nn, f);
}
SysResult ChyboveVolani::unlinkAt(int d, const char* n, int f)
{
    zaznamenej(std::string("unlink ") + n);
    if (int e = zkus(Call::UnlinkAt, n)) return SysResult::fail(e);
    return Syscalls::unlinkAt(d, n, f);
}
SysResult ChyboveVolani::fchmodAt(int d, const char* n, mode_t m)
{
    if (int e = zkus(Call::FchmodAt, n)) return SysResult::fail(e);
    return Syscalls::fchmodAt(d, n, m);
}
SysResult ChyboveVolani::futimens(int fd, const struct timespec t[2])
{
    if (int e = zkus(Call::Futimens)) return SysResult::fail(e);
    return Syscalls::futimens(fd, t);
}
SysResult ChyboveVolani::fsync(int fd)
{
    zaznamenej("fsync");
    if (int e = zkus(Call::Fsync)) return SysResult::fail(e);
    return Syscalls::fsync(fd);
}
SysResult ChyboveVolani::syncfs(int fd)
{
    zaznamenej("syncfs");
    if (int e = zkus(Call::Syncfs)) return SysResult::fail(e);
    return Syscalls::syncfs(fd);
}
SysResult ChyboveVolani::fdatasync(int fd)
{
    zaznamenej("fdatasync");
    if (int e = zkus(Call::Fdatasync)) return SysResult::fail(e);
    return Syscalls::fdatasync(fd);
}
SysResult ChyboveVolani::lseek(int fd, off_t o, int w)
{
    if (int e = zkus(Call::Lseek, jmenoFd(fd).c_str())) return SysResult::fail(e);
    return Syscalls::lseek(fd, o, w);
}
SysResult ChyboveVolani::ftruncate(int fd, off_t l)
{
    if (int e = zkus(Call::Ftruncate, jmenoFd(fd).c_str())) return SysResult::fail(e);
    return Syscalls::ftruncate(fd, l);
}
SysResult ChyboveVolani::mkdirAt(int d, const char* n, mode_t m)
{
    if (int e = zkus(Call::MkdirAt, n)) return SysResult::fail(e);
    return Syscalls::mkdirAt(d, n, m);
}
SysResult ChyboveVolani::fchmod(int fd, mode_t m)
{
    if (int e = zkus(Call::Fchmod, jmenoFd(fd).c_str())) return SysResult::fail(e);
    return Syscalls::fchmod(fd, m);
}
SysResult ChyboveVolani::utimensAt(int d, const char* n, const struct timespec t[2])
{
    if (int e = zkus(Call::UtimensAt, n)) return SysResult::fail(e);
    return Syscalls::utimensAt(d, n, t);
}
SysResult ChyboveVolani::fstatvfs(int fd, struct statvfs& st)
{
    if (int e = zkus(Call::Fstatvfs, jmenoFd(fd).c_str())) return SysResult::fail(e);
    return Syscalls::fstatvfs(fd, st);
}

} // namespace zrc::test
