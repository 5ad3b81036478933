#pragma once
// The action buttons BB1..BB6 of the panel PAkce and their keyboard items
// MPBB1, MBB2..MBB6 of the window's hidden menu PopupMenu2: one row per
// button, so that a caption that names its key and the key itself come from
// the same place.

#include "operace/prikazy.h"

#include <QKeyCombination>
#include <span>

namespace zrc {

struct TlacitkoAkce {
    const char* jmeno;        // objectName of the button
    const char* popis;        // caption, naming its key
    const char* hint;         // status bar text
    const char* polozka;      // objectName of the keyboard item
    QKeyCombination zkratka;  // its key, acting from every control of the window
};

[[nodiscard]] std::span<const TlacitkoAkce, pocetAkci> tlacitkaAkci();

} // namespace zrc
