#pragma once
// Shared set-up of the file operation tests: a fault-injecting system-call
// layer, a scripted answerer of the operation's questions, and file helpers.

#include "operace/operace.h"
#include "platform/syscalls.h"
#include "support/soubory.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
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
    int zpozdeniZapisuUs = 0;          // slows pwrite (the SIGKILL test)

    platform::SysResult openAt(int d, const char* n, int f, mode_t m) override;
    platform::SysResult close(int fd) override;
    platform::SysResult fstat(int fd, struct stat& st) override;
    platform::SysResult pread(int fd, void* b, std::size_t n, off_t o) override;
    platform::SysResult pwrite(int fd, const void* b, std::size_t n, off_t o) override;
    platform::SysResult copyFileRange(int i, off_t* io, int o, off_t* oo, std::size_t n) override;
    platform::SysResult clone(int d, int s) override;
    platform::SysResult fstatAt(int d, const char* n, struct stat& st, int f) override;
    platform::SysResult renameAt(int od, const char* on, int nd, const char* nn, unsigned f) override;
    platform::SysResult linkAt(int od, const char* on, int nd, const char* nn, int f) override;
    platform::SysResult unlinkAt(int d, const char* n, int f) override;
    platform::SysResult fchmodAt(int d, const char* n, mode_t m) override;
    platform::SysResult futimens(int fd, const struct timespec t[2]) override;
    platform::SysResult fsync(int fd) override;
    platform::SysResult syncfs(int fd) override;
    platform::SysResult fdatasync(int fd) override;

    // Only read/write: FICLONE and copy_file_range answer EOPNOTSUPP.
    void jenCteniZapis();

private:
    int zkus(Call druh, const char* jmeno = nullptr);
    void zaznamenej(std::string udalost);

    std::string jmenoFd(int fd);

    std::mutex m_;   // the read-ahead calls from a thread of its own
    std::map<int, std::string> jmenaFd_;
};

// Answers the questions from queues (an empty queue answers Ignorovat, Ne or
// true) and records everything in order as short lines.
class Skript : public RozhraniOperace {
public:
    std::deque<OdpovedChyby> kopie, mazani;
    std::deque<OdpovedCteni> cteni;
    bool misto = true;
    std::vector<std::string> udalosti;   // "kopie x", "chyba-kopie x: duvod", ...
    std::vector<Prubeh> prubehy;

    bool nedostatekMista(std::int64_t volne, std::int64_t potreba) override;
    void krok(Krok k, const std::string& zdroj) override;
    void prubeh(const Prubeh& p) override { prubehy.push_back(p); }
    OdpovedChyby chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c) override;
    OdpovedChyby chybaMazani(const std::string& zdroj, const ChybaSouboru& c) override;
    OdpovedCteni jenProCteni(const std::string& zdroj) override;
    void vyrizeno(std::size_t i) override { udalosti.push_back("hotovo " + std::to_string(i)); }
};

void zapis(const std::string& cesta, const std::string& data);   // parents created
std::string vzorek(std::size_t delka, char seminko);    // deterministic bytes
// The names of temporary files anywhere below the directory.
std::vector<std::string> docasne(const std::string& koren);

} // namespace zrc::test
