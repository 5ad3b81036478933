#pragma once
// Printing the result lists of zrcadlovac-cli.

#include "engine/nezahrnute_adresare.h"
#include "engine/vysledky.h"
#include "volby.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace zrc::cli {

// What the JSON output sums up after the lists (the text formats tell it on
// standard error), and further members of its object (",\"name\":value...").
struct SouhrnBehu {
    std::size_t nepristupnych = 0;   // unreadable directories and files
    NezahrnuteAdresare nezahrnute;
    std::string_view doplnekJson;
};

// Prints lists 1 to 8, the items of each in list order, in the chosen format.
// Returns the errno of the first write that failed (a full disk, a closed
// pipe), 0 when everything reached the stream.
int vypisVysledky(std::FILE* f, const UlozisteVysledku& u, Format format, const SouhrnBehu& souhrn = {});

// A JSON string with its quotes: '"' and '\\' escaped, control characters as \u00XX.
std::string jsonText(const QString& s);

} // namespace zrc::cli
