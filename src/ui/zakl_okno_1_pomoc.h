#pragma once
// Small helpers shared by the builders of the main window.

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace zrc {

// The design fonts stand on DejaVu Sans Condensed (DejaVu Sans where it is
// missing): its Czech captions fit the design widths that were drawn for a
// narrow Windows sans. Sizes are in pixels because the design geometry is.
enum class DruhPisma {
    Okno,         // window default, the action panel: 11 px
    Stranka,      // settings page: 12 px
    Skupina,      // group captions: 12 px bold
    Zalozky,      // tabs: 11 px bold italic
    Porovnej,     // "&Porovnej": 13 px heavy italic, regular width
};
QFont pismo(DruhPisma druh);

// A hint "short|long": the short part is the tooltip, the long part (or the
// whole text without a bar) the status-bar text; a leading bar means no tooltip.
void nastavHint(QWidget* w, const QString& hint);

} // namespace zrc

class QKeyEvent;
namespace zrc {
// True when an enabled action of the window (PopupMenu2) has this key as its
// shortcut: the window then takes the key before the focused control does.
// Ctrl+A in a text field is left to the field (it selects the field's text).
[[nodiscard]] bool prebiraZkratku(const QWidget& okno, const QWidget& fokus, const QKeyEvent& e);
} // namespace zrc

namespace zrc {
// Files and directories dropped from the file manager onto cil or any control
// inside it: priPusteni gets their local paths in the order of the drop.
void pridejCilPusteni(QWidget* cil, std::function<void(const QStringList&)> priPusteni);
} // namespace zrc
