#include "platform/syscalls.h"

#include <cerrno>
#include <linux/fs.h>
#include <cstdio>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace zrc::platform {

namespace {

// Runs a call until it is not interrupted; -1 means failure with errno.
template <class F>
SysResult retry(F f) {
    for (;;) {
        auto r = f();
        if (r != -1) return {static_cast<std::int64_t>(r), 0};
        if (errno != EINTR) return SysResult::fail(errno);
    }
}

} // namespace

SysResult Syscalls::openAt(int dirFd, const char* name, int flags, mode_t mode) {
    return retry([&] { return ::openat(dirFd, name, flags, mode); });
}
SysResult Syscalls::close(int fd) {
    // close is never retried: after EINTR the descriptor is already gone.
    return ::close(fd) == 0 || errno == EINTR ? SysResult{} : SysResult::fail(errno);
}
SysResult Syscalls::pread(int fd, void* buf, std::size_t n, off_t offset) {
    return retry([&] { return ::pread(fd, buf, n, offset); });
}
SysResult Syscalls::pwrite(int fd, const void* buf, std::size_t n, off_t offset) {
    return retry([&] { return ::pwrite(fd, buf, n, offset); });
}
SysResult Syscalls::copyFileRange(int in, off_t* inOffset, int out, off_t* outOffset,
                                  std::size_t n) {
    return retry([&] { return ::copy_file_range(in, inOffset, out, outOffset, n, 0); });
}
SysResult Syscalls::clone(int dstFd, int srcFd) {
    return retry([&] { return ::ioctl(dstFd, FICLONE, srcFd); });
}
SysResult Syscalls::lseek(int fd, off_t offset, int whence) {
    return retry([&] { return ::lseek(fd, offset, whence); });
}
SysResult Syscalls::ftruncate(int fd, off_t length) {
    return retry([&] { return ::ftruncate(fd, length); });
}
SysResult Syscalls::fstat(int fd, struct stat& st) {
    return retry([&] { return ::fstat(fd, &st); });
}
SysResult Syscalls::fstatAt(int dirFd, const char* name, struct stat& st, int flags) {
    return retry([&] { return ::fstatat(dirFd, name, &st, flags); });
}
SysResult Syscalls::mkdirAt(int dirFd, const char* name, mode_t mode) {
    return retry([&] { return ::mkdirat(dirFd, name, mode); });
}
SysResult Syscalls::renameAt(int oldDir, const char* oldName, int newDir, const char* newName,
                             unsigned flags) {
    return retry([&] { return ::renameat2(oldDir, oldName, newDir, newName, flags); });
}
SysResult Syscalls::linkAt(int oldDir, const char* oldName, int newDir, const char* newName,
                           int flags) {
    return retry([&] { return ::linkat(oldDir, oldName, newDir, newName, flags); });
}
SysResult Syscalls::unlinkAt(int dirFd, const char* name, int flags) {
    return retry([&] { return ::unlinkat(dirFd, name, flags); });
}
SysResult Syscalls::fchmodAt(int dirFd, const char* name, mode_t mode) {
    return retry([&] { return ::fchmodat(dirFd, name, mode, AT_SYMLINK_NOFOLLOW); });
}
SysResult Syscalls::fchmod(int fd, mode_t mode) {
    return retry([&] { return ::fchmod(fd, mode); });
}
SysResult Syscalls::futimens(int fd, const struct timespec times[2]) {
    return retry([&] { return ::futimens(fd, times); });
}
SysResult Syscalls::utimensAt(int dirFd, const char* name, const struct timespec times[2]) {
    return retry([&] { return ::utimensat(dirFd, name, times, AT_SYMLINK_NOFOLLOW); });
}
SysResult Syscalls::fsync(int fd) {
    return retry([&] { return ::fsync(fd); });
}
SysResult Syscalls::fdatasync(int fd) {
    return retry([&] { return ::fdatasync(fd); });
}
SysResult Syscalls::syncfs(int fd) {
    return retry([&] { return ::syncfs(fd); });
}
SysResult Syscalls::fstatvfs(int fd, struct statvfs& st) {
    return retry([&] { return ::fstatvfs(fd, &st); });
}
SysResult Syscalls::fadvise(int fd, off_t offset, off_t length, int advice) {
    for (;;) {
        const int e = ::posix_fadvise(fd, offset, length, advice);
        if (e != EINTR) return e == 0 ? SysResult{} : SysResult::fail(e);
    }
}
SysResult Syscalls::fgetxattr(int fd, const char* name) {
    return retry([&] { return ::fgetxattr(fd, name, nullptr, 0); });
}

Syscalls& realSyscalls() {
    static Syscalls sys;
    return sys;
}

mode_t processUmask() {
    // /proc/self/status reads the mask without changing it (Linux 4.7 and
    // later); umask() can only be read by setting it, which races with other
    // threads creating files, so it is the fallback only.
    if (FILE* f = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, f))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(f);
        if (found) return static_cast<mode_t>(mask & 0777);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

int vytvorCestu(Syscalls& sys, const std::string& cesta, mode_t mode) {
    for (std::size_t i = 1; i <= cesta.size(); ++i) {
        if (i != cesta.size() && cesta[i] != '/') continue;
        const auto r = sys.mkdirAt(AT_FDCWD, cesta.substr(0, i).c_str(), mode);
        if (!r.ok() && r.err != EEXIST) return r.err;
    }
    return 0;
}

Fd& Fd::operator=(Fd&& o) noexcept {
    if (this != &o) {
        reset();
        sys_ = o.sys_;
        fd_ = o.fd_;
        o.fd_ = -1;
    }
    return *this;
}

void Fd::reset() {
    // Closing a descriptor that only read, or whose writes failed already:
    // callers that must know (a file just written) close with release().
    if (fd_ >= 0 && sys_) (void)sys_->close(fd_);
    fd_ = -1;
}

} // namespace zrc::platform
