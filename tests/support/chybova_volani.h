#pragma once
// The one fault seam of the tests: a platform::Syscalls that passes every call
// to the kernel, except that the N-th call of a kind (optionally only calls
// naming a given file) runs an action first and/or fails with a chosen errno.
// The action is the hook for what else a test needs at that moment: a delay, a
// file changed under the code, a look at the disk, a Cancel.

#include "platform/syscalls.h"

#include <cerrno>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace zrc::test {

using platform::Call;

// The N-th call of a kind (counted from 1, optionally only calls naming a
// given file; a read, a write or an fstat names the file its descriptor was
// opened by) runs an action and/or fails with err.
struct Porucha {
    Call druh = Call::Pwrite;
    int od = 1;           // first failing call
    int pocet = 1;        // how many calls from there; -1: all
    int err = EIO;        // 0: run the action only
    std::string jmeno{};  // only calls with this name argument ("" = any)
    std::function<void()> akce{};
    int videno = 0;       // matching calls so far
};

class ChyboveVolani : public platform::Syscalls {
public:
    std::vector<Porucha> poruchy;
    std::vector<std::string> zaznam;   // "rename .x.zrtmp>x", "unlink x", "syncfs" in order
    int zpozdeniZapisuUs = 0;          // slows every pwrite: a copy a test can watch or kill

    platform::SysResult openAt(int d, const char* n, int f, mode_t m) override;
    platform::SysResult close(int fd) override;
    platform::SysResult pread(int fd, void* b, std::size_t n, off_t o) override;
    platform::SysResult pwrite(int fd, const void* b, std::size_t n, off_t o) override;
    platform::SysResult copyFileRange(int i, off_t* io, int o, off_t* oo, std::size_t n) override;
    platform::SysResult clone(int d, int s) override;
    platform::SysResult lseek(int fd, off_t o, int w) override;
    platform::SysResult ftruncate(int fd, off_t l) override;
    platform::SysResult fstat(int fd, struct stat& st) override;
    platform::SysResult fstatAt(int d, const char* n, struct stat& st, int f) override;
    platform::SysResult mkdirAt(int d, const char* n, mode_t m) override;
    platform::SysResult renameAt(int od, const char* on, int nd, const char* nn, unsigned f) override;
    platform::SysResult linkAt(int od, const char* on, int nd, const char* nn, int f) override;
    platform::SysResult unlinkAt(int d, const char* n, int f) override;
    platform::SysResult fchmodAt(int d, const char* n, mode_t m) override;
    platform::SysResult fchmod(int fd, mode_t m) override;
    platform::SysResult futimens(int fd, const struct timespec t[2]) override;
    platform::SysResult utimensAt(int d, const char* n, const struct timespec t[2]) override;
    platform::SysResult fsync(int fd) override;
    platform::SysResult fdatasync(int fd) override;
    platform::SysResult syncfs(int fd) override;
    platform::SysResult fstatvfs(int fd, struct statvfs& st) override;

    // Only read/write: FICLONE and copy_file_range answer EOPNOTSUPP.
    void jenCteniZapis();

private:
    int zkus(Call druh, const char* jmeno = nullptr);
    void zaznamenej(std::string udalost);
    std::string jmenoFd(int fd);

    std::mutex m_;   // the operations' read-ahead calls from a thread of its own
    std::map<int, std::string> jmenaFd_;
};

} // namespace zrc::test
