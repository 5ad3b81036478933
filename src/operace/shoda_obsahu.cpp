#include "operace/shoda_obsahu.h"

#include "platform/syscalls.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace zrc {

namespace {

struct Otevreni {
    platform::Fd fd;
    ChybaSouboru chyba{};
};

// O_NOATIME is refused (EPERM) on files the process does not own. The first
// refusal turns it off for the comparer's remaining files: checking someone
// else's tree would otherwise cost two opens per file, and an access time
// that relatime updates at most daily is no harm. O_NONBLOCK: a FIFO put in
// a file's place since the walk does not hold the open (its read then fails).
Otevreni otevri(platform::Syscalls& sys, int adresar, const std::string& cesta, bool& bezAtime)
{
    constexpr int zaklad = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    auto r = sys.openAt(adresar, cesta.c_str(), zaklad | (bezAtime ? O_NOATIME : 0));
    if (!r.ok() && r.err == EPERM && bezAtime) {
        bezAtime = false;
        r = sys.openAt(adresar, cesta.c_str(), zaklad);
    }
    if (!r.ok())
        return {{}, ChybaSouboru::systemu(r.err)};
    return {platform::Fd(sys, int(r.value))};
}

// The length of a regular file; an error for anything else.
ChybaSouboru delka(platform::Syscalls& sys, int fd, std::int64_t& velikost)
{
    struct stat st {};
    if (const auto s = sys.fstat(fd, st); !s.ok())
        return ChybaSouboru::systemu(s.err);
    if (!S_ISREG(st.st_mode))
        return {Duvod::NeniSoubor, 0};
    velikost = st.st_size;
    return {};
}

// A read that failed on what is no longer a regular file (a directory:
// EISDIR, a FIFO: ESPIPE) says so.
ChybaSouboru chybaCteni(platform::Syscalls& sys, int fd, int err)
{
    std::int64_t velikost = 0;
    if (const ChybaSouboru c = delka(sys, fd, velikost); c.duvod == Duvod::NeniSoubor)
        return c;
    return ChybaSouboru::systemu(err);
}

// Reads n bytes at od into buffer; fewer only at the end of the file.
platform::SysResult nactiBlok(platform::Syscalls& sys, int fd, char* buffer, std::size_t n, off_t od)
{
    std::size_t precteno = 0;
    while (precteno < n) {
        const auto r = sys.pread(fd, buffer + precteno, n - precteno, od + off_t(precteno));
        if (!r.ok())
            return r;
        if (r.value == 0)
            break;
        precteno += std::size_t(r.value);
    }
    return {std::int64_t(precteno), 0};
}

} // namespace

PorovnaniObsahu::PorovnaniObsahu(const VolbyShody& volby)
    : sys_(volby.sys ? *volby.sys : platform::realSyscalls()), zrusit_(volby.zrusit),
      adresar1_(volby.adresar1), adresar2_(volby.adresar2), blok_(volby.blok),
      a_(std::make_unique_for_overwrite<char[]>(blok_)), b_(std::make_unique_for_overwrite<char[]>(blok_))
{
}

VysledekShody PorovnaniObsahu::porovnej(const std::string& cesta1, const std::string& cesta2,
                                        std::int64_t ocekavana, const std::function<void(std::int64_t)>& prubeh)
{
    const Otevreni a = otevri(sys_, adresar1_, cesta1, bezAtime_);
    if (a.chyba)
        return {Shoda::Chyba, a.chyba, 1};
    const Otevreni b = otevri(sys_, adresar2_, cesta2, bezAtime_);
    if (b.chyba)
        return {Shoda::Chyba, b.chyba, 2};
    VysledekShody v;
    if (ocekavana >= 0 && ocekavana < std::int64_t(blok_) && porovnejMaly(a.fd.get(), b.fd.get(), ocekavana, v)) {
        if (prubeh && v.shoda == Shoda::Shodne)
            prubeh(v.velikost);
        return v;
    }
    return porovnejVelky(a.fd.get(), b.fd.get(), prubeh);
}

