#pragma once
// The desktop's trash (the freedesktop.org Trash layout, version 1.0), our own.
//
// A file goes to the trash of its own file system and never by copying: the
// home trash ($XDG_DATA_HOME/Trash, default ~/.local/share/Trash) when the file
// lies on the file system of $XDG_DATA_HOME, otherwise $topdir/.Trash/$uid (only
// when $topdir/.Trash is a real directory with the sticky bit) or
// $topdir/.Trash-$uid (created 0700), $topdir being the mount point. A trash
// whose rename answers EXDEV (a bind mount of the same file system) is not
// usable for that file; the next one is tried.
//
// Order on disk: info/NAME.trashinfo is created with O_EXCL and written
// completely, then the file is renamed to files/NAME (RENAME_NOREPLACE). A
// crash in between leaves an info file without data, which file managers
// ignore, never data without its original path. NAME is the file's own name,
// or "name.2.ext", "name.3.ext", ... when taken, so a name trashed twice keeps
// both. The info file is not flushed on its own: its loss in a crash would
// leave the data in files/ all the same, and an fsync per file costs 8-17x.
//
// Not thread-safe; one Kos per operation. Resolved trashes are cached per
// mount, so a run of 10 000 files resolves each trash once.

#include "platform/pripojeni.h"
#include "platform/syscalls.h"

#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zrc::platform {

struct VolbyKose {
    Syscalls* sys = nullptr;   // nullptr: the real system calls
    std::string domov;         // the home trash; "": from $XDG_DATA_HOME or $HOME
    long uid = -1;             // -1: getuid()
    std::time_t cas = 0;       // DeletionDate; 0: the time of each call
};

enum class StavKose : std::uint8_t {
    Presunuto,      // the file is in the trash
    Nepouzitelny,   // no trash of this file system can be used; the file is untouched
    Chyba,          // the file itself could not be moved (err); it is untouched
};

struct [[nodiscard]] VysledekKose {
    StavKose stav = StavKose::Chyba;
    int err = 0;               // errno of the failing call
    std::string kos;           // the trash directory used or last tried
    std::string jmeno;         // NAME in files/ and info/
    // Only from uloz(): the trash holds the file by a hard link, its own name
    // stays; false after uloz() had to rename it (the name is now free).
    bool odkaz = false;
    bool ok() const { return stav == StavKose::Presunuto; }
};

class Kos final {
public:
    explicit Kos(VolbyKose volby = {});
    ~Kos();
    Kos(const Kos&) = delete;
    Kos& operator=(const Kos&) = delete;

    // Moves the entry jmeno of the open directory adresar (a file or a
    // symbolic link, never followed) into the trash.
    VysledekKose doKose(int adresar, const std::string& jmeno);
    // Saves the version of a file that is about to be replaced: a hard link
    // in files/, so that the file stays in place until a rename replaces it
    // and no moment exists without either version. Where hard links are not
    // possible (vfat, some FUSE, protected_hardlinks) the file is renamed into
    // the trash as doKose() does; the caller then puts it back with vrat()
    // should its replacement fail.
    VysledekKose uloz(int adresar, const std::string& jmeno);
    // Renames files/NAME of a result back to jmeno (never over an existing
    // file where the file system offers RENAME_NOREPLACE) and removes its info file; the rename's error when that failed
    // (the file then stays in the trash).
    [[nodiscard]] SysResult vrat(const VysledekKose& v, int adresar, const std::string& jmeno);
    // fsync of files/ and info/ of every trash changed since the last call.
    // Journaling file systems keep the order of the link before the rename
    // that replaces a file; this makes the saved versions durable at the end
    // of a batch, with one fsync per trash instead of one per file.
    // The first error; every trash is flushed all the same.
    [[nodiscard]] SysResult synchronizuj();

private:
    struct Misto;
    using SdileneMisto = std::shared_ptr<Misto>;

    SdileneMisto domovske();
    SdileneMisto naPripojeni(int adresar, const std::string& cesta);
    SdileneMisto otevriMisto(int koren, const std::string& cesta, const std::string& topdir);
    enum class Zpusob : std::uint8_t { Prejmenovat, Propojit };
    VysledekKose kamKoliv(int adresar, const std::string& jmeno, Zpusob z);
    VysledekKose vloz(const Misto& m, int adresar, const std::string& jmeno, const std::string& cesta,
                      Zpusob z);
    void oznacZmenu(const Misto& m);

    Syscalls& sys_;
    VolbyKose volby_;
    SdileneMisto domov_;
    bool domovZjisten_ = false;
    dev_t domovDev_ = 0;
    bool domovDevZnam_ = false;
    std::map<int, SdileneMisto> pripojeni_;   // by mount id
    std::vector<Pripojeni> tabulka_;
    std::vector<SdileneMisto> zmenena_;       // changed since synchronizuj()
};

// The home trash directory from the environment: $XDG_DATA_HOME/Trash when
// that is an absolute path, else $HOME/.local/share/Trash; "" without $HOME.
std::string domovskyKos();

// Percent-encoding of a path for the info file: bytes outside A-Z a-z 0-9
// "-_.~/" become "%XX".
std::string kodujCestu(std::string_view cesta);
// The whole info file: "[Trash Info]\nPath=...\nDeletionDate=YYYY-MM-DDThh:mm:ss\n",
// the date in local time.
std::string textInfa(std::string_view cesta, std::time_t cas);
// The n-th candidate name in the trash (n from 1): "x.txt", "x.2.txt", ...;
// ".bashrc.2" for a name whose only dot leads. The stem is cut at a UTF-8
// boundary so that NAME.trashinfo stays within 255 bytes.
std::string kandidatJmena(std::string_view jmeno, int n);

} // namespace zrc::platform
