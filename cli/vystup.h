#pragma once
// Printing the result lists of zrcadlovac-cli.

#include "engine/vysledky.h"
#include "volby.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace zrc::cli {

// Prints lists 1 to 8, the items of each in list order, in the chosen format;
// doplnekJson: further members of the JSON object (",\"name\":value...").
// Returns the errno of the first write that failed (a full disk, a closed
// pipe), 0 when everything reached the stream.
int vypisVysledky(std::FILE* f, const UlozisteVysledku& u, Format format, std::string_view doplnekJson = {});

// A JSON string with its quotes: '"' and '\\' escaped, control characters as \u00XX.
std::string jsonText(const QString& s);

} // namespace zrc::cli
