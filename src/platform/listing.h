#pragma once
// Directory listing relative to directory descriptors.
//
// A directory is read with getdents64 into a caller's buffer (no fdopendir: it
// costs an extra fstat per directory), and files are examined with fstatat
// relative to the open directory, so a walk costs one open, the getdents64
// calls and one close per directory and one stat per file.
//
// Every call that can fail says why: the errno of the failing system call, as a
// std::error_code of the generic category (empty on success).

#include "platform/syscalls.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace zrc::platform {

enum class EntryType : std::uint8_t { Unknown, Regular, Directory, Symlink, Other };
enum class FollowLinks : bool { No = false, Yes = true };

struct FileInfo {
    std::int64_t size = 0;
    std::int64_t mtime = 0;   // seconds since the epoch
    std::uint64_t device = 0; // st_dev: the file system it lies on
    EntryType type = EntryType::Unknown;
};

// An open directory descriptor, closed by the destructor (through the real
// system calls: a listing only reads).
using DirectoryHandle = Fd;

// Opens a directory for listing. With FollowLinks::No a symbolic link as the last
// component is refused (ELOOP), so a walk never enters a linked directory.
DirectoryHandle openDirectory(const char* path, FollowLinks follow, std::error_code& ec);
// Opens the subdirectory name of an open directory (openat), never following a
// link: the path the kernel resolves is one component long, so neither the depth
// of the tree nor a link swapped into an upper directory can lead elsewhere.
DirectoryHandle openSubdirectory(int dirFd, const char* name, std::error_code& ec);
// Opens a directory several levels below an open one in one call (openat2 with
// RESOLVE_NO_SYMLINKS | RESOLVE_BENEATH): a link in any component, or a path that
// would leave dirFd, is refused (ELOOP, EXDEV) as a walk component by component
// would refuse it. ENOSYS when the kernel (before 5.6) or a sandbox does not
// offer the call; the caller then goes component by component.
DirectoryHandle openBeneath(int dirFd, const char* relativePath, std::error_code& ec);

// The entries of one directory: names NUL-terminated in one arena.
struct RawEntry {
    std::uint32_t name = 0;    // offset into RawListing::names
    std::uint16_t length = 0;
    EntryType type = EntryType::Unknown;
};

struct RawListing {
    std::string names;
    std::vector<RawEntry> entries;

    const char* name(const RawEntry& e) const { return names.data() + e.name; }
    void clear();
};

// Reads every entry of the open directory except "." and ".." into out (cleared
// first). buffer is scratch space kept between calls.
std::error_code readDirectory(int fd, RawListing& out, std::vector<char>& buffer);

// Reading a listing in steps, so that a huge one is known as such before all
// of it is held: appends to out (not cleared) until the directory ends or out
// holds at least maxEntries entries; the next call reads on from there.
enum class ListingEnd : bool { NotReached, Reached };
struct ListingStep {
    std::error_code error;
    ListingEnd end = ListingEnd::NotReached;
};
[[nodiscard]] ListingStep readDirectoryUpTo(int fd, RawListing& out, std::vector<char>& buffer,
                                            std::size_t maxEntries);

// Status of an entry relative to an open directory, of a path, or of an open
// descriptor; nothing when it cannot be read, with the reason in ec (ENOENT: it
// vanished, EACCES: no search permission on the directory, ...).
std::optional<FileInfo> statAt(int dirFd, const char* name, FollowLinks follow, std::error_code& ec);
std::optional<FileInfo> statPath(const char* path, FollowLinks follow, std::error_code& ec);
std::optional<FileInfo> statOpen(int fd, std::error_code& ec);
// The same through sys, for the walk: a test reaches its calls through the one
// fault seam (one virtual call beside the system call itself).
std::optional<FileInfo> statAt(Syscalls& sys, int dirFd, const char* name, FollowLinks follow, std::error_code& ec);
std::optional<FileInfo> statOpen(Syscalls& sys, int fd, std::error_code& ec);

// Raises the soft limit of open descriptors to the hard one (a walk keeps a
// chain of directories open per thread) and returns the limit now in force.
std::size_t raiseDescriptorLimit();

// True when the path names a directory (links followed, as a user typed it).
bool isDirectory(const char* path);

} // namespace zrc::platform