// One read of velikost + 1 bytes per side. A side that answers more has grown
// past the list's size: false, and the pair is compared as a large one. Ten
// thousand pairs of 1-8 KiB cost six calls each (open, pread, close per side)
// instead of ten with an fstat and a read to the end of file.
bool PorovnaniObsahu::porovnejMaly(int fd1, int fd2, std::int64_t velikost, VysledekShody& v)
{
    const auto n = std::size_t(velikost) + 1;
    const auto ra = sys_.pread(fd1, a_.get(), n, 0);
    if (!ra.ok()) {
        v = {Shoda::Chyba, chybaCteni(sys_, fd1, ra.err), 1};
        return true;
    }
    const auto rb = sys_.pread(fd2, b_.get(), n, 0);
    if (!rb.ok()) {
        v = {Shoda::Chyba, chybaCteni(sys_, fd2, rb.err), 2};
        return true;
    }
    // A regular file answers short only at its end; shorter than the list
    // said, the file shrank, and the rest of its reading confirms the end.
    if (std::size_t(ra.value) == n || std::size_t(rb.value) == n || ra.value < velikost || rb.value < velikost)
        return false;
    const bool stejne = ra.value == rb.value && std::memcmp(a_.get(), b_.get(), std::size_t(ra.value)) == 0;
    v = {stejne ? Shoda::Shodne : Shoda::Lisi, {}, 0, ra.value};
    return true;
}

VysledekShody PorovnaniObsahu::porovnejVelky(int fd1, int fd2, const std::function<void(std::int64_t)>& prubeh)
{
    std::int64_t velikost = 0, velikost2 = 0;
    if (const ChybaSouboru c = delka(sys_, fd1, velikost))
        return {Shoda::Chyba, c, 1};
    if (const ChybaSouboru c = delka(sys_, fd2, velikost2))
        return {Shoda::Chyba, c, 2, velikost};
    // Lengths that differ now differ in content, whatever the list said.
    if (velikost != velikost2)
        return {Shoda::Lisi, {}, 0, velikost};
    // A file of one block is read at once: read-ahead advice would only cost
    // a call.
    if (velikost > std::int64_t(blok_))
        for (const int fd : {fd1, fd2})
            (void)sys_.fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);   // advice only: a file system without it reads the same
    VysledekShody v = porovnejData(fd1, fd2, velikost, prubeh);
    v.velikost = velikost;
    return v;
}

// The length fstat gave both files: a pair is not read on to the end of
// file, which would cost one more read of each side per pair. A file that
// shrank since is found by its short read; one that grew is judged by the
// bytes it had.
VysledekShody PorovnaniObsahu::porovnejData(int fd1, int fd2, std::int64_t velikost,
                                            const std::function<void(std::int64_t)>& prubeh)
{
    off_t od = 0;
    while (od < velikost) {
        if (zrusit_ && zrusit_->load(std::memory_order_relaxed))
            return {Shoda::Zruseno};
        const auto n = std::size_t(std::min<std::int64_t>(std::int64_t(blok_), velikost - od));
        const auto ra = nactiBlok(sys_, fd1, a_.get(), n, od);
        if (!ra.ok())
            return {Shoda::Chyba, chybaCteni(sys_, fd1, ra.err), 1};
        const auto rb = nactiBlok(sys_, fd2, b_.get(), n, od);
        if (!rb.ok())
            return {Shoda::Chyba, chybaCteni(sys_, fd2, rb.err), 2};
        if (std::size_t(ra.value) != n || std::size_t(rb.value) != n || std::memcmp(a_.get(), b_.get(), n) != 0)
            return {Shoda::Lisi};
        od += off_t(n);
        if (prubeh)
            prubeh(od);
    }
    return {Shoda::Shodne};
}

} // namespace zrc
