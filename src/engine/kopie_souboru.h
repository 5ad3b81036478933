#pragma once
// One file copy (KopirujSoubor): source -> temporary file beside the target ->
// rename over the target.
//
// The target path itself is never opened for writing, truncated or unlinked: a
// failed, cancelled or interrupted copy (a full disk, EIO, a source that changes
// under it, kill -9) leaves the old target byte for byte and, except after
// kill -9, no temporary file. The data goes by the kernel's fastest way that
// works: FICLONE (a reflink, 2-12 ms per GiB on btrfs/xfs), copy_file_range
// (1.4x read/write on ext4), read/write; a sparse source is copied extent by
// extent, because copy_file_range on ext4 fills the holes.

#include "engine/chyba_souboru.h"
#include "engine/operace.h"
#include "engine/strom_operace.h"
#include "platform/syscalls.h"

#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace zrc {

// An open source file and its status at opening.
struct ZdrojKopie {
    platform::Fd fd;
    struct stat st {};
};

// A complete temporary file waiting to be renamed over its target.
struct DocasnySoubor {
    SdilenyAdresar adresar;
    std::string jmeno;      // ".x.txt.k3j9qa.zrtmp"
    std::string cil;        // "x.txt"
};

// Per-chunk progress of the current file; false cancels the copy.
class PrubehKopie {
public:
    virtual ~PrubehKopie() = default;
    virtual bool kopirovano(std::int64_t hotovo, std::int64_t celkem) = 0;
};

// Opens the source for reading; the last component may be a symbolic link to
// a regular file (a listed file is copied by what it points to).
ChybaSouboru otevriZdroj(platform::Syscalls& sys, int adresar, const char* jmeno, ZdrojKopie& z);

// What stands at the target name now.
struct StavCile {
    bool existuje = false;
};

// Refuses a target that may not be replaced: one that exists where only a new
// file may go, a directory, a read-only file, or the source itself.
ChybaSouboru zkontrolujCil(platform::Syscalls& sys, int adresar, const char* jmeno,
                           const struct stat& zdroj, Prepis prepis, StavCile& stav);

class KopirujSoubor {
public:
    KopirujSoubor(platform::Syscalls& sys, const VolbyOperace& volby);

    // Copies the open source into a new temporary file in the target directory,
    // with the source's times (ns) and mode (less the umask, never set-id);
    // with sync the data is flushed (fdatasync) too. On failure nothing is left.
    ChybaSouboru operator()(const ZdrojKopie& z, const SdilenyAdresar& cil, std::string_view jmeno,
                            bool sync, PrubehKopie& prubeh, DocasnySoubor& vysledek);

private:
    ChybaSouboru vytvorDocasny(int adresar, std::string_view jmeno, DocasnySoubor& t, platform::Fd& fd);
    ChybaSouboru data(int zdroj, int cil, const struct stat& st, PrubehKopie& p);
    ChybaSouboru dokonci(int zdroj, int cil, const struct stat& st, bool sync);
    ChybaSouboru klon(int zdroj, int cil, const struct stat& st, bool& hotovo);

    platform::Syscalls& sys_;
    const VolbyOperace& volby_;
    std::vector<char> buffer_;
    mode_t umask_;   // read once per operation: reading it costs an open of /proc
    // File systems (of the source, hence of the target too) that answered
    // FICLONE with EOPNOTSUPP: the kernel checks "same file system" (EXDEV)
    // before "can reflink", so the answer holds for every later file there and
    // the failing ioctl is not repeated 10 000 times for 10 000 small files.
    std::vector<dev_t> bezKlonu_;
};

// Renames the temporary file over its target (RENAME_NOREPLACE for Prepis::JenNovy,
// or link + unlink where the file system lacks it). The temporary file stays on failure.
ChybaSouboru umisti(platform::Syscalls& sys, const DocasnySoubor& t, Prepis prepis);
void odstranDocasny(platform::Syscalls& sys, const DocasnySoubor& t);

// "." + name + "." + six [a-z0-9] + ".zrtmp", the name cut at a UTF-8 boundary
// so that the whole stays within 255 bytes.
std::string jmenoDocasneho(std::string_view jmeno, std::string_view nahodne);

} // namespace zrc
