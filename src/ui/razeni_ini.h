#pragma once
// What the result lists read from and write to the INI file.

#include "ui/seznam_vysledku.h"
#include "ui/stranky_vysledku.h"

#include "settings/ini_soubor.h"

#include <QString>
#include <optional>

namespace zrc {

// The configured sort of the result lists (section "Serazeni", keys "podle" and
// "typ", both 0 by default): sets the shared direction to ascending exactly when
// typ is 1 and returns the column podle - 1, or none when podle is 0 (or not a column).
std::optional<int> NactiRazeni(const QString& cestaIni, SdileneRazeni& razeni);

// Writes the pruning controls into the newest history entry ("H1"), keys
// "CBMazPodAdr" and "SEMazUroven", in one write of the file.
VysledekZapisu zapisStavMazani(const QString& cestaIni, const StavMazani& stav);

} // namespace zrc
