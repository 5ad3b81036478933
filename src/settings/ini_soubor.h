#pragma once
// The INI file on disk. No accessor keeps the file open: every call reads the
// file afresh, and every write replaces it before it returns, so the next
// reader (also in another process) sees the value.
//
// Errors: a write returns a VysledekZapisu; on failure it carries the message
// for the user, "Unable to write to <path>", and the file is left exactly as it
// was. Reads never fail: a missing or unreadable file, section or key reads as
// the caller's default.

#include "settings/ini_dokument.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace zrc {

namespace platform { class Syscalls; }

class [[nodiscard]] VysledekZapisu {
public:
    VysledekZapisu() = default;
    static VysledekZapisu selhani(const QString& cesta);

    bool ok() const { return chyba_.isEmpty(); }
    explicit operator bool() const { return ok(); }
    // "Unable to write to <path>"; empty on success.
    const QString& chyba() const { return chyba_; }

private:
    QString chyba_;
};

// The whole file; empty when it does not exist or cannot be read. A FIFO, a
// device, a directory or a file larger than 16 MiB is not read (nor replaced
// by a write: the write fails).
IniDokument nactiIni(const QString& cesta);

// "Unable to read <path>" when the file cannot be read as a settings file
// (missing, no permission, not a regular file, larger than 16 MiB).
std::optional<QString> overCteniIni(const QString& cesta);

// One logical change of the file: reads the current content, applies zmena and
// writes the result to a temporary file in the same directory, flushes it to
// the disk and renames it over the file. Writers in several processes are
// serialised by a lock on the directory, so no change is lost. A symbolic link
// (also a chain of them, relative ones counting from the link's directory) is
// followed and kept: the file it names is replaced, in that file's directory,
// or created when the link dangles. A file with lines that are neither
// sections, keys, comments nor blank is no settings file and is never
// replaced: the write fails. The directory must be writable;
// when it is not (or the disk is full) nothing is changed and the error is
// returned. The file keeps its permission bits; a new file gets 0666 less the
// umask. A file without write permission for its owner is not replaced.
// sys: the system calls of the writes (nullptr: the real ones), for tests.
VysledekZapisu zmenIni(const QString& cesta, const std::function<void(IniDokument&)>& zmena,
                       platform::Syscalls* sys = nullptr);

// One-shot accessors.
QString IniCtiText(const QString& cesta, QStringView sekce, QStringView klic, const QString& vychozi = {});
int IniCtiCislo(const QString& cesta, QStringView sekce, QStringView klic, int vychozi);
bool IniCtiBool(const QString& cesta, QStringView sekce, QStringView klic, bool vychozi);
VysledekZapisu IniZapisText(const QString& cesta, QStringView sekce, QStringView klic, const QString& hodnota);
VysledekZapisu IniZapisCislo(const QString& cesta, QStringView sekce, QStringView klic, int hodnota);
VysledekZapisu IniZapisBool(const QString& cesta, QStringView sekce, QStringView klic, bool hodnota);

} // namespace zrc
