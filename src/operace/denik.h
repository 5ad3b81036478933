#pragma once
// The journal of one operation: what was done to each item, so that the
// operation can be taken back ("vrátit poslední operaci", vraceni.h).
//
// One UTF-8-agnostic text file, one line per record, fields separated by TAB:
//
//   zrcadlovac-denik  1  <druh operace>  <zdroj>  <cil>  <čas>   #XXXX
//   <druh záznamu>  <cesta>  <cíl>  <koš>  <jméno v koši>  <dev> <ino> <velikost> <s> <ns>  <důvod>  #XXXX
//
// Paths are the file system's bytes with every byte below 0x21, DEL, and "%"
// written as "%XX", so that any name round-trips and no field holds a TAB or
// a line end. Each line ends in "#" + the CRC-16 (ISO 3309) of everything
// before the TAB that precedes it, and "\n": a line that a kill cut short, or
// a byte flipped on the disk, fails the check and is ignored; the records
// before it stand.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace zrc {

inline constexpr std::string_view znackaDeniku = "zrcadlovac-denik";
inline constexpr int verzeDeniku = 1;

// What was done to one item.
enum class DruhZaznamu : std::uint8_t {
    Kopie,        // created at cil where nothing was (a "NOVÉ" copy; a restore)
    Nahrazeno,    // cil replaced; its old version in the trash entry (none: lost)
    Presun,       // moved from cesta to cil
    DoKose,       // cesta went to the trash entry
    Smazano,      // cesta deleted permanently
    Chyba,        // left undone (duvod)
};

// What the operation created (or trashed): a later undo touches the file
// only while it is still exactly this one.
struct Identita {
    std::uint64_t dev = 0, ino = 0;
    std::int64_t velikost = 0;
    std::int64_t sekundy = 0, nanosekundy = 0;

    static Identita ze(const struct stat& st);
    bool operator==(const Identita&) const = default;
};

struct ZaznamDeniku {
    DruhZaznamu druh = DruhZaznamu::Chyba;
    std::string cesta{};      // the item's source path (full, bytes); "" for a plain copy
    std::string cil{};        // the path the operation created or replaced; "" for a deletion
    std::string kos{};        // the trash directory holding the entry; "" for none
    std::string vKosi{};      // NAME in kos/files/
    Identita identita{};      // of cil (Kopie, Nahrazeno, Presun) or of the trashed file
    std::string duvod{};      // Czech, for Chyba
};

// What the journal's operation was, for the header and the CLI listing.
enum class DruhDeniku : std::uint8_t { Kopie, Presun, Odstraneni, Vraceni };

struct HlavickaDeniku {
    DruhDeniku druh = DruhDeniku::Kopie;
    std::string zdroj{}, cil{};   // the two tree roots (bytes)
    std::time_t cas = 0;
};

std::string_view jmenoDruhu(DruhZaznamu d);
std::string_view jmenoDruhu(DruhDeniku d);

// One whole line, "\n" included.
std::string radekHlavicky(const HlavickaDeniku& h);
std::string radekZaznamu(const ZaznamDeniku& z);

// nullopt: not a complete, intact line of that kind (no "\n" is expected).
std::optional<HlavickaDeniku> rozeberHlavicku(std::string_view radek);
std::optional<ZaznamDeniku> rozeberZaznam(std::string_view radek);

// "%XX" escaping of path bytes, and back (nullopt: a malformed escape).
std::string zakoduj(std::string_view bajty);
std::optional<std::string> dekoduj(std::string_view text);

} // namespace zrc
