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

void ZarovnejKeRohu(QWidget& okno, const QWidget& reference);
void DrzNaObrazovce(QWidget& okno);

} // namespace zrc
