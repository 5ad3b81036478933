#pragma once
// The file operation engine: copies, moves or deletes the selected items of one
// result list, one after the other, on the calling (worker) thread.
//
// The engine never talks to a window. It reports through RozhraniOperace: the
// step and path for the status line, throttled progress, and the questions
// (free space, read-only file, Cancel / Retry / Ignore), each a blocking call
// answered before the walk goes on, so that the questions come one at a time
// and in the order of the items. The window answers them on its own thread; a
// test answers them from a script.
//
// What reaches the disk: every copy goes to a temporary file beside the target
// and is renamed over it only when complete (kopie_souboru.h); a replaced
// target and a moved source across file systems are given up only after the new
// data is on disk (davka_zapisu.h); nothing below the base directories is
// reached through a symbolic link.

#include "operace/chyba_souboru.h"
#include "operace/prikazy.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zrc {

namespace platform { class Syscalls; }
class KnihaChyb;
class ZapisDeniku;

// The progress window's caption of the code: "Kopírování:", "Odstranění:", "Přesun:".
const char* titulekKodu(KodOperace kod);

// How a copy or move treats an existing target.
enum class Prepis : std::uint8_t {
    Nahradit,   // replaced through the temporary file (the other side's older version)
    JenNovy,    // only where the target is still absent ("NOVÉ" items to the other side)
};

// A "NOVÉ" item copied or moved to the other compared directory lands only
// where its target is still absent: a file that appeared there since the
// comparison (or that the comparison could not see) is never overwritten. Into
// a chosen directory older files are replaced.
Prepis prepisOperace(const Operace& o);

struct PolozkaOperace {
    std::string cesta;           // relative path, own bytes: "a/b/x.txt"
    std::int64_t velikost = 0;   // the list's size of the item
};

struct Prorezavani {
    bool zapnuto = false;   // CBMazPodAdr
    int uroven = 0;         // SEMazUroven: levels below the base that are kept
};

// Where deleted files and the replaced old versions of files go.
enum class Mazani : std::uint8_t {
    Natrvalo,   // unlink, as the operations always did
    DoKose,     // "mazat do koše" (INI "Nastaveni"/"kos"): the desktop's trash
};

// Every member of ZadaniOperace and VolbyOperace has a default ({} where no
// other value fits), so that a designated initialiser names only what it sets.
struct ZadaniOperace {
    std::string zdroj{};             // source base directory (bytes)
    std::string cil{};               // target base directory (bytes)
    Operace operace{};               // the decoded command (list, code, steps)
    Prorezavani prorezavani{};
    // DoKose: the files that code 2 deletes and the old versions that a copy
    // or a move replaces go to the trash; a moved source is not trashed (its
    // data lives on at the target). Pruning runs after a trashed file as after
    // a deleted one; the free-space check counts a replaced file as not freed.
    Mazani mazani = Mazani::Natrvalo;
    std::vector<PolozkaOperace> polozky{};   // the selected items, in list order
};

enum class OdpovedChyby : std::uint8_t { Zrusit, Znovu, Ignorovat };
enum class OdpovedCteni : std::uint8_t { Ano, Ne, Vse };
enum class Krok : std::uint8_t { Kopirovani, Odstraneni };
// No trash can be used on a file system: Ano deletes (or replaces) its files
// permanently, Ne keeps them; both hold for that file system for the rest of
// the operation. Zrusit ends the operation.
enum class OdpovedKose : std::uint8_t { Ano, Ne, Zrusit };

struct Prubeh {
    std::int64_t souborHotovo = 0, souborCelkem = 0;   // the current file
    std::int64_t celkemHotovo = 0, celkem = 0;         // the whole set
};

