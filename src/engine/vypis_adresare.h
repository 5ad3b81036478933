#pragma once
// The listing of one directory: first as the kernel gives it (NeserazenyVypis,
// in a thread's scratch; the walk pairs the two sides' files from it without
// sorting them), and as a sorted copy (VypisAdresare): files with their time
// and size, subdirectory names, both sorted by the bytes of their names, in one
// block (24 bytes per file, 8 per subdirectory, then the names).

#include "engine/cas.h"
#include "engine/docasne_soubory.h"
#include "engine/prevod_casu.h"
#include "platform/listing.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

namespace zrc {

struct SouborVypisu {
    std::int64_t velikost = 0;
    std::int64_t sekundy = 0;  // the time as read; packed only where it matters
    std::uint32_t jmeno = 0;   // offset of the name in the block's names
    std::uint32_t delka = 0;
};

struct PodadresarVypisu {
    std::uint32_t jmeno = 0;
    std::uint32_t delka = 0;
};

// The sort key of an entry: the first 8 bytes of its name as a number (most
// names differ in them), and where the entry stands in the unsorted listing.
struct KlicJmena {
    std::uint64_t predpona = 0;
    std::uint32_t index = 0;
};

class VypisAdresare final {
public:
    std::span<const SouborVypisu> soubory() const;
    std::span<const PodadresarVypisu> podadresare() const;
    std::string_view jmeno(const SouborVypisu& s) const { return {jmena_ + s.jmeno, s.delka}; }
    std::string_view jmeno(const PodadresarVypisu& p) const { return {jmena_ + p.jmeno, p.delka}; }
    // Index of the subdirectory of that name, or -1.
    int najdiPodadresar(std::string_view jmeno) const;

    // Takes the entries (names given as offsets into jmena) in the order of
    // their names; klice is scratch space.
    static VypisAdresare sestav(const std::vector<SouborVypisu>& soubory,
                                const std::vector<PodadresarVypisu>& podadresare,
                                std::string_view jmena, std::vector<KlicJmena>& klice);

private:
    std::unique_ptr<std::byte[]> blok_;
    const char* jmena_ = nullptr;
    std::uint32_t pocetSouboru_ = 0;
    std::uint32_t pocetPodadresaru_ = 0;
};

// Sorts the entries by the bytes of their names: klice[k].index is the entry at
// place k. Only names with equal 8-byte prefixes are compared byte by byte.
void seradPodleJmena(std::span<const SouborVypisu> v, std::string_view jmena, std::vector<KlicJmena>& klice);
void seradPodleJmena(std::span<const PodadresarVypisu> v, std::string_view jmena, std::vector<KlicJmena>& klice);
// The name's first 8 bytes as a number that orders as the bytes do.
[[nodiscard]] std::uint64_t predponaJmena(std::string_view jmeno);

// A file entry the listing named but whose status could not be read (an I/O
// error on its inode, ...): it is neither compared nor called new on the
// other side, and the run names it with its reason.
struct NectenySoubor {
    std::uint32_t jmeno = 0;   // offset into the listing's names
    std::uint32_t delka = 0;
    std::error_code duvod;
};

// Whether the directory's own time is read (one fstat per directory): only
// the subdirectory time filter needs it.
enum class CasAdresare : bool { Vynechat, Cist };

// One directory's entries in the order the listing gave them; names are
// offsets into surovy.names.
struct NeserazenyVypis {
    platform::RawListing surovy;
    std::vector<SouborVypisu> soubory;
    std::vector<PodadresarVypisu> podadresare;
    // Why the directory could not be listed, or why none of its entries
    // could be examined (no search permission): then the directory counts as
    // unreadable. Errors of single files are in nectene.
    std::error_code chyba;
    std::vector<NectenySoubor> nectene;
    std::optional<BalenyCas> casAdresare;

