#include "engine/kopie_souboru.h"

#include <cerrno>
#include <linux/fs.h>
#include <random>

namespace zrc {

namespace {

constexpr std::string_view pripona = ".zrtmp";
constexpr std::size_t delkaNahodne = 6;
constexpr std::size_t maxJmeno = 255;   // NAME_MAX of every Linux file system
constexpr int pokusyJmena = 16;          // EEXIST on six random characters: practically never

std::string nahodne()
{
    static constexpr char znaky[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 gen{std::random_device{}()};
    std::uniform_int_distribution<int> d(0, 35);
    std::string s(delkaNahodne, 'a');
    for (char& c : s)
        c = znaky[d(gen)];
    return s;
}

} // namespace

bool stejnyZdroj(const struct stat& pred, const struct stat& po)
{
    return po.st_size == pred.st_size && po.st_ino == pred.st_ino && po.st_dev == pred.st_dev &&
           po.st_mtim.tv_sec == pred.st_mtim.tv_sec && po.st_mtim.tv_nsec == pred.st_mtim.tv_nsec;
}

std::string jmenoDocasneho(std::string_view jmeno, std::string_view nah)
{
    const std::size_t navic = 2 + nah.size() + pripona.size();
    std::size_t delka = std::min(jmeno.size(), maxJmeno - navic);
    // Never cut inside a UTF-8 sequence: back up over continuation bytes.
    while (delka < jmeno.size() && delka > 0 &&
           (static_cast<unsigned char>(jmeno[delka]) & 0xC0) == 0x80)
        --delka;
    std::string s;
    s.reserve(delka + navic);
    s += '.';
    s += jmeno.substr(0, delka);
    s += '.';
    s += nah;
    s += pripona;
    return s;
}

bool jeDocasnySoubor(std::string_view j)
{
    const std::size_t ocas = 1 + delkaNahodne + pripona.size();
    if (j.size() < 2 + ocas || j[0] != '.' || !j.ends_with(pripona))
        return false;
    const std::size_t tecka = j.size() - ocas;
    if (j[tecka] != '.')
        return false;
    for (char c : j.substr(tecka + 1, delkaNahodne))
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

ChybaSouboru otevriZdroj(platform::Syscalls& sys, int adresar, const char* jmeno, ZdrojKopie& z)
{
    const auto r = sys.openAt(adresar, jmeno, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (!r.ok())
        return ChybaSouboru::systemu(r.err);
    z.fd = platform::Fd(sys, static_cast<int>(r.value));
    const auto s = sys.fstat(z.fd.get(), z.st);
    if (!s.ok())
        return ChybaSouboru::systemu(s.err);
    if (!S_ISREG(z.st.st_mode))
        return {Duvod::NeniSoubor, 0};
    return {};
}

ChybaSouboru zkontrolujCil(platform::Syscalls& sys, int adresar, const char* jmeno,
                           const struct stat& zdroj, Prepis prepis, StavCile& stav)
{
    struct stat t {};
    const auto r = sys.fstatAt(adresar, jmeno, t, AT_SYMLINK_NOFOLLOW);
    stav.existuje = r.ok();
    if (!r.ok())
        return r.err == ENOENT ? ChybaSouboru{} : ChybaSouboru::systemu(r.err);
    if (prepis == Prepis::JenNovy)
        return {Duvod::CilExistuje, 0};
    if (S_ISDIR(t.st_mode))
        return ChybaSouboru::systemu(EISDIR);
    struct stat f {};
    if (sys.fstatAt(adresar, jmeno, f, 0).ok() && f.st_dev == zdroj.st_dev &&
        f.st_ino == zdroj.st_ino)
        return {Duvod::TentyzSoubor, 0};
    if (S_ISREG(t.st_mode) && !(t.st_mode & S_IWUSR))
        return {Duvod::CilJenProCteni, 0};
    return {};
}

KopirujSoubor::KopirujSoubor(platform::Syscalls& sys, const VolbyOperace& volby)
    : sys_(sys), volby_(volby), umask_(platform::processUmask())
{
}

ChybaSouboru KopirujSoubor::vytvorDocasny(int adresar, std::string_view jmeno, DocasnySoubor& t,
                                          platform::Fd& fd)
{
    constexpr int priznaky = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    for (int pokus = 0; pokus < pokusyJmena; ++pokus) {
        t.jmeno = jmenoDocasneho(jmeno, nahodne());
        const auto r = sys_.openAt(adresar, t.jmeno.c_str(), priznaky, 0600);
        if (r.ok()) {
            fd = platform::Fd(sys_, static_cast<int>(r.value));
            return {};
        }
        if (r.err != EEXIST)
            return ChybaSouboru::systemu(r.err);
    }
    return ChybaSouboru::systemu(EEXIST);
}

ChybaSouboru KopirujSoubor::operator()(const ZdrojKopie& z, const SdilenyAdresar& cil,
                                       std::string_view jmeno, bool sync, PrubehKopie& prubeh,
                                       DocasnySoubor& vysledek)
{
    DocasnySoubor t{cil, {}, std::string(jmeno)};
    platform::Fd fd;
    if (auto c = vytvorDocasny(cil->get(), jmeno, t, fd))
        return c;
    auto c = data(z.fd.get(), fd.get(), z.st, prubeh);
    if (!c)
        c = overZdroj(z.fd.get(), z.st);
    if (!c)
        c = metadata(fd.get(), z.st, sync);
    return uzavri(std::move(t), fd, c, vysledek);
}

ChybaSouboru KopirujSoubor::zPameti(const PrectenyZdroj& z, const SdilenyAdresar& cil,
                                    std::string_view jmeno, PrubehKopie& prubeh,
                                    DocasnySoubor& vysledek)
{
    DocasnySoubor t{cil, {}, std::string(jmeno)};
    platform::Fd fd;
    if (auto c = vytvorDocasny(cil->get(), jmeno, t, fd))
        return c;
    auto c = zapisPamet(fd.get(), z.data, prubeh);
    if (!c)
        c = metadata(fd.get(), z.st, false);
    return uzavri(std::move(t), fd, c, vysledek);
}

// Closes the complete temporary file, or removes it after a failure.
ChybaSouboru KopirujSoubor::uzavri(DocasnySoubor t, platform::Fd& fd, ChybaSouboru c,
                                   DocasnySoubor& vysledek)
{
    if (!c) {
        // close reports the write errors of some file systems (NFS, FUSE).
        if (const auto r = sys_.close(fd.release()); !r.ok())
            c = ChybaSouboru::systemu(r.err);
    }
    if (c) {
        fd.reset();
        odstranDocasny(sys_, t);
        return c;
    }
    vysledek = std::move(t);
    return {};
}

ChybaSouboru KopirujSoubor::overZdroj(int zdroj, const struct stat& st)
{
    struct stat po {};
    const auto s = sys_.fstat(zdroj, po);
    if (!s.ok())
        return ChybaSouboru::systemu(s.err);
    return stejnyZdroj(st, po) ? ChybaSouboru{} : ChybaSouboru{Duvod::ZdrojSeZmenil, 0};
}

ChybaSouboru KopirujSoubor::metadata(int cil, const struct stat& st, bool sync)
{
    const timespec casy[2] = {st.st_atim, st.st_mtim};
    if (const auto r = sys_.futimens(cil, casy); !r.ok())
        return ChybaSouboru::systemu(r.err);
    const mode_t mod = st.st_mode & 0777 & ~umask_;
    if (const auto r = sys_.fchmod(cil, mod); !r.ok())
        return ChybaSouboru::systemu(r.err);
    if (sync)
        if (const auto r = sys_.fdatasync(cil); !r.ok())
            return ChybaSouboru::systemu(r.err);
    return {};
}

ChybaSouboru umisti(platform::Syscalls& sys, const DocasnySoubor& t, Prepis prepis)
{
    const int d = t.adresar->get();
    if (prepis == Prepis::Nahradit) {
        const auto r = sys.renameAt(d, t.jmeno.c_str(), d, t.cil.c_str(), 0);
        return r.ok() ? ChybaSouboru{} : ChybaSouboru::systemu(r.err);
    }
    auto r = sys.renameAt(d, t.jmeno.c_str(), d, t.cil.c_str(), RENAME_NOREPLACE);
    if (!r.ok() && (r.err == EINVAL || r.err == ENOSYS || r.err == EOPNOTSUPP)) {
        // No RENAME_NOREPLACE here (some network and FUSE file systems): a hard
        // link fails with EEXIST just as atomically.
        r = sys.linkAt(d, t.jmeno.c_str(), d, t.cil.c_str());
        if (r.ok())
            sys.unlinkAt(d, t.jmeno.c_str(), 0);
    }
    if (r.ok())
        return {};
    return r.err == EEXIST ? ChybaSouboru{Duvod::CilExistuje, 0} : ChybaSouboru::systemu(r.err);
}

void odstranDocasny(platform::Syscalls& sys, const DocasnySoubor& t)
{
    if (t.adresar && !t.jmeno.empty())
        sys.unlinkAt(t.adresar->get(), t.jmeno.c_str(), 0);
}

} // namespace zrc