class RozhraniOperace {
public:
    virtual ~RozhraniOperace() = default;
    // Free space is below the needed space: true goes on.
    virtual bool nedostatekMista(std::int64_t volne, std::int64_t potreba) = 0;
    // The step now starting on the item with this source path (full, bytes).
    virtual void krok(Krok krok, const std::string& zdroj) = 0;
    // At least every 16 MiB or 100 ms of a copy, and at every file's start and end.
    virtual void prubeh(const Prubeh& p) = 0;
    virtual OdpovedChyby chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c) = 0;
    virtual OdpovedChyby chybaMazani(const std::string& zdroj, const ChybaSouboru& c) = 0;
    virtual OdpovedCteni jenProCteni(const std::string& zdroj) = 0;
    // Asked once per file system and operation when the trash is on (the
    // first file there: zdroj, why: c; textOtazkyKose() words it). The
    // default keeps the files, so that nothing is deleted permanently unasked.
    virtual OdpovedKose kosNepouzitelny(const std::string& zdroj, const ChybaSouboru& c);
    // The item with this index was handled (it and its twin may leave the lists).
    virtual void vyrizeno(std::size_t index) = 0;
};

struct VolbyOperace {
    platform::Syscalls* sys = nullptr;             // nullptr: the real system calls
    const std::atomic<bool>* zrusit = nullptr;     // Esc in the progress window
    std::size_t blokKopie = std::size_t{16} << 20;   // copy_file_range chunk
    std::size_t blokCteni = std::size_t{256} << 10;  // read/write buffer
    std::size_t davkaSouboru = 1000;               // durability batch limits
    std::int64_t davkaBajtu = std::int64_t{256} << 20;
    int davkaMs = 2000;
    std::int64_t samostatnySync = std::int64_t{64} << 20;   // fdatasync per file above this
    // Read-ahead of small sources on a second thread (predcteni_zdroju.h): at
    // most predcteniSouboru files and predcteniBajtu bytes ahead, files of at
    // most predcteniMax bytes; 0 files: none. 256 files of 2-6 KiB keep the
    // writer busy for ~50 ms; 8 MiB bounds the memory with 32 files of 256 KiB.
    std::size_t predcteniSouboru = 256;
    std::int64_t predcteniBajtu = std::int64_t{8} << 20;
    std::int64_t predcteniMax = std::int64_t{256} << 10;
    std::string kosDomov{};                        // the home trash; "": $XDG_DATA_HOME/Trash
    KnihaChyb* kniha = nullptr;                    // receives every item left undone
    // Receives a record of every item: what was done, or why not (denik.h),
    // flushed with the operation's durability points.
    ZapisDeniku* denik = nullptr;
};

// The calls the options name: the test seam or the real ones.
platform::Syscalls& systemova(const VolbyOperace& v);

struct VysledekOperace {
    std::vector<std::size_t> vyrizene;   // indices of handled items, ascending
    bool zruseno = false;                // Cancel ended the walk
    bool bezMista = false;               // "Ne" to the free-space question: nothing done
    std::size_t doKose = 0;              // files and old versions that went to the trash
};

// "Pro soubor\r<zdroj>\rnelze použít koš (<důvod>).\rSmazat soubory tohoto svazku natrvalo?"
std::string textOtazkyKose(const std::string& zdroj, const ChybaSouboru& c);

VysledekOperace ProvedOperaci(const ZadaniOperace& z, RozhraniOperace& r,
                              const VolbyOperace& volby = {});

// Size of the directory entry at the path (a link's own size), or -1.
std::int64_t VelikostSouboru(const std::string& cesta, platform::Syscalls* sys = nullptr);

// Removes the directories that a deletion emptied: from the relative directory
// podadr ("a/b/" or "a/b") of the base upwards, keeping every directory up to
// uroven levels below the base and the base itself; stops at the first that
// cannot be removed. Never follows a symbolic link.
void SmazPrazdneAdresare(int zakladFd, std::string_view podadr, int uroven,
                         platform::Syscalls& sys);
// The same with full paths: directory (below base) and base.
void SmazPrazdneAdresare(const std::string& adresar, const std::string& zaklad, int uroven,
                         platform::Syscalls* sys = nullptr);

} // namespace zrc
