#include "operace/kopie_souboru.h"

#include "engine/docasne_soubory.h"
#include "platform/zapisy.h"

#include <cerrno>

namespace zrc {

namespace {

constexpr std::string_view pripona = priponaDocasneho;
constexpr std::size_t delkaNahodne = delkaNahodneCasti;
constexpr std::size_t maxJmeno = 255;   // NAME_MAX of every Linux file system
constexpr int pokusyJmena = 16;          // EEXIST on six random characters: practically never

// O_TMPFILE is not there: a file system without it (EOPNOTSUPP), a kernel
// before 3.11 (EISDIR: the flag includes O_DIRECTORY), or EINVAL.
bool tmpfileOdmitnut(int err)
{
    return err == EOPNOTSUPP || err == EISDIR || err == EINVAL;
}

std::string cestaFd(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

// Links the complete file without name to its target name; EEXIST where a
// file appeared there, as RENAME_NOREPLACE refuses it.
ChybaSouboru prilinkuj(platform::Syscalls& sys, DocasnySoubor& t)
{
    const int d = t.adresar->get();
    const auto r = t.link == Link::Deskriptor
                       ? sys.linkAt(t.bezJmena.get(), "", d, t.cil.c_str(), AT_EMPTY_PATH)
                       : sys.linkAt(AT_FDCWD, cestaFd(t.bezJmena.get()).c_str(), d,
                                    t.cil.c_str(), AT_SYMLINK_FOLLOW);
    if (!r.ok())
        return r.err == EEXIST ? ChybaSouboru{Duvod::CilExistuje, 0} : ChybaSouboru::systemu(r.err);
    // close reports the write errors of some file systems (NFS, FUSE): the
    // file just linked where nothing was goes again, the copy failed.
    if (const auto z = sys.close(t.bezJmena.release()); !z.ok()) {
        (void)sys.unlinkAt(d, t.cil.c_str(), 0);   // cleanup; z is the error reported
        return ChybaSouboru::systemu(z.err);
    }
    return {};
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

ChybaSouboru KopirujSoubor::vytvorDocasny(int adresar, std::string_view jmeno, mode_t mod,
                                          DocasnySoubor& t, platform::Fd& fd)
{
    constexpr int priznaky = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    for (int pokus = 0; pokus < pokusyJmena; ++pokus) {
        t.jmeno = jmenoDocasneho(jmeno, platform::nahodnaCast(delkaNahodne));
        const auto r = sys_.openAt(adresar, t.jmeno.c_str(), priznaky, mod);
        if (r.ok()) {
            fd = platform::Fd(sys_, static_cast<int>(r.value));
            return {};
        }
        if (r.err != EEXIST)
            return ChybaSouboru::systemu(r.err);
    }
    return ChybaSouboru::systemu(EEXIST);
}

// A file without name in the target directory. False where O_TMPFILE or both
// ways of linking it are refused (the named temporary file is made instead)
// and on an error of the directory (in chyba).
bool KopirujSoubor::bezJmena(int adresar, mode_t mod, platform::Fd& fd, ChybaSouboru& chyba)
{
    if (tmpfile_ == Stav::Odmitnuto)
        return false;
    const auto r = sys_.openAt(adresar, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mod);
    if (!r.ok()) {
        if (tmpfileOdmitnut(r.err))
            tmpfile_ = Stav::Odmitnuto;
        else
            chyba = ChybaSouboru::systemu(r.err);
        return false;
    }
    platform::Fd f(sys_, static_cast<int>(r.value));
    if (tmpfile_ == Stav::Nezkouseno)
        tmpfile_ = zpusobLinku(f.get(), adresar);
    if (tmpfile_ == Stav::Odmitnuto)
        return false;
    fd = std::move(f);
    return true;
}

// Which link the kernel allows, asked by linking the file to ".": the old name
// is resolved first (ENOENT where the way is not allowed), and the new name
// "." always exists (EEXIST). Nothing is created.
KopirujSoubor::Stav KopirujSoubor::zpusobLinku(int soubor, int adresar)
{
    if (sys_.linkAt(soubor, "", adresar, ".", AT_EMPTY_PATH).err == EEXIST)
        return Stav::Deskriptor;
    if (sys_.linkAt(AT_FDCWD, cestaFd(soubor).c_str(), adresar, ".", AT_SYMLINK_FOLLOW).err == EEXIST)
        return Stav::Proc;
    return Stav::Odmitnuto;
}

bool KopirujSoubor::modPriVytvoreni(const SdilenyAdresar& adresar)
{
    if (adresar != aclAdresar_) {
        const auto r = sys_.fgetxattr(adresar->get(), "system.posix_acl_default");
        bezAcl_ = !r.ok() && (r.err == ENODATA || r.err == EOPNOTSUPP);
        aclAdresar_ = adresar;
    }
    return bezAcl_;
}

// The temporary file, with the wanted mode from its creation where the
// directory lets the umask decide (modHotov), else 0600 until fchmod.
ChybaSouboru KopirujSoubor::vytvor(const SdilenyAdresar& cil, std::string_view jmeno,
                                   const struct stat& st, DruhDocasneho druh, DocasnySoubor& t,
                                   platform::Fd& fd, bool& modHotov)
{
    modHotov = modPriVytvoreni(cil);
    const mode_t mod = modHotov ? cilovyMod(st) : 0600;
    if (druh == DruhDocasneho::BezJmena) {
        ChybaSouboru chyba;
        if (bezJmena(cil->get(), mod, fd, chyba)) {
            t.jmeno.clear();
            t.link = tmpfile_ == Stav::Deskriptor ? Link::Deskriptor : Link::Proc;
            return {};
        }
        if (chyba)
            return chyba;
    }
    return vytvorDocasny(cil->get(), jmeno, mod, t, fd);
}

// Every copy: the temporary file made, filled by naplnit (which checks its
// source too), given its times and mode, then kept or removed.
template <class Naplneni>
ChybaSouboru KopirujSoubor::proved(const SdilenyAdresar& cil, std::string_view jmeno,
                                   const struct stat& st, DruhDocasneho druh, bool sync,
                                   DocasnySoubor& vysledek, Naplneni naplnit)
{
    DocasnySoubor t{cil, {}, std::string(jmeno), {}};
    platform::Fd fd;
    bool modHotov = false;
    if (auto c = vytvor(cil, jmeno, st, druh, t, fd, modHotov))
        return c;
    ChybaSouboru c = naplnit(fd.get());
    if (!c)
        c = metadata(fd.get(), st, sync, modHotov);
    return uzavri(std::move(t), fd, c, vysledek);
}

ChybaSouboru KopirujSoubor::operator()(const ZdrojKopie& z, const SdilenyAdresar& cil,
                                       std::string_view jmeno, bool sync, DruhDocasneho druh,
                                       PrubehKopie& prubeh, DocasnySoubor& vysledek)
{
    return proved(cil, jmeno, z.st, druh, sync, vysledek, [&](int fd) {
        ChybaSouboru c = data(z.fd.get(), fd, z.st, prubeh);
        return c ? c : overZdroj(z.fd.get(), z.st);
    });
}

ChybaSouboru KopirujSoubor::zPameti(const PrectenyZdroj& z, const SdilenyAdresar& cil,
                                    std::string_view jmeno, DruhDocasneho druh,
                                    PrubehKopie& prubeh, DocasnySoubor& vysledek)
{
    return proved(cil, jmeno, z.st, druh, false, vysledek,
                  [&](int fd) { return zapisPamet(fd, z.data, prubeh); });
}

// Closes the complete temporary file, or removes it after a failure. A file
// without name stays open: closing it would free it.
ChybaSouboru KopirujSoubor::uzavri(DocasnySoubor t, platform::Fd& fd, ChybaSouboru c,
                                   DocasnySoubor& vysledek)
{
    if (!c && t.jmeno.empty()) {
        t.bezJmena = std::move(fd);
        vysledek = std::move(t);
        return {};
    }
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

ChybaSouboru KopirujSoubor::metadata(int cil, const struct stat& st, bool sync, bool modHotov)
{
    const timespec casy[2] = {st.st_atim, st.st_mtim};
    if (const auto r = sys_.futimens(cil, casy); !r.ok())
        return ChybaSouboru::systemu(r.err);
    if (!modHotov)
        if (const auto r = sys_.fchmod(cil, cilovyMod(st)); !r.ok())
            return ChybaSouboru::systemu(r.err);
    if (sync)
        if (const auto r = sys_.fdatasync(cil); !r.ok())
            return ChybaSouboru::systemu(r.err);
    return {};
}

ChybaSouboru umisti(platform::Syscalls& sys, DocasnySoubor& t, Prepis prepis)
{
    if (t.bezJmena.valid())
        return prilinkuj(sys, t);
    const int d = t.adresar->get();
    if (prepis == Prepis::Nahradit) {
        const auto r = sys.renameAt(d, t.jmeno.c_str(), d, t.cil.c_str(), 0);
        return r.ok() ? ChybaSouboru{} : ChybaSouboru::systemu(r.err);
    }
    const auto r = platform::prejmenujBezPrepisu(sys, d, t.jmeno.c_str(), d, t.cil.c_str());
    if (r.ok())
        return {};
    return r.err == EEXIST ? ChybaSouboru{Duvod::CilExistuje, 0} : ChybaSouboru::systemu(r.err);
}

void odstranDocasny(platform::Syscalls& sys, DocasnySoubor& t)
{
    t.bezJmena.reset();
    // Cleanup after a failure that is reported already; a leftover is found
    // by the next comparison (engine/docasne_soubory.h).
    if (t.adresar && !t.jmeno.empty())
        (void)sys.unlinkAt(t.adresar->get(), t.jmeno.c_str(), 0);
}

} // namespace zrc
