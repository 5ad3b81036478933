#pragma once
// The system calls of the file operations, behind one virtual interface.
//
// Every call returns a SysResult: the call's value, or the errno it failed
// with. Nothing here throws, retries or interprets an error; EINTR is the one
// exception and is retried inside, because no caller ever wants to see it.
// A test derives from Syscalls and makes the N-th call of a kind fail (see
// tests/support/chybova_volani.h): this class is the only door through which
// the program writes, renames and deletes (the copy, move, delete, pruning and
// trash code, the settings file, the leftover deletion).

#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>

namespace zrc::platform {

struct [[nodiscard]] SysResult {
    std::int64_t value = 0;   // fd, byte count, offset; 0 for plain success
    int err = 0;              // errno, 0 on success

    bool ok() const { return err == 0; }
    static SysResult fail(int e) { return {-1, e}; }
};

// The kinds of call, for fault plans and counters.
enum class Call : std::uint8_t {
    OpenAt, Close, Pread, Pwrite, CopyFileRange, Clone, Lseek, Ftruncate,
    Fstat, FstatAt, MkdirAt, RenameAt, LinkAt, UnlinkAt, FchmodAt, Fchmod,
    Futimens, UtimensAt, Fsync, Fdatasync, Syncfs, Fstatvfs, Fgetxattr, Fadvise,
    Count
};

class Syscalls {
public:
    virtual ~Syscalls() = default;

    virtual SysResult openAt(int dirFd, const char* name, int flags, mode_t mode = 0);
    virtual SysResult close(int fd);
    virtual SysResult pread(int fd, void* buf, std::size_t n, off_t offset);
    virtual SysResult pwrite(int fd, const void* buf, std::size_t n, off_t offset);
    virtual SysResult copyFileRange(int in, off_t* inOffset, int out, off_t* outOffset,
                                    std::size_t n);
    virtual SysResult clone(int dstFd, int srcFd);   // ioctl FICLONE
    virtual SysResult lseek(int fd, off_t offset, int whence);
    virtual SysResult ftruncate(int fd, off_t length);
    virtual SysResult fstat(int fd, struct stat& st);
    virtual SysResult fstatAt(int dirFd, const char* name, struct stat& st, int flags);
    virtual SysResult mkdirAt(int dirFd, const char* name, mode_t mode);
    // renameat2; flags 0 or RENAME_NOREPLACE.
    virtual SysResult renameAt(int oldDir, const char* oldName, int newDir, const char* newName,
                               unsigned flags);
    // linkat; flags 0 or AT_SYMLINK_FOLLOW (a file opened with O_TMPFILE is
    // linked through its /proc/self/fd entry).
    virtual SysResult linkAt(int oldDir, const char* oldName, int newDir, const char* newName,
                             int flags = 0);
    virtual SysResult unlinkAt(int dirFd, const char* name, int flags);
    virtual SysResult fchmodAt(int dirFd, const char* name, mode_t mode);   // never follows
    virtual SysResult fchmod(int fd, mode_t mode);
    virtual SysResult futimens(int fd, const struct timespec times[2]);
    virtual SysResult utimensAt(int dirFd, const char* name, const struct timespec times[2]);
    virtual SysResult fsync(int fd);
    virtual SysResult fdatasync(int fd);
    virtual SysResult syncfs(int fd);
    virtual SysResult fstatvfs(int fd, struct statvfs& st);
    // fgetxattr with no buffer: the attribute's size, or ENODATA when absent.
    virtual SysResult fgetxattr(int fd, const char* name);
    // posix_fadvise (it returns its error instead of setting errno).
    virtual SysResult fadvise(int fd, off_t offset, off_t length, int advice);
};

// The process's real system calls.
Syscalls& realSyscalls();

// The process's current umask, read without changing it.
mode_t processUmask();

// mkdir -p: creates every missing directory of cesta (absolute, or relative to
// the working directory) with mode, links followed as mkdir(2) follows them.
// Components that exist already are no error; 0, or the errno of the first
// component that could not be created.
[[nodiscard]] int vytvorCestu(Syscalls& sys, const std::string& cesta, mode_t mode);

// An owned file descriptor, closed through the interface that opened it.
class Fd final {
public:
    Fd() = default;
    Fd(Syscalls& sys, int fd) : sys_(&sys), fd_(fd) {}
    Fd(Fd&& o) noexcept : sys_(o.sys_), fd_(o.fd_) { o.fd_ = -1; }
    Fd& operator=(Fd&& o) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset();
    int release() { const int f = fd_; fd_ = -1; return f; }

private:
    Syscalls* sys_ = nullptr;
    int fd_ = -1;
};

} // namespace zrc::platform
