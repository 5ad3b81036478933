#include "platform/zapisy.h"

#include <cerrno>
#include <linux/fs.h>
#include <random>

namespace zrc::platform {

namespace {

bool bezNoreplace(int err)
{
    return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}

// Undoes the link of a failed link + unlink, only while doJmeno is still the
// file that odJmeno names: a file that replaced it meanwhile is not ours.
void odeberOdkaz(Syscalls& sys, int odAdresar, const char* odJmeno, int doAdresar, const char* doJmeno)
{
    struct stat puvodni {}, odkaz {};
    if (!sys.fstatAt(odAdresar, odJmeno, puvodni, AT_SYMLINK_NOFOLLOW).ok() ||
        !sys.fstatAt(doAdresar, doJmeno, odkaz, AT_SYMLINK_NOFOLLOW).ok() ||
        puvodni.st_dev != odkaz.st_dev || puvodni.st_ino != odkaz.st_ino)
        return;
    // A failure leaves the data under both names; the caller reports the
    // unlink's error all the same.
    (void)sys.unlinkAt(doAdresar, doJmeno, 0);
}

SysResult prelinkuj(Syscalls& sys, int odAdresar, const char* odJmeno, int doAdresar, const char* doJmeno)
{
    if (const auto r = sys.linkAt(odAdresar, odJmeno, doAdresar, doJmeno); !r.ok())
        return r;
    const auto u = sys.unlinkAt(odAdresar, odJmeno, 0);
    if (!u.ok())
        odeberOdkaz(sys, odAdresar, odJmeno, doAdresar, doJmeno);
    return u;
}

// The temporary file filled and flushed; its descriptor closed in every case.
SysResult naplnDocasny(Syscalls& sys, Fd fd, std::string_view obsah, const struct stat* puvodni)
{
    auto r = zapisVse(sys, fd.get(), obsah.data(), obsah.size());
    if (r.ok() && puvodni)
        r = sys.fchmod(fd.get(), puvodni->st_mode & 07777);
    if (r.ok())
        r = sys.fsync(fd.get());
    // close reports the write errors of some file systems (NFS, FUSE).
    const auto c = sys.close(fd.release());
    return r.ok() ? c : r;
}

// Creates the temporary sibling of jmeno (its name in docasny).
SysResult vytvorDocasny(Syscalls& sys, int adresar, const std::string& jmeno, DocasneJmeno druh,
                        std::string& docasny)
{
    constexpr int priznaky = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    if (druh == DocasneJmeno::Pevne) {
        docasny = "." + jmeno + ".tmp";
        // Only a leftover of a killed writer can stand there (see the header).
        (void)sys.unlinkAt(adresar, docasny.c_str(), 0);
        return sys.openAt(adresar, docasny.c_str(), priznaky, 0666);
    }
    // EEXIST on six random characters: practically never; 16 tries.
    SysResult r = SysResult::fail(EEXIST);
    for (int pokus = 0; pokus < 16 && !r.ok() && r.err == EEXIST; ++pokus) {
        docasny = "." + jmeno + "." + nahodnaCast(6) + ".tmp";
        r = sys.openAt(adresar, docasny.c_str(), priznaky, 0666);
    }
    return r;
}

} // namespace

SysResult zapisVse(Syscalls& sys, int fd, const void* data, std::size_t n, off_t od)
{
    const auto* p = static_cast<const char*>(data);
    for (std::size_t hotovo = 0; hotovo < n;) {
        const auto w = sys.pwrite(fd, p + hotovo, n - hotovo, od + static_cast<off_t>(hotovo));
        if (!w.ok())
            return w;
        if (w.value == 0)
            return SysResult::fail(EIO);
        hotovo += static_cast<std::size_t>(w.value);
    }
    return {};
}

SysResult prejmenujBezPrepisu(Syscalls& sys, int odAdresar, const char* odJmeno, int doAdresar,
                              const char* doJmeno, BezNoreplace jinak)
{
    const auto r = sys.renameAt(odAdresar, odJmeno, doAdresar, doJmeno, RENAME_NOREPLACE);
    if (r.ok() || !bezNoreplace(r.err))
        return r;
    if (jinak == BezNoreplace::Prepsanim)
        return sys.renameAt(odAdresar, odJmeno, doAdresar, doJmeno, 0);
    return prelinkuj(sys, odAdresar, odJmeno, doAdresar, doJmeno);
}

SysResult nahradSoubor(Syscalls& sys, int adresar, const std::string& jmeno, std::string_view obsah,
                       DocasneJmeno druh)
{
    struct stat st {};
    const bool existuje = sys.fstatAt(adresar, jmeno.c_str(), st, 0).ok();
    std::string docasny;
    const auto o = vytvorDocasny(sys, adresar, jmeno, druh, docasny);
    if (!o.ok())
        return o;
    auto r = naplnDocasny(sys, Fd(sys, static_cast<int>(o.value)), obsah, existuje ? &st : nullptr);
    if (r.ok())
        r = sys.renameAt(adresar, docasny.c_str(), adresar, jmeno.c_str(), 0);
    if (!r.ok()) {
        (void)sys.unlinkAt(adresar, docasny.c_str(), 0);   // cleanup; r says what failed
        return r;
    }
    // Makes the rename itself durable. The file is replaced already: a
    // failure here is no reason to tell the caller that nothing changed.
    (void)sys.fsync(adresar);
    return {};
}

SysResult nahradSoubor(Syscalls& sys, const std::string& cesta, std::string_view obsah)
{
    const auto lomitko = cesta.rfind('/');
    const std::string adresar = lomitko == std::string::npos ? "." : lomitko == 0 ? "/" : cesta.substr(0, lomitko);
    const auto d = sys.openAt(AT_FDCWD, adresar.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!d.ok())
        return d;
    const Fd fd(sys, static_cast<int>(d.value));
    return nahradSoubor(sys, fd.get(), cesta.substr(lomitko == std::string::npos ? 0 : lomitko + 1), obsah);
}

std::string nahodnaCast(std::size_t delka)
{
    static constexpr char znaky[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 gen{std::random_device{}()};
    std::uniform_int_distribution<int> d(0, 35);
    std::string s(delka, 'a');
    for (char& c : s)
        c = znaky[d(gen)];
    return s;
}

} // namespace zrc::platform
