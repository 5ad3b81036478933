#pragma once
// The result store of a comparison: eight lists of compact items, each directory
// prefix stored once. Items keep name and subdirectory in the file's own bytes
// (paths are built from these); the lists show lower-cased texts derived on demand.
//
// An item is 32 bytes; its name lives in the store's name arena (its bytes and
// a NUL, no heap block of its own) and its directory is an index. At a million
// files per side (200 000 differences) this holds the lists in some 13 MB,
// where an item with its own std::string and a std::string per directory took
// 30 MB.

#include "engine/arena_jmen.h"
#include "engine/cas.h"
#include "engine/cislo_seznamu.h"
#include "engine/porovnani.h"

#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zrc {

struct Polozka {
    std::string_view jmeno;        // file name, own bytes (stem + "." + type), in the store's arena
    std::uint32_t podadresar = 0;  // index into UlozisteVysledku::podadresar()
    BalenyCas cas = 0;
    std::int64_t velikost = 0;
};

enum class Sloupec { Nazev = 0, Typ = 1, Datum = 2, Velikost = 3, Podadr = 4 };
constexpr int pocetSloupcu = 5;

class UlozisteVysledku final {
public:
    static constexpr int pocetSeznamu = CisloSeznamu::pocet;

    // Base directories of the last run (CestaAdr1, CestaAdr2).
    void nastavZaklad(const QString& cestaAdr1, const QString& cestaAdr2);
    const QString& cestaAdr(int strana) const;   // 1 or 2

    // Interns a relative directory ("" or "a/b/"); consecutive calls with the
    // same directory cost one comparison. With the run's number of the
    // directory (NalezenySoubor::cisloAdresare, given for all items of a run
    // or for none) it is found by that number, without a hash of its path.
    std::uint32_t adresar(std::string_view podadresar, std::uint32_t cislo = UINT32_MAX);
    std::string_view podadresar(std::uint32_t index) const;

    // The long time format of the "datum" texts (seconds until the window
    // switches it to hours and minutes).
    DlouhyFormatCasu formatCasu() const { return formatCasu_; }
    void nastavFormatCasu(DlouhyFormatCasu f) { formatCasu_ = f; }

    // Items are made here only: their names are views into this store, valid
    // until vycisti().
    void pridej(int seznam, const NalezenySoubor& soubor);
    // Room for pocet more items in list seznam.
    void pripravMisto(int seznam, std::size_t pocet);
    std::vector<Polozka>& seznam(int cislo);             // 1..8
    const std::vector<Polozka>& seznam(int cislo) const;
    void vycisti();

private:
    std::array<std::vector<Polozka>, pocetSeznamu> seznamy_;
    ArenaJmen jmena_;                           // names and directories
    std::vector<std::string_view> podadresare_; // views into jmena_
    std::unordered_map<std::string_view, std::uint32_t> indexAdresaru_;
    // By the run's number: at a million files per side 4 bytes per directory
    // of the run against 1.8 MB for the hash of 48 000 paths.
    std::vector<std::uint32_t> podleCisla_;
    std::uint32_t posledniAdresar_ = UINT32_MAX;
    QString cestaAdr_[2];
    DlouhyFormatCasu formatCasu_ = DlouhyFormatCasu::HodinyMinutySekundy;
};

// Displayed texts of an item (název, typ, datum, velikost, podadr): lower-cased
// with MalaPismena, names that are not UTF-8 with replacement characters.
QString textPolozky(const UlozisteVysledku& u, const Polozka& p, Sloupec s);
// The displayed text of own bytes (a name, a type, a directory), as above.
QString textZobrazeni(std::string_view bajty);

// The name of an item split at its last ".", own bytes: "a.tar.gz" -> "a.tar"
// and "gz"; "readme" -> "readme" and ""; ".profile" -> "" and "profile".
std::string_view nazevPolozky(const Polozka& p);
std::string_view typPolozky(const Polozka& p);

// Relative path in own bytes: podadr (when sPodadresarem), then the name.
std::string CestaPolozky(const UlozisteVysledku& u, const Polozka& p, bool sPodadresarem);
// Base directories by list number: even lists belong to directory 2.
const QString& VlastniAdresar(const UlozisteVysledku& u, int seznam);
const QString& ProtejsiAdresar(const UlozisteVysledku& u, int seznam);
// Full paths (bytes) of an item on its own side and of its counterpart.
std::string plnaCesta(const UlozisteVysledku& u, int seznam, const Polozka& p);
std::string cestaProtejsku(const UlozisteVysledku& u, int seznam, const Polozka& p);
// 5<->8, 6<->7, anything else -> 5.
int ProtejsiSeznam(int seznam);
// Removes the first item whose název, typ and podadr (own bytes, podadr "" or
// "a/b/") equal the given ones; returns its former index or -1. The names are
// compared exactly: on a case-sensitive file system "A.txt" and "a.txt" are two
// files, and the twin of an item always has the item's own relative path.
int OdeberProtejsek(UlozisteVysledku& u, int seznam, std::string_view nazev,
                    std::string_view typ, std::string_view podadr);
// The same for the twin of vzor (an item of the same store).
int OdeberProtejsek(UlozisteVysledku& u, int seznam, const Polozka& vzor);
// Rows (ascending) of list seznam holding the twins of the items vzory (items
// of the same store, e.g. the handled items of the partner list): for each
// pattern the first item with its relative path. One pass over the list.
std::vector<int> RadkyProtejsku(const UlozisteVysledku& u, int seznam, std::span<const Polozka> vzory);

} // namespace zrc
