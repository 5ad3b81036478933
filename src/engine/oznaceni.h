#pragma once
// Which items of a result list a marking command takes, and the selection
// summary of a list. The window applies the rows to its selection model in
// contiguous ranges; nothing here knows about selection.

#include "engine/vysledky.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace zrc {

// Rows (ascending) whose displayed text in column sloupec equals hodnota, the
// letters A-Z compared without case (other letters exactly): "JPG" takes "jpg".
std::vector<int> RadkyDleSloupce(const UlozisteVysledku& u, int seznam, Sloupec sloupec, QStringView hodnota);

// Rows whose displayed podadr matches maska by ShodaMasky (the whole text, or
// with "*" at the start, the end or both), both lower-cased in A-Z only. Each
// distinct directory is matched once.
std::vector<int> RadkyDleAdresare(const UlozisteVysledku& u, int seznam, QStringView maska);

// "vybráno:3 z 120 velikost:    4kB    /base": the hint of a list with its
// selection summary.
QString SouhrnVyberu(int vybrano, int celkem, std::int64_t velikost, const QString& vlastniAdresar);

} // namespace zrc
