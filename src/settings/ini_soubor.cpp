#include "settings/ini_soubor.h"
#include "util/bajty_cesty.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc {

namespace {

// Closes a descriptor on every path.
class Popisovac {
public:
    explicit Popisovac(int fd = -1) : fd_(fd) {}
    ~Popisovac() { if (fd_ >= 0) ::close(fd_); }
    Popisovac(const Popisovac&) = delete;
    Popisovac& operator=(const Popisovac&) = delete;
    int get() const { return fd_; }
    int uvolni() { int fd = fd_; fd_ = -1; return fd; }
private:
    int fd_;
};

bool zapisVse(int fd, QByteArrayView data)
{
    while (!data.isEmpty()) {
        const ssize_t n = ::write(fd, data.data(), static_cast<size_t>(data.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data = data.sliced(n);
    }
    return true;
}

// A settings file is a few kilobytes; 16 MiB is far beyond any the program
// writes (30 history entries and a few lists), and reading a larger one would
// stall the window for minutes on every access.
constexpr off_t nejvetsiSoubor = 16 * 1024 * 1024;

// Opens the settings file for reading, or refuses it: a FIFO, device or
// directory is never read (a FIFO would block until somebody writes), nor is a
// file larger than nejvetsiSoubor. O_NONBLOCK keeps the open itself from
// waiting on a FIFO. st receives its status.
int otevriKeCteni(const QByteArray& cesta, struct stat& st)
{
    // Looked at before the open too: opening some devices acts on them.
    if (::stat(cesta.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    Popisovac fd(::open(cesta.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return -1;
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > nejvetsiSoubor) {
        errno = EINVAL;
        return -1;
    }
    return fd.uvolni();
}

QByteArray nactiVse(int fd)
{
    QByteArray data;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return data;
        data.append(buf, n);
    }
}

// The file that is replaced: a symbolic link is followed, so that the link
// stays and the file it names gets the new content.
QByteArray cilovaCesta(const QString& cesta)
{
    QByteArray c = QByteArray::fromStdString(bajtyZTextu(cesta));
    struct stat st;
    if (::lstat(c.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char skutecna[PATH_MAX];
        if (::realpath(c.constData(), skutecna))
            return QByteArray(skutecna);
    }
    return c;
}

// The temporary sibling: a dot file of one fixed name beside the target,
// created exclusively. Writers hold the directory lock while it exists, so one
// found there is left by a writer that was killed: it is removed first, and
// killed writes never pile up copies of the file. The mode 0666 lets the umask
// decide, as for any new file.
int vytvorDocasny(const QByteArray& cil, QByteArray& jmeno)
{
    const qsizetype lomitko = cil.lastIndexOf('/');
    jmeno = cil.left(lomitko + 1) + '.' + cil.mid(lomitko + 1) + ".tmp";
    ::unlink(jmeno.constData());
    return ::open(jmeno.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

bool nahradSoubor(const QByteArray& cil, QByteArrayView obsah, const struct stat* puvodni)
{
    QByteArray docasny;
    Popisovac fd(vytvorDocasny(cil, docasny));
    if (fd.get() < 0)
        return false;
    bool ok = zapisVse(fd.get(), obsah)
           && (!puvodni || ::fchmod(fd.get(), puvodni->st_mode & 07777) == 0)
           && ::fsync(fd.get()) == 0;
    ok = (::close(fd.uvolni()) == 0) && ok;
    ok = ok && ::rename(docasny.constData(), cil.constData()) == 0;
    if (!ok)
        ::unlink(docasny.constData());
    return ok;
}

QByteArray adresarCesty(const QByteArray& cesta)
{
    const qsizetype lomitko = cesta.lastIndexOf('/');
    if (lomitko < 0)
        return ".";
    return lomitko == 0 ? QByteArray("/") : cesta.left(lomitko);
}

} // namespace

VysledekZapisu VysledekZapisu::selhani(const QString& cesta)
{
    VysledekZapisu v;
    v.chyba_ = QStringLiteral("Unable to write to %1").arg(cesta);
    return v;
}

IniDokument nactiIni(const QString& cesta)
{
    struct stat st;
    Popisovac fd(otevriKeCteni(QByteArray::fromStdString(bajtyZTextu(cesta)), st));
    if (fd.get() < 0)
        return {};
    return IniDokument::zTextu(nactiVse(fd.get()));
}

std::optional<QString> overCteniIni(const QString& cesta)
{
    struct stat st;
    Popisovac fd(otevriKeCteni(QByteArray::fromStdString(bajtyZTextu(cesta)), st));
    if (fd.get() < 0)
        return QStringLiteral("Unable to read %1").arg(cesta);
    return std::nullopt;
}

VysledekZapisu zmenIni(const QString& cesta, const std::function<void(IniDokument&)>& zmena)
{
    const QByteArray cil = cilovaCesta(cesta);
    Popisovac adresar(::open(adresarCesty(cil).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (adresar.get() < 0)
        return VysledekZapisu::selhani(cesta);
    // Serialises read-modify-write cycles of all writers of this directory.
    // The lock goes with the descriptor; readers need none, the rename is atomic.
    while (::flock(adresar.get(), LOCK_EX) != 0 && errno == EINTR) {}

    struct stat st;
    Popisovac stary(otevriKeCteni(cil, st));
    // A file that exists but cannot be read (or is no settings file at all) is
    // never replaced: its content would be lost. Nor is one that its owner made
    // read-only: the rename would replace it all the same.
    if (stary.get() < 0 && errno != ENOENT)
        return VysledekZapisu::selhani(cesta);
    const bool existuje = stary.get() >= 0;
    const QByteArray puvodni = existuje ? nactiVse(stary.get()) : QByteArray();
    IniDokument dokument = IniDokument::zTextu(puvodni);
    zmena(dokument);
    const QByteArray novy = dokument.text();
    if (existuje && novy == puvodni)
        return {};
    if (existuje && (st.st_mode & S_IWUSR) == 0)
        return VysledekZapisu::selhani(cesta);
    if (!nahradSoubor(cil, novy, existuje ? &st : nullptr))
        return VysledekZapisu::selhani(cesta);
    ::fsync(adresar.get());   // makes the rename itself durable
    return {};
}

QString IniCtiText(const QString& cesta, QStringView sekce, QStringView klic, const QString& vychozi)
{
    return nactiIni(cesta).ctiText(sekce, klic, vychozi);
}

int IniCtiCislo(const QString& cesta, QStringView sekce, QStringView klic, int vychozi)
{
    return nactiIni(cesta).ctiCislo(sekce, klic, vychozi);
}

bool IniCtiBool(const QString& cesta, QStringView sekce, QStringView klic, bool vychozi)
{
    return nactiIni(cesta).ctiBool(sekce, klic, vychozi);
}

VysledekZapisu IniZapisText(const QString& cesta, QStringView sekce, QStringView klic, const QString& hodnota)
{
    return zmenIni(cesta, [&](IniDokument& d) { d.zapisText(sekce, klic, hodnota); });
}

VysledekZapisu IniZapisCislo(const QString& cesta, QStringView sekce, QStringView klic, int hodnota)
{
    return zmenIni(cesta, [&](IniDokument& d) { d.zapisCislo(sekce, klic, hodnota); });
}

VysledekZapisu IniZapisBool(const QString& cesta, QStringView sekce, QStringView klic, bool hodnota)
{
    return zmenIni(cesta, [&](IniDokument& d) { d.zapisBool(sekce, klic, hodnota); });
}

} // namespace zrc
