#pragma once
// One file copy (KopirujSoubor): source -> temporary file beside the target ->
// rename over the target (or, for a target that must be absent, a file
// without name -> link to the target name).
//
// The target path itself is never opened for writing, truncated or unlinked: a
// failed, cancelled or interrupted copy (a full disk, EIO, a source that changes
// under it, kill -9) leaves the old target byte for byte and, except for a
// named temporary file after kill -9, no temporary file. The data goes by the
// kernel's fastest way that works: FICLONE (a reflink, 2-12 ms per GiB on
// btrfs/xfs), copy_file_range (1.4x read/write on ext4), read/write; a sparse
// source is copied extent by extent, because copy_file_range on ext4 fills the
// holes.

#include "operace/chyba_souboru.h"
#include "operace/operace.h"
#include "operace/strom_operace.h"
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

// A source read whole ahead of its copy (predcteni_zdroju.h); st is its
// status before and after the read (equal).
struct PrectenyZdroj {
    std::vector<char> data;
    struct stat st {};
};

// How a file without name gets its name: linkat of the descriptor itself
// (AT_EMPTY_PATH: Linux 6.10 allows it to the process that opened the file,
// older kernels only with CAP_DAC_READ_SEARCH), or of its /proc/self/fd entry,
// whose path walk costs about 7 % of a small file's time.
enum class Link : std::uint8_t { Deskriptor, Proc };

// A complete temporary file waiting to be renamed over its target, or, made
// with O_TMPFILE, to be linked to it: then it has no name and stays open until
// placed (closing it without a link frees it, even after kill -9).
struct DocasnySoubor {
    SdilenyAdresar adresar;
    std::string jmeno;      // ".x.txt.k3j9qa.zrtmp"; empty for a file without name
    std::string cil;        // "x.txt"
    platform::Fd bezJmena;  // the open file without name
    Link link{};            // how it is linked to its name
};

// How the temporary file of a copy is made. BezJmena suits only a target that
// must be absent and is placed at once (no durability batch): the file is
// linked to the target name, which fails with EEXIST where a file appeared,
// as RENAME_NOREPLACE does. No temporary name ever enters the directory: one
// directory lookup and one entry insert and remove fewer per file. Where the
// file system refuses O_TMPFILE, or the kernel both ways of linking, the named
// temporary file is made instead.
enum class DruhDocasneho : std::uint8_t { Pojmenovany, BezJmena };

// Per-chunk progress of the current file; false cancels the copy.
class PrubehKopie {
public:
    virtual ~PrubehKopie() = default;
    virtual bool kopirovano(std::int64_t hotovo, std::int64_t celkem) = 0;
};

// The source is still the file that was opened: same inode, size and mtime (ns).
bool stejnyZdroj(const struct stat& pred, const struct stat& po);

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

class KopirujSoubor final {
public:
    KopirujSoubor(platform::Syscalls& sys, const VolbyOperace& volby);

    // Copies the open source into a new temporary file in the target directory,
    // with the source's times (ns) and mode (less the umask, never set-id);
    // with sync the data is flushed (fdatasync) too. On failure nothing is left.
    ChybaSouboru operator()(const ZdrojKopie& z, const SdilenyAdresar& cil, std::string_view jmeno,
                            bool sync, DruhDocasneho druh, PrubehKopie& prubeh,
                            DocasnySoubor& vysledek);
    // The same from a source read whole ahead (predcteni_zdroju.h): the data
    // is written, the times and the mode are the read source's.
    ChybaSouboru zPameti(const PrectenyZdroj& z, const SdilenyAdresar& cil, std::string_view jmeno,
                         DruhDocasneho druh, PrubehKopie& prubeh, DocasnySoubor& vysledek);

