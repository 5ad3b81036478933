#include "platform/listing.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc::platform {

namespace {

// 64 KiB fits about 2 000 typical entries, so most directories need one
// getdents64 call that returns data and one that reports the end.
constexpr std::size_t getdentsBuffer = 64 * 1024;

EntryType typeFromDirent(unsigned char t)
{
    switch (t) {
    case DT_REG: return EntryType::Regular;
    case DT_DIR: return EntryType::Directory;
    case DT_LNK: return EntryType::Symlink;
    case DT_UNKNOWN: return EntryType::Unknown;
    default: return EntryType::Other;
    }
}

EntryType typeFromMode(mode_t m)
{
    if (S_ISREG(m)) return EntryType::Regular;
    if (S_ISDIR(m)) return EntryType::Directory;
    if (S_ISLNK(m)) return EntryType::Symlink;
    return EntryType::Other;
}

FileInfo infoFromStat(const struct stat& st)
{
    return FileInfo{.size = static_cast<std::int64_t>(st.st_size),
                    .mtime = static_cast<std::int64_t>(st.st_mtim.tv_sec),
                    .device = static_cast<std::uint64_t>(st.st_dev),
                    .type = typeFromMode(st.st_mode)};
}

std::error_code lastError()
{
    return std::error_code(errno, std::generic_category());
}

bool isDotOrDotDot(const char* n)
{
    return n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0));
}

void appendEntries(const char* data, long bytes, RawListing& out)
{
    for (long pos = 0; pos < bytes;) {
        const auto* d = reinterpret_cast<const struct dirent64*>(data + pos);
        pos += d->d_reclen;
        if (isDotOrDotDot(d->d_name))
            continue;
        const std::size_t len = std::strlen(d->d_name);
        out.entries.push_back(RawEntry{.name = static_cast<std::uint32_t>(out.names.size()),
                                       .length = static_cast<std::uint16_t>(len),
                                       .type = typeFromDirent(d->d_type)});
        out.names.append(d->d_name, len + 1);
    }
}

// A descriptor of the listing's own: closed through the real system calls.
DirectoryHandle vlastni(int fd)
{
    return DirectoryHandle(realSyscalls(), fd);
}

} // namespace

DirectoryHandle openDirectory(const char* path, FollowLinks follow, std::error_code& ec)
{
    int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    if (follow == FollowLinks::No)
        flags |= O_NOFOLLOW;
    const int fd = ::open(path, flags);
    ec = fd < 0 ? lastError() : std::error_code();
    return vlastni(fd);
}

DirectoryHandle openSubdirectory(int dirFd, const char* name, std::error_code& ec)
{
    const int fd = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    ec = fd < 0 ? lastError() : std::error_code();
    return vlastni(fd);
}

DirectoryHandle openBeneath(int dirFd, const char* relativePath, std::error_code& ec)
{
    // Refused once, refused for good: a seccomp filter or an old kernel answers
    // every call alike, so the probe is not repeated per directory.
    static std::atomic<bool> nabizi{true};
    if (!nabizi.load(std::memory_order_relaxed)) {
        ec = std::make_error_code(std::errc::function_not_supported);
        return DirectoryHandle();
    }
    open_how how{};
    how.flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_BENEATH;
    const int fd = static_cast<int>(::syscall(SYS_openat2, dirFd, relativePath, &how, sizeof how));
    if (fd >= 0) {
        ec.clear();
        return vlastni(fd);
    }
    const int e = errno;
    // EPERM: a sandbox's filter; E2BIG: a kernel that does not know open_how's size.
    if (e == ENOSYS || e == EPERM || e == E2BIG) {
        nabizi.store(false, std::memory_order_relaxed);
        ec = std::make_error_code(std::errc::function_not_supported);
    } else {
        ec = lastError();
    }
    return DirectoryHandle();
}

void RawListing::clear()
{
    names.clear();
    entries.clear();
}

std::error_code readDirectory(int fd, RawListing& out, std::vector<char>& buffer)
{
    out.clear();
    return readDirectoryUpTo(fd, out, buffer, SIZE_MAX).error;
}

ListingStep readDirectoryUpTo(int fd, RawListing& out, std::vector<char>& buffer, std::size_t maxEntries)
{
    if (buffer.size() < getdentsBuffer)
        buffer.resize(getdentsBuffer);
    while (out.entries.size() < maxEntries) {
        const ssize_t n = ::getdents64(fd, buffer.data(), buffer.size());
        if (n == 0)
            return {{}, ListingEnd::Reached};
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return {lastError(), ListingEnd::Reached};
        }
        appendEntries(buffer.data(), n, out);
    }
    return {};
}

std::optional<FileInfo> statAt(int dirFd, const char* name, FollowLinks follow, std::error_code& ec)
{
    struct stat st;
    const int flags = follow == FollowLinks::Yes ? 0 : AT_SYMLINK_NOFOLLOW;
    if (::fstatat(dirFd, name, &st, flags) != 0) {
        ec = lastError();
        return std::nullopt;
    }
    ec.clear();
    return infoFromStat(st);
}

std::optional<FileInfo> statAt(Syscalls& sys, int dirFd, const char* name, FollowLinks follow, std::error_code& ec)
{
    struct stat st;
    const int flags = follow == FollowLinks::Yes ? 0 : AT_SYMLINK_NOFOLLOW;
    if (const SysResult r = sys.fstatAt(dirFd, name, st, flags); !r.ok()) {
        ec = std::error_code(r.err, std::generic_category());
        return std::nullopt;
    }
    ec.clear();
    return infoFromStat(st);
}

std::optional<FileInfo> statOpen(Syscalls& sys, int fd, std::error_code& ec)
{
    struct stat st;
    if (const SysResult r = sys.fstat(fd, st); !r.ok()) {
        ec = std::error_code(r.err, std::generic_category());
        return std::nullopt;
    }
    ec.clear();
    return infoFromStat(st);
}

std::optional<FileInfo> statPath(const char* path, FollowLinks follow, std::error_code& ec)
{
    return statAt(AT_FDCWD, path, follow, ec);
}

std::optional<FileInfo> statOpen(int fd, std::error_code& ec)
{
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        ec = lastError();
        return std::nullopt;
    }
    ec.clear();
    return infoFromStat(st);
}

std::size_t raiseDescriptorLimit()
{
    struct rlimit r {};
    if (::getrlimit(RLIMIT_NOFILE, &r) != 0)
        return 1024;
    if (r.rlim_cur < r.rlim_max) {
        struct rlimit raised = r;
        raised.rlim_cur = r.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0)
            r = raised;
    }
    if (r.rlim_cur == RLIM_INFINITY || r.rlim_cur > 1u << 20)
        return std::size_t{1} << 20;
    return static_cast<std::size_t>(r.rlim_cur);
}

bool isDirectory(const char* path)
{
    std::error_code ec;
    const auto info = statPath(path, FollowLinks::Yes, ec);
    return info && info->type == EntryType::Directory;
}

} // namespace zrc::platform
