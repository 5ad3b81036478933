#pragma once
// Controls placed at design coordinates are at least as wide as their
// captions in the font they are drawn with. The design widths were drawn for a
// narrow sans; DejaVu Sans, where its condensed face is missing, is some 15 %
// wider, and a larger font more again: "vybrat vše (Ctrl+A)" lost its first
// and last letters. The designed width stays the minimum.
//
// Skalovani marks every control it places with its zoomed design rectangle
// (oznacNavrh) and reflows the parent after each zoom; a control whose font
// changes later (a style, a test, the desktop) reflows its parent itself.

#include <QRect>
#include <QString>

class QWidget;

namespace zrc {

// The caption as drawn: "&&" is one "&", a single "&" marks the mnemonic.
QString bezMnemoniky(const QString& text);

// The width a control needs to show its caption whole in its current font:
// its width less the room its style leaves for the text, plus the text's
// advance. -1 for a control without a caption (an edit field, a glyph button,
// a word-wrapped or rich-text label).
int sirkaProPopisek(const QWidget& w);

// A control whose text may be longer than its place by design (the pruning
// example, a path): keeps its design width.
void pevnaSirka(QWidget* w);

// Remembers the control's zoomed design rectangle and watches its font.
void oznacNavrh(QWidget* w, const QRect& navrh);

// Lays the marked children of rodic out again: each at its design rectangle,
// widened to its caption, and the controls to its right in the same row moved
// on by as much as it grew, keeping their design gap.
void rozvrhniRadky(QWidget* rodic);

} // namespace zrc
