#pragma once
// Placing secondary windows: against the corner of the main window, and back
// onto the screen. Positions and sizes are outer (frame) ones.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace zrc {

// Top-left corner that puts the right and bottom edges of a window of size
// `okno` on those of `reference`. The size is kept; nothing keeps it on screen.
QPoint rohKReferenci(QSize okno, const QRect& reference);
// Top-left corner that pulls `okno` onto a screen of size `obrazovka`: a
// negative left or top becomes 0, then a window sticking out to the right or
// bottom is moved back. A window larger than the screen keeps its right or
// bottom part visible.
QPoint poziceNaObrazovce(const QRect& okno, QSize obrazovka);

// Top-left corner that keeps a window of frame `okno` inside `oblast` (the
// screen's available area, without panels): pushed back from the right and
// bottom edges first, then from the left and top ones, so that a window
// larger than the area keeps its title bar and its left side reachable.
QPoint poziceVOblasti(const QRect& okno, const QRect& oblast);

void ZarovnejKeRohu(QWidget& okno, const QWidget& reference);
void DrzNaObrazovce(QWidget& okno);

// Where a dialog goes against the window it belongs to.
enum class MistoDialogu {
    Roh,     // its bottom-right corner on that of the main window
    Stred,   // centred on the window
};

// Places the dialog each time it is shown, against the top-level window of
// `reference`, and keeps its frame inside the available area of that
// window's screen. The window manager adds the frame only after the dialog
// is mapped, so until then the frame is taken to be as thick as that of the
// reference window, and the dialog is placed once more when its own frame is
// known. Until that moment nothing else moves it; afterwards the user may.
void UmistiDialog(QWidget& dialog, const QWidget& reference, MistoDialogu misto);

} // namespace zrc
