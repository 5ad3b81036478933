#pragma once
// The data side of the main window's placement and start-up defaults; the
// window applies what these read and supplies what they write.

#include "settings/ini_soubor.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace zrc {

// What NactiOkno found. Without a stored placement ("State" 0 or missing) the
// position stays as designed and the client size is the default, even when
// "Width"/"Height" exist.
struct UmisteniOkna {
    std::optional<int> left, top;   // set together; a stored negative value reads as 0
    std::optional<int> sirka;       // client width; unset when the default width is 0
    int vyska = 0;                  // client height
    bool maximalizovat = false;     // "State" read again with default 2 is 1
};

// Reads the placement from section sekce ("Okno") with the default client size.
UmisteniOkna NactiOkno(const QString& cesta, QStringView sekce, int vychoziSirka, int vychoziVyska);

enum class StavOkna { Normalni, Maximalizovane, Minimalizovane };

struct ZapisOkna {
    StavOkna stav = StavOkna::Normalni;
    int left = 0, top = 0;      // outer position
    int sirka = 0, vyska = 0;   // client size
};

// Writes the placement in one write: "State" 2 and the four values for a
// normal window; only "State" 1 for a maximised one, keeping the normal
// position and size stored before; the four values without "State" for a
// minimised one.
VysledekZapisu UlozOkno(const QString& cesta, QStringView sekce, const ZapisOkna& okno);

// What the main window reads at start-up besides the history: the placement
// of section "Okno" (632 x 449 by default) and the initial ticks of
// ChB_adresar1 / ChB_adresar2 from "Podadresare" (default true both).
struct StartovniNastaveni {
    UmisteniOkna okno;
    bool ChB_adresar1 = true;
    bool ChB_adresar2 = true;
};
StartovniNastaveni NactiNastaveni(const QString& cesta);

} // namespace zrc
