#include "platform/kos.h"

#include "platform/zapisy.h"

#include <algorithm>
#include <cerrno>
#include <linux/fs.h>
#include <unistd.h>

namespace zrc::platform {

namespace {

constexpr int priznakyAdresare = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW;
// "x.10000.txt": a directory with that many equal names is not a trash to fill.
constexpr int maxPokusu = 10000;

// A subdirectory of a trash: created 0700 when missing, a real directory
// owned by the user (a symbolic link planted there is never followed).
SysResult podadresar(Syscalls& sys, int rodic, const char* jmeno, long uid)
{
    const auto m = sys.mkdirAt(rodic, jmeno, 0700);
    if (!m.ok() && m.err != EEXIST)
        return m;
    auto r = sys.openAt(rodic, jmeno, priznakyAdresare);
    if (!r.ok())
        return r;
    Fd fd(sys, static_cast<int>(r.value));
    struct stat st {};
    const auto s = sys.fstat(fd.get(), st);
    if (!s.ok() || static_cast<long>(st.st_uid) != uid)
        return SysResult::fail(s.ok() ? EPERM : s.err);
    r.value = fd.release();
    return r;
}

// The path below topdir; the absolute path (which the trash layout allows
// too) when the file's path does not start there, as in another mount namespace.
std::string relativne(const std::string& cesta, const std::string& topdir)
{
    if (topdir == "/")
        return cesta.substr(1);
    if (cesta.size() <= topdir.size() + 1 || !cesta.starts_with(topdir) ||
        cesta[topdir.size()] != '/')
        return cesta;
    return cesta.substr(topdir.size() + 1);
}

} // namespace

struct Kos::Misto {
    std::string kos;        // the trash directory
    std::string topdir;     // "" for the home trash: absolute paths in the info files
    Fd soubory, info;
    int err = 0;            // why the trash is unusable
    bool pouzitelny() const { return err == 0; }
};

Kos::Kos(VolbyKose volby)
    : sys_(volby.sys ? *volby.sys : realSyscalls()), volby_(std::move(volby))
{
    if (volby_.domov.empty())
        volby_.domov = domovskyKos();
    if (volby_.uid < 0)
        volby_.uid = static_cast<long>(::getuid());
}

Kos::~Kos() = default;

VysledekKose Kos::doKose(int adresar, const std::string& jmeno)
{
    return kamKoliv(adresar, jmeno, Zpusob::Prejmenovat);
}

VysledekKose Kos::uloz(int adresar, const std::string& jmeno)
{
    auto v = kamKoliv(adresar, jmeno, Zpusob::Propojit);
    if (v.stav == StavKose::Chyba && (v.err == EPERM || v.err == EOPNOTSUPP || v.err == EMLINK ||
                                      v.err == ENOSYS || v.err == EACCES))
        v = kamKoliv(adresar, jmeno, Zpusob::Prejmenovat);
    return v;
}

SysResult Kos::vrat(const VysledekKose& v, int adresar, const std::string& jmeno)
{
    if (!v.ok() || v.odkaz)
        return {};
    const std::string soubor = v.kos + "/files/" + v.jmeno;
    // The name was emptied by uloz() a moment ago and the failed replacement
    // left nothing there; a plain rename where NOREPLACE is missing keeps
    // this working where hard links are refused too (that is why uloz()
    // renamed).
    const auto r = prejmenujBezPrepisu(sys_, AT_FDCWD, soubor.c_str(), adresar, jmeno.c_str(),
                                       BezNoreplace::Prepsanim);
    if (!r.ok())
        return r;
    // The data is back; an info file left behind names no data, and file
    // managers ignore it.
    (void)sys_.unlinkAt(AT_FDCWD, (v.kos + "/info/" + v.jmeno + ".trashinfo").c_str(), 0);
    return {};
}

VysledekKose Kos::kamKoliv(int adresar, const std::string& jmeno, Zpusob zpusob)
{
    struct stat st {};
    if (const auto r = sys_.fstatAt(adresar, jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW); !r.ok())
        return {StavKose::Chyba, r.err, {}, {}, false};
    // The trash is found by the file's device (home) and its directory's mount
    // id, never by the path's text. The path is needed for the info file
    // alone; beyond 4 KiB (PATH_MAX, the limit of /proc/self/fd) it cannot be
    // read, and then no trash takes the file (ENAMETOOLONG, before a
    // .Trash-$uid is made for nothing): the caller asks whether to delete it
    // permanently instead.
    const std::string dir = cestaDeskriptoru(adresar);
    if (dir.empty())
        return {StavKose::Nepouzitelny, ENAMETOOLONG, {}, {}};
    const std::string cesta = (dir == "/" ? "" : dir) + "/" + jmeno;
    VysledekKose v{StavKose::Nepouzitelny, ENOENT, {}, {}};
    // The home trash for a file on the file system of $XDG_DATA_HOME, then
    // (also after EXDEV from a bind mount) the trash of the file's own mount.
    // The mount's trash is resolved only when needed: no .Trash-$uid appears
    // on the home file system.
    const auto zkus = [&](const SdileneMisto& m) {
        v = m->pouzitelny() ? vloz(*m, adresar, jmeno, cesta, zpusob)
                            : VysledekKose{StavKose::Nepouzitelny, m->err, m->kos, {}};
        return v.stav != StavKose::Nepouzitelny;
    };
    if (auto d = domovske(); d && domovDevZnam_ && domovDev_ == st.st_dev && zkus(d))
        return v;
    if (auto m = naPripojeni(adresar, dir); m && zkus(m))
        return v;
    return v;
}

Kos::SdileneMisto Kos::domovske()
{
    if (domovZjisten_)
        return domov_;
    domovZjisten_ = true;
    if (volby_.domov.empty())
        return nullptr;
    // 0700 for every missing component, as the freedesktop.org base directory
    // rules ask of $XDG_DATA_HOME; a failure shows in the open below.
    (void)vytvorCestu(sys_, volby_.domov, 0700);
    domov_ = otevriMisto(AT_FDCWD, volby_.domov, {});
    struct stat st {};
    if (domov_->pouzitelny() && sys_.fstat(domov_->soubory.get(), st).ok()) {
        domovDev_ = st.st_dev;
        domovDevZnam_ = true;
    }
    return domov_;
}

Kos::SdileneMisto Kos::naPripojeni(int adresar, const std::string& cesta)
{
    const int id = idPripojeni(adresar);
    if (id >= 0)
        if (auto it = pripojeni_.find(id); it != pripojeni_.end())
            return it->second;
    auto m = pripojeniAdresare(adresar, cesta, tabulka_);
    if (!m || (id >= 0 && m->id != id)) {
        tabulka_ = nactiPripojeni();   // mounted since the table was read
        m = pripojeniAdresare(adresar, cesta, tabulka_);
    }
    if (!m)
        return nullptr;
    const std::string& top = m->bod;
    const std::string uid = std::to_string(volby_.uid);
    SdileneMisto misto;
    // $topdir/.Trash/$uid only below a real, sticky .Trash: in a world-writable
    // directory without the sticky bit another user could swap our subdirectory.
    struct stat st {};
    const std::string spolecny = (top == "/" ? "" : top) + "/.Trash";
    if (sys_.fstatAt(AT_FDCWD, spolecny.c_str(), st, AT_SYMLINK_NOFOLLOW).ok() &&
        S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        if (const auto r = sys_.openAt(AT_FDCWD, spolecny.c_str(), priznakyAdresare); r.ok()) {
            Fd fd(sys_, static_cast<int>(r.value));
            const auto u = podadresar(sys_, fd.get(), uid.c_str(), volby_.uid);
            if (u.ok()) {
                Fd k(sys_, static_cast<int>(u.value));
                misto = otevriMisto(k.get(), spolecny + "/" + uid, top);
            }
        }
    }
    if (!misto || !misto->pouzitelny()) {
        const std::string vlastni = (top == "/" ? "" : top) + "/.Trash-" + uid;
        misto = std::make_shared<Misto>();
        misto->kos = vlastni;
        const auto r = sys_.openAt(AT_FDCWD, top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (!r.ok()) {
            misto->err = r.err;
        } else {
            Fd t(sys_, static_cast<int>(r.value));
            const auto u = podadresar(sys_, t.get(), (".Trash-" + uid).c_str(), volby_.uid);
            if (!u.ok())
                misto->err = u.err;
            else {
                Fd k(sys_, static_cast<int>(u.value));
                misto = otevriMisto(k.get(), vlastni, top);
            }
        }
    }
    if (id >= 0)
        pripojeni_[id] = misto;
    return misto;
}

// files/ and info/ of a trash directory (koren: its descriptor, or AT_FDCWD
// with the path).
Kos::SdileneMisto Kos::otevriMisto(int koren, const std::string& cesta, const std::string& topdir)
{
    auto m = std::make_shared<Misto>();
    m->kos = cesta;
    m->topdir = topdir;
    Fd vlastni;
    if (koren == AT_FDCWD) {
        // The home trash as the user set it up, a symbolic link to another
        // disk included; only the trashes at a mount's top refuse links.
        const auto r = sys_.openAt(AT_FDCWD, cesta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (!r.ok()) {
            m->err = r.err;
            return m;
        }
        vlastni = Fd(sys_, static_cast<int>(r.value));
        koren = vlastni.get();
    }
    const auto f = podadresar(sys_, koren, "files", volby_.uid);
    if (!f.ok()) {
        m->err = f.err;
        return m;
    }
    m->soubory = Fd(sys_, static_cast<int>(f.value));
    const auto i = podadresar(sys_, koren, "info", volby_.uid);
    if (!i.ok()) {
        m->err = i.err;
        return m;
    }
    m->info = Fd(sys_, static_cast<int>(i.value));
    return m;
}

// info/NAME.trashinfo complete first (O_EXCL claims NAME), then the rename.
VysledekKose Kos::vloz(const Misto& m, int adresar, const std::string& jmeno,
                       const std::string& cesta, Zpusob zpusob)
{
    const std::string text =
        textInfa(m.topdir.empty() ? cesta : relativne(cesta, m.topdir),
                 volby_.cas ? volby_.cas : std::time(nullptr));
    constexpr int priznaky = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    for (int n = 1; n <= maxPokusu; ++n) {
        const std::string kandidat = kandidatJmena(jmeno, n);
        const std::string info = kandidat + ".trashinfo";
        const auto o = sys_.openAt(m.info.get(), info.c_str(), priznaky, 0600);
        if (!o.ok() && o.err == EEXIST)
            continue;
        if (!o.ok())
            return {StavKose::Nepouzitelny, o.err, m.kos, {}};
        Fd fd(sys_, static_cast<int>(o.value));
        struct stat st {};
        if (sys_.fstatAt(m.soubory.get(), kandidat.c_str(), st, AT_SYMLINK_NOFOLLOW).ok()) {
            // Data left in files/ without its info file: the name stays taken.
            fd.reset();
            // Gives the name back; should that fail, the stray info file
            // names our path for data that is not ours: harmless, as a
            // restore never replaces an existing file.
            (void)sys_.unlinkAt(m.info.get(), info.c_str(), 0);
            continue;
        }
        int e = zapisVse(sys_, fd.get(), text.data(), text.size()).err;
        if (const auto c = sys_.close(fd.release()); !e && !c.ok())
            e = c.err;
        if (e) {
            (void)sys_.unlinkAt(m.info.get(), info.c_str(), 0);   // cleanup; e is reported
            return {StavKose::Nepouzitelny, e, m.kos, {}};
        }
        const bool odkaz = zpusob == Zpusob::Propojit;
        // files/NAME was just seen absent and NAME is claimed by its info file:
        // a plain rename where NOREPLACE is missing replaces nothing.
        const auto r = odkaz ? sys_.linkAt(adresar, jmeno.c_str(), m.soubory.get(), kandidat.c_str())
                             : prejmenujBezPrepisu(sys_, adresar, jmeno.c_str(), m.soubory.get(),
                                                   kandidat.c_str(), BezNoreplace::Prepsanim);
        if (r.ok()) {
            oznacZmenu(m);
            return {StavKose::Presunuto, 0, m.kos, kandidat, odkaz};
        }
        (void)sys_.unlinkAt(m.info.get(), info.c_str(), 0);   // cleanup; r is reported
        if (r.err == EEXIST)
            continue;
        // EXDEV: this trash lies on another mount; never a copy.
        return {r.err == EXDEV ? StavKose::Nepouzitelny : StavKose::Chyba, r.err, m.kos, {}};
    }
    return {StavKose::Nepouzitelny, EEXIST, m.kos, {}};
}

void Kos::oznacZmenu(const Misto& m)
{
    const auto je = [&m](const SdileneMisto& d) { return d.get() == &m; };
    if (std::any_of(zmenena_.begin(), zmenena_.end(), je))
        return;
    if (je(domov_)) {
        zmenena_.push_back(domov_);
        return;
    }
    for (const auto& [id, d] : pripojeni_) {
        if (je(d)) {
            zmenena_.push_back(d);
            return;
        }
    }
}

SysResult Kos::synchronizuj()
{
    SysResult prvni;
    for (const auto& m : zmenena_) {
        for (const int fd : {m->soubory.get(), m->info.get()})
            if (const auto r = sys_.fsync(fd); !r.ok() && prvni.ok())
                prvni = r;
    }
    zmenena_.clear();
    return prvni;
}

} // namespace zrc::platform
