#pragma once
// A tmpfs mounted over a directory for the length of a test, for cases that
// need a second file system or a mount that appears under a path. Mounting
// needs root (CAP_SYS_ADMIN); without it the mount reports failure and the
// test skips itself:
//
//   Tmpfs m(t.path("mnt"));
//   if (!m.pripojeno()) GTEST_SKIP() << m.proc();

#include <string>

namespace zrc::test {

class Tmpfs {
public:
    // Creates the directory when missing, then mounts a 4 MiB tmpfs on it.
    explicit Tmpfs(std::string bod, const char* volby = "size=4m,mode=0755");
    ~Tmpfs();   // lazy unmount, so an open descriptor in a test cannot block it
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;

    bool pripojeno() const { return pripojeno_; }
    const std::string& proc() const { return proc_; }   // why not mounted
    // Remounts read-only; false when that failed.
    bool jenProCteni();
    void odpoj();

private:
    std::string bod_;
    std::string proc_;
    bool pripojeno_ = false;
};

} // namespace zrc::test
