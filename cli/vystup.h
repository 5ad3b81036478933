#pragma once
// Printing the result lists of zrcadlovac-cli.

#include "engine/vysledky.h"
#include "volby.h"

#include <cstdio>
#include <string>

namespace zrc::cli {

// Prints lists 1 to 8, the items of each in list order, in the chosen format.
// Returns the errno of the first write that failed (a full disk, a closed
// pipe), 0 when everything reached the stream.
// dodatekJson: members added to the JSON object after "lists" (",\"x\":...").
int vypisVysledky(std::FILE* f, const UlozisteVysledku& u, Format format,
                  const std::string& dodatekJson = {});

// A JSON string of the text: quotes, backslashes and control characters escaped.
std::string jsonText(const QString& s);

} // namespace zrc::cli
