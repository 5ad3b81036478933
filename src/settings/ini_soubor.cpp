#include "settings/ini_soubor.h"
#include "util/bajty_cesty.h"

#include "platform/odkazy.h"
#include "platform/syscalls.h"
#include "platform/zapisy.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc {

namespace {

// A settings file is a few kilobytes; 16 MiB is far beyond any the program
// writes (30 history entries and a few lists), and reading a larger one would
// stall the window for minutes on every access.
constexpr off_t nejvetsiSoubor = 16 * 1024 * 1024;

// Opens the settings file for reading, or refuses it: a FIFO, device or
// directory is never read (a FIFO would block until somebody writes), nor is a
// file larger than nejvetsiSoubor. O_NONBLOCK keeps the open itself from
// waiting on a FIFO. st receives its status, err why nothing was opened.
platform::Fd otevriKeCteni(platform::Syscalls& sys, const QByteArray& cesta, struct stat& st, int& err)
{
    err = EINVAL;
    // Looked at before the open too: opening some devices acts on them.
    if (sys.fstatAt(AT_FDCWD, cesta.constData(), st, 0).ok() && !S_ISREG(st.st_mode))
        return {};
    const auto r = sys.openAt(AT_FDCWD, cesta.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (!r.ok()) {
        err = r.err;
        return {};
    }
    platform::Fd fd(sys, static_cast<int>(r.value));
    if (!sys.fstat(fd.get(), st).ok() || !S_ISREG(st.st_mode) || st.st_size > nejvetsiSoubor)
        return {};
    err = 0;
    return fd;
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

QByteArray adresarCesty(const QByteArray& cesta)
{
    const qsizetype lomitko = cesta.lastIndexOf('/');
    if (lomitko < 0)
        return ".";
    return lomitko == 0 ? QByteArray("/") : cesta.left(lomitko);
}

std::string jmenoCesty(const QByteArray& cesta)
{
    return cesta.mid(cesta.lastIndexOf('/') + 1).toStdString();
}

// The directory of the file that a write replaces, and that file's path in
// cil. A symbolic link stays and the file it names gets the new content (a
// dangling link's target is created), so the file's own directory counts.
platform::Fd otevriAdresarCile(platform::Syscalls& s, const QString& cesta, QByteArray& cil)
{
    std::string konec;
    if (!platform::cilOdkazu(bajtyZTextu(cesta), konec).ok())
        return {};
    cil = QByteArray::fromStdString(konec);
    const auto d = s.openAt(AT_FDCWD, adresarCesty(cil).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return d.ok() ? platform::Fd(s, static_cast<int>(d.value)) : platform::Fd();
}

platform::Syscalls& systemova(platform::Syscalls* sys)
{
    return sys ? *sys : platform::realSyscalls();
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
    int err = 0;
    const platform::Fd fd = otevriKeCteni(platform::realSyscalls(), QByteArray::fromStdString(bajtyZTextu(cesta)), st, err);
    if (!fd.valid())
        return {};
    return IniDokument::zTextu(nactiVse(fd.get()));
}

std::optional<QString> overCteniIni(const QString& cesta)
{
    struct stat st;
    int err = 0;
    if (!otevriKeCteni(platform::realSyscalls(), QByteArray::fromStdString(bajtyZTextu(cesta)), st, err).valid())
        return QStringLiteral("Unable to read %1").arg(cesta);
    return std::nullopt;
}

VysledekZapisu zmenIni(const QString& cesta, const std::function<void(IniDokument&)>& zmena,
                       platform::Syscalls* sys)
{
    platform::Syscalls& s = systemova(sys);
    QByteArray cil;
    const platform::Fd adresar = otevriAdresarCile(s, cesta, cil);
    if (!adresar.valid())
        return VysledekZapisu::selhani(cesta);
    // Serialises read-modify-write cycles of all writers of this directory.
    // The lock goes with the descriptor; readers need none, the rename is atomic.
    while (::flock(adresar.get(), LOCK_EX) != 0 && errno == EINTR) {}

    struct stat st;
    int err = 0;
    const platform::Fd stary = otevriKeCteni(s, cil, st, err);
    // A file that exists but cannot be read (or is no settings file at all:
    // not a regular file, or lines that no settings file has) is never
    // replaced: its content would be lost. Nor is one that its owner made
    // read-only: the rename would replace it all the same.
    if (!stary.valid() && err != ENOENT)
        return VysledekZapisu::selhani(cesta);
    const bool existuje = stary.valid();
    const QByteArray puvodni = existuje ? nactiVse(stary.get()) : QByteArray();
    IniDokument dokument = IniDokument::zTextu(puvodni);
    if (!dokument.jeNastaveni())
        return VysledekZapisu::selhani(cesta);
    zmena(dokument);
    const QByteArray novy = dokument.text();
    if (existuje && novy == puvodni)
        return {};
    if (existuje && (st.st_mode & S_IWUSR) == 0)
        return VysledekZapisu::selhani(cesta);
    // The temporary sibling is a dot file of one fixed name: writers hold the
    // directory lock while it exists, so one found there was left by a writer
    // that was killed, and killed writes never pile up copies of the file.
    const std::string_view obsah(novy.constData(), static_cast<std::size_t>(novy.size()));
    if (!platform::nahradSoubor(s, adresar.get(), jmenoCesty(cil), obsah, platform::DocasneJmeno::Pevne).ok())
        return VysledekZapisu::selhani(cesta);
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
