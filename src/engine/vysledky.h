#pragma once
// The result store of a comparison: eight lists of compact items, each directory
// prefix stored once. Items keep name and subdirectory in the file's own bytes
// (paths are built from these); the lists show lower-cased texts derived on demand.

#include "engine/cas.h"
#include "engine/porovnani.h"

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zrc {

struct Polozka {
    std::string jmeno;             // file name, own bytes (stem + "." + type)
    std::uint32_t podadresar = 0;  // index into UlozisteVysledku::podadresar()
    BalenyCas cas = 0;
    std::int64_t velikost = 0;
};

enum class Sloupec { Nazev = 0, Typ = 1, Datum = 2, Velikost = 3, Podadr = 4 };
constexpr int pocetSloupcu = 5;

class UlozisteVysledku {
public:
    static constexpr int pocetSeznamu = 8;

    // Base directories of the last run (CestaAdr1, CestaAdr2).
    void nastavZaklad(const QString& cestaAdr1, const QString& cestaAdr2);
    const QString& cestaAdr(int strana) const;   // 1 or 2

    // Interns a relative directory ("" or "a/b/"); consecutive calls with the
    // same directory cost one comparison.
    std::uint32_t adresar(std::string_view podadresar);
    const std::string& podadresar(std::uint32_t index) const;

    void pridej(int seznam, const NalezenySoubor& soubor);
    std::vector<Polozka>& seznam(int cislo);             // 1..8
    const std::vector<Polozka>& seznam(int cislo) const;
    void vycisti();

private:
    std::array<std::vector<Polozka>, pocetSeznamu> seznamy_;
    std::vector<std::string> podadresare_;
    std::uint32_t posledniAdresar_ = UINT32_MAX;
    QString cestaAdr_[2];
};

// Displayed texts of an item (název, typ, datum, velikost, podadr): lower-cased
// with MalaPismena, names that are not UTF-8 with replacement characters.
QString textPolozky(const UlozisteVysledku& u, const Polozka& p, Sloupec s);

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
// Removes the first item whose název, typ and podadr equal the given ones
// (ASCII letters compared without case); returns its former index or -1.
int OdeberProtejsek(UlozisteVysledku& u, int seznam, std::string_view nazev,
                    std::string_view typ, std::string_view podadr);

} // namespace zrc
