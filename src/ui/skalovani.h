#pragma once
// Proportional zoom of the main window: every control keeps its design
// position, size and font in design pixels and is shown at the window's zoom.
// A resize zooms by the smaller of the two factors and snaps the other
// dimension, so the client area keeps the design aspect 632 : 449.

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <optional>
#include <vector>

namespace zrc {

constexpr int navrhSirka = 632;   // design client size
constexpr int navrhVyska = 449;

struct KrokSkalovani {
    double faktor = 1.0;   // zoom relative to the previous reference size
    QSize klient;          // the client size to set (one dimension snapped)
    int RefSirka = navrhSirka;
    int RefVyska = navrhVyska;
};

// SkalujOkno's arithmetic for a new client size against the reference size:
// rw = cw * 100 / RefSirka, rh = ch * 100 / RefVyska; rw >= rh zooms by
// ch / RefVyska and snaps the width to rh * RefSirka / 100, otherwise by
// cw / RefSirka with the height snapped; rounding halves to even.
KrokSkalovani krokSkalovani(QSize klient, int RefSirka, int RefVyska);

class Skalovani final {
public:
    int RefSirka = navrhSirka;
    int RefVyska = navrhVyska;

    double meritko() const { return meritko_; }
    // A control placed at design coordinates inside its parent.
    void umisti(QWidget* w, const QRect& navrh);
    // A control whose font is zoomed (pixel size at design).
    void pismo(QWidget* w, const QFont& navrh);
    // A control whose fixed height is zoomed.
    void vyska(QWidget* w, int navrh);

    // Applies a step: the zoom is multiplied and every control re-placed.
    void pouzij(const KrokSkalovani& krok);
    void prepocti() const;
    int zvetsi(int navrh) const;

private:
    struct Prvek {
        QPointer<QWidget> widget;
        std::optional<QRect> rect;
        std::optional<QFont> font;
        std::optional<int> vyska;
    };
    Prvek& prvek(QWidget* w);
    std::vector<Prvek> prvky_;
    double meritko_ = 1.0;
};

} // namespace zrc
