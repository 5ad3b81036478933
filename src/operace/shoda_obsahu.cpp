#include "operace/shoda_obsahu.h"

#include "platform/syscalls.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace zrc {

namespace {

struct Otevreni {
    platform::Fd fd;
    ChybaSouboru chyba{};
    std::int64_t velikost = 0;
};

// O_NOATIME is refused (EPERM) on files the process does not own; those are
// opened the ordinary way.
Otevreni otevri(platform::Syscalls& sys, const std::string& cesta)
{
    constexpr int zaklad = O_RDONLY | O_CLOEXEC | O_NOCTTY;
    auto r = sys.openAt(AT_FDCWD, cesta.c_str(), zaklad | O_NOATIME);
    if (!r.ok() && r.err == EPERM)
        r = sys.openAt(AT_FDCWD, cesta.c_str(), zaklad);
    if (!r.ok())
        return {{}, ChybaSouboru::systemu(r.err)};
    Otevreni o{platform::Fd(sys, int(r.value))};
    struct stat st {};
    if (const auto s = sys.fstat(o.fd.get(), st); !s.ok())
        o.chyba = ChybaSouboru::systemu(s.err);
    else if (!S_ISREG(st.st_mode))
        o.chyba = {Duvod::NeniSoubor, 0};
    o.velikost = st.st_size;
    // Advice only: a file system without it reads the same, just slower.
    (void)sys.fadvise(o.fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return o;
}

// Reads up to buffer.size() bytes at od; fewer only at the end of the file.
platform::SysResult nactiBlok(platform::Syscalls& sys, int fd, std::vector<char>& buffer, off_t od)
{
    std::size_t precteno = 0;
    while (precteno < buffer.size()) {
        const auto r = sys.pread(fd, buffer.data() + precteno, buffer.size() - precteno,
                                 od + off_t(precteno));
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
      a_(volby.blok), b_(volby.blok)
{
}

VysledekShody PorovnaniObsahu::porovnej(const std::string& cesta1, const std::string& cesta2,
                                        const std::function<void(std::int64_t)>& prubeh)
{
    const Otevreni a = otevri(sys_, cesta1);
    if (a.chyba)
        return {Shoda::Chyba, a.chyba, 1};
    const Otevreni b = otevri(sys_, cesta2);
    if (b.chyba)
        return {Shoda::Chyba, b.chyba, 2, a.velikost};
    // Lengths that differ now differ in content, whatever the list said.
    if (a.velikost != b.velikost)
        return {Shoda::Lisi, {}, 0, a.velikost};
    VysledekShody v = porovnejData(a.fd.get(), b.fd.get(), prubeh);
    v.velikost = a.velikost;
    return v;
}

// Both files to their ends: a file that grew or shrank since fstat is judged
// by what it holds when read, not by the length seen before.
VysledekShody PorovnaniObsahu::porovnejData(int fd1, int fd2,
                                            const std::function<void(std::int64_t)>& prubeh)
{
    off_t od = 0;
    for (;;) {
        if (zrusit_ && zrusit_->load(std::memory_order_relaxed))
            return {Shoda::Zruseno};
        const auto ra = nactiBlok(sys_, fd1, a_, od);
        if (!ra.ok())
            return {Shoda::Chyba, ChybaSouboru::systemu(ra.err), 1};
        const auto rb = nactiBlok(sys_, fd2, b_, od);
        if (!rb.ok())
            return {Shoda::Chyba, ChybaSouboru::systemu(rb.err), 2};
        if (ra.value != rb.value || std::memcmp(a_.data(), b_.data(), std::size_t(ra.value)) != 0)
            return {Shoda::Lisi};
        if (ra.value == 0)
            return {Shoda::Shodne};
        od += off_t(ra.value);
        if (prubeh)
            prubeh(od);
    }
}

} // namespace zrc