    // Files of this file system are copied byte by byte: FICLONE from it was
    // refused. Until the first try it is unknown, and a read-ahead copy would
    // lose a reflink.
    bool bezKlonu(dev_t zdroj) const;

private:
    enum class Stav : std::uint8_t { Nezkouseno, Deskriptor, Proc, Odmitnuto };
    ChybaSouboru vytvorDocasny(int adresar, std::string_view jmeno, mode_t mod, DocasnySoubor& t,
                               platform::Fd& fd);
    bool bezJmena(int adresar, mode_t mod, platform::Fd& fd, ChybaSouboru& chyba);
    Stav zpusobLinku(int soubor, int adresar);
    bool modPriVytvoreni(const SdilenyAdresar& adresar);
    ChybaSouboru vytvor(const SdilenyAdresar& cil, std::string_view jmeno, const struct stat& st,
                        DruhDocasneho druh, DocasnySoubor& t, platform::Fd& fd, bool& modHotov);
    ChybaSouboru data(int zdroj, int cil, const struct stat& st, PrubehKopie& p);
    ChybaSouboru overZdroj(int zdroj, const struct stat& st);
    ChybaSouboru metadata(int cil, const struct stat& st, bool sync, bool modHotov);
    mode_t cilovyMod(const struct stat& st) const { return st.st_mode & 0777 & ~umask_; }
    ChybaSouboru uzavri(DocasnySoubor t, platform::Fd& fd, ChybaSouboru c, DocasnySoubor& vysledek);
    template <class Naplneni>
    ChybaSouboru proved(const SdilenyAdresar& cil, std::string_view jmeno, const struct stat& st,
                        DruhDocasneho druh, bool sync, DocasnySoubor& vysledek, Naplneni naplnit);
    ChybaSouboru zapisPamet(int cil, const std::vector<char>& data, PrubehKopie& p);
    ChybaSouboru klon(int zdroj, int cil, const struct stat& st, bool& hotovo);

    platform::Syscalls& sys_;
    const VolbyOperace& volby_;
    std::vector<char> buffer_;
    mode_t umask_;   // read once per operation: reading it costs an open of /proc
    // Source file systems that answered FICLONE with EOPNOTSUPP or EXDEV, so
    // that the failing ioctl is not repeated 10 000 times for 10 000 small
    // files. The kernel checks "same file system" (EXDEV) before "can reflink"
    // (EOPNOTSUPP), so EOPNOTSUPP holds for every later file there. EXDEV
    // holds for the target's file system; one operation's target tree rarely
    // spans file systems, and a reflink missed there costs time and space,
    // never data.
    std::vector<dev_t> bezKlonu_;
    // O_TMPFILE and the way to link it: tried on the first file that may use
    // it, then kept or given up for the whole operation (a target tree rarely
    // spans file systems; a refusal there costs speed only).
    Stav tmpfile_ = Stav::Nezkouseno;
    // The last target directory, and whether it has no default ACL: then a
    // file created with the wanted mode (the source's less the umask) has it,
    // and fchmod is left out (~5 % of a small file's time). A default ACL
    // gives new files its own permissions instead of the umask's, possibly
    // fewer than asked for, so there the file is made 0600 and fchmod sets the
    // mode as before. Sorted lists visit one directory after another, so one
    // entry suffices.
    SdilenyAdresar aclAdresar_;
    bool bezAcl_ = false;
};

// Renames the temporary file over its target (RENAME_NOREPLACE for Prepis::JenNovy,
// or link + unlink where the file system lacks it), or links the file without
// name to it. The temporary file stays on failure.
ChybaSouboru umisti(platform::Syscalls& sys, DocasnySoubor& t, Prepis prepis);
// Removes the temporary file: unlinks the named one, closes the one without name.
void odstranDocasny(platform::Syscalls& sys, DocasnySoubor& t);

// "." + name + "." + six [a-z0-9] + ".zrtmp", the name cut at a UTF-8 boundary
// so that the whole stays within 255 bytes.
std::string jmenoDocasneho(std::string_view jmeno, std::string_view nahodne);

} // namespace zrc