    std::string_view jmena() const { return surovy.names; }
    std::string_view jmeno(const SouborVypisu& s) const { return {surovy.names.data() + s.jmeno, s.delka}; }
    std::string_view jmeno(const PodadresarVypisu& p) const { return {surovy.names.data() + p.jmeno, p.delka}; }
    std::string_view jmeno(const NectenySoubor& n) const { return {surovy.names.data() + n.jmeno, n.delka}; }
    // True when the file of that name was listed but could not be examined.
    bool jeNecteny(std::string_view jmeno) const;
    void vyprazdni();
};

// Scratch space of one listing thread, kept from one directory to the next:
// the listings of both sides of a pair, and what sorting and pairing them
// takes. After a directory that made it grow past 512 KB (a directory of
// 200 000 files takes some 14 MB) it is given back, so that every thread keeps
// at most the scratch of an ordinary directory, the getdents buffer and the
// time table (about 0.3 MB in all) for the rest of the run.
struct PracovniPametVypisu {
    SberDocasnych* docasne = nullptr;   // records the skipped leftovers of copies
    platform::Syscalls* sys = &platform::realSyscalls();   // the stat of every file entry
    // With docasne: the leftovers of the directory listed last (name and
    // identity); the walk adds where they lie and hands them on.
    std::vector<NalezenyDocasny> nalezeneDocasne;
    NeserazenyVypis strany[2];
    std::vector<char> buffer;
    std::vector<KlicJmena> klice[2];
    PrevodCasu prevod;

    std::size_t velikostZaznamu() const;   // bytes held by the entry containers
    void uvolniNadbytek();
};

// Lists the open directory fd into p.strany[strana], in the listing's order.
// What counts as a file or a subdirectory is as in nactiAdresar.
void vypisNeserazene(int fd, PracovniPametVypisu& p, int strana, CasAdresare cas);

// The same in steps: the names are read (nactiZacatek, doctiZaznamy), then
// the entries are examined, by this thread alone (roztridZaznamy), or, so that threads can
// share a huge listing, in place: soubory gets a slot per entry
// (pripravMista), any disjoint ranges of entries are examined, each returning
// the first reason an entry of it could not be examined, and the listing is
// gathered (dokonciVypis). Either way the listing keeps the first reason in
// the listing's order in chyba, unless the listing itself failed. Reasons that are a single file's go to
// nectene either way. Examining in place keeps the listing at 24
// bytes per entry; the single pass spares small listings the second.
// The names read in two steps, so that a thread learns a listing is huge before
// it holds all of it: nactiZacatek stops once the listing holds mez entries
// (Precteno::Cast), and doctiZaznamy reads the rest.
enum class Precteno : bool { Cast, Cely };
[[nodiscard]] Precteno nactiZacatek(int fd, PracovniPametVypisu& p, int strana, CasAdresare cas, std::size_t mez);
void doctiZaznamy(int fd, PracovniPametVypisu& p, int strana);
void roztridZaznamy(int fd, NeserazenyVypis& v, PracovniPametVypisu& p);
void pripravMista(NeserazenyVypis& v);
[[nodiscard]] std::error_code zjistiZaznamy(platform::Syscalls& sys, int fd, NeserazenyVypis& v,
                                            std::size_t od, std::size_t po);
void dokonciVypis(int fd, NeserazenyVypis& v, std::error_code prvni, std::vector<NalezenyDocasny>* docasne);

struct NactenyAdresar {
    VypisAdresare vypis;
    // Why the directory could not be listed (then it counts as empty), or why
    // some of its entries could not be examined (those are left out); empty
    // when everything was read.
    std::error_code chyba;
    std::optional<BalenyCas> casAdresare;   // the directory's own time
};

// Lists the open directory fd. A file is a regular file or a link to one (then
// with the target's time and size); subdirectories are real directories only;
// links to directories, dangling links, FIFOs, sockets and devices are left
// out, as are entries that vanish before they are examined. The directory's own
// time is read too. Uses the scratch of side 1.
NactenyAdresar nactiAdresar(int fd, PracovniPametVypisu& p);

} // namespace zrc
