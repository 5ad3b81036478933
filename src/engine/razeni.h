#pragma once
// The order of a result list by one of its columns, shared by the window and
// the command line so that both list the same results in the same order: the
// displayed texts compared with the user's locale, case-sensitive, every column
// as text ("1000" before "999"), equal texts in their former order.

#include "engine/vysledky.h"

#include <vector>

namespace zrc {

// The sort order of one list by one column: the row indices in their new order.
// Collation keys are computed once per distinct text (the "typ" and "podadr"
// columns hold few distinct texts), then the rows are placed by the rank of their
// key with a stable counting sort.
std::vector<int> poradiRazeni(const UlozisteVysledku& u, const std::vector<Polozka>& seznam,
                              Sloupec sloupec, bool vzestupne);

// Reorders list cislo of the store by the column.
void seradSeznam(UlozisteVysledku& u, int cislo, Sloupec sloupec, bool vzestupne);

} // namespace zrc
