#pragma once
// The order of a result list by one of its columns, shared by the window and
// the command line so that both list the same results in the same order: the
// displayed texts compared with the user's locale, case-sensitive; "velikost"
// and "datum" by their numbers (999 before 1000: a size column sorted as text
// put a 1.5 GB file between 100 and 20 bytes); equal values in their former order.

#include "engine/vysledky.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zrc {

// What the sort of one list by one column reads, copied out of the list: the
// order can then be computed on another thread while the list itself stays
// where the window can change it. About 16 bytes a row for a name.
struct PodkladRazeni {
    Sloupec sloupec = Sloupec::Nazev;
    std::string bajty;                       // název or typ: the rows' own bytes, back to back
    std::vector<std::uint32_t> konce;        // row i's bytes end at konce[i]
    std::vector<std::int64_t> cisla;         // velikost, or the packed time for datum
    std::vector<std::uint32_t> adresare;     // podadr: the directory index of each row
    std::vector<std::string> textyAdresaru;  // podadr: the directories' own bytes by index

    std::size_t radku() const;
};

// Copies the column of every row of the list (on the thread that owns the list).
PodkladRazeni podkladRazeni(const UlozisteVysledku& u, const std::vector<Polozka>& seznam, Sloupec sloupec);
// The same in steps: appends the column of the next rows to p (p.sloupec set).
void pridejDoPodkladu(PodkladRazeni& p, const UlozisteVysledku& u, std::span<const Polozka> polozky);
// The sort order of the copied column: the row indices in their new order.
std::vector<int> poradiRazeni(const PodkladRazeni& podklad, bool vzestupne);

// The sort order of one list by one column: the row indices in their new order.
// Collation keys are computed once per distinct text (the "typ" and "podadr"
// columns hold few distinct texts), then the rows are placed by the rank of their
// key with a stable counting sort.
std::vector<int> poradiRazeni(const UlozisteVysledku& u, const std::vector<Polozka>& seznam,
                              Sloupec sloupec, bool vzestupne);

// Reorders list cislo of the store by the column.
void seradSeznam(UlozisteVysledku& u, int cislo, Sloupec sloupec, bool vzestupne);

} // namespace zrc
