#pragma once
// The configured sort of the result lists, read from the INI file.

#include "ui/seznam_vysledku.h"


#include <QString>
#include <optional>

namespace zrc {

// The configured sort of the result lists (section "Serazeni", keys "podle" and
// "typ", both 0 by default): sets the shared direction to ascending exactly when
// typ is 1 and returns the column podle - 1, or none when podle is 0 (or not a column).
std::optional<int> NactiRazeni(const QString& cestaIni, SdileneRazeni& razeni);

} // namespace zrc
