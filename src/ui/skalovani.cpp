#include "ui/skalovani.h"

#include "ui/sirka_popisku.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace zrc {

namespace {

// Nearest integer, halves to the even neighbour (the default rounding mode).
int zaokrouhli(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

} // namespace

KrokSkalovani krokSkalovani(QSize klient, int RefSirka, int RefVyska)
{
    const double rw = klient.width() * 100.0 / RefSirka;
    const double rh = klient.height() * 100.0 / RefVyska;
    KrokSkalovani k;
    if (rw >= rh) {
        k.faktor = double(klient.height()) / RefVyska;
        k.klient = {zaokrouhli(rh * RefSirka * 0.01), klient.height()};
    } else {
        k.faktor = double(klient.width()) / RefSirka;
        k.klient = {klient.width(), zaokrouhli(rw * RefVyska * 0.01)};
    }
    k.RefSirka = k.klient.width();
    k.RefVyska = k.klient.height();
    return k;
}

Skalovani::Prvek& Skalovani::prvek(QWidget* w)
{
    for (auto& p : prvky_)
        if (p.widget == w)
            return p;
    prvky_.push_back({w, {}, {}, {}});
    return prvky_.back();
}

void Skalovani::umisti(QWidget* w, const QRect& navrh)
{
    prvek(w).rect = navrh;
    w->setGeometry(navrh);
    if (meritko_ != 1.0) {
        prepocti();
        return;
    }
    oznacNavrh(w, navrh);
    if (w->parentWidget())
        rozvrhniRadky(w->parentWidget());
}

void Skalovani::pismo(QWidget* w, const QFont& navrh)
{
    prvek(w).font = navrh;
    w->setFont(navrh);
    if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit())
        c->lineEdit()->setFont(navrh);
}

void Skalovani::vyska(QWidget* w, int navrh)
{
    prvek(w).vyska = navrh;
    w->setFixedHeight(navrh);
}

int Skalovani::zvetsi(int navrh) const
{
    return zaokrouhli(navrh * meritko_);
}

void Skalovani::pouzij(const KrokSkalovani& krok)
{
    meritko_ *= krok.faktor;
    RefSirka = krok.RefSirka;
    RefVyska = krok.RefVyska;
    prepocti();
}

void Skalovani::prepocti() const
{
    std::vector<QWidget*> rodice;
    for (const auto& p : prvky_) {
        if (!p.widget)
            continue;
        if (p.font) {
            QFont f = *p.font;
            f.setPixelSize(std::max(1, zvetsi(p.font->pixelSize())));
            p.widget->setFont(f);
            // The edit box of a combo box keeps the font it was created with.
            if (auto* c = qobject_cast<QComboBox*>(p.widget.data()); c && c->lineEdit())
                c->lineEdit()->setFont(f);
        }
        if (p.rect) {
            // Edges are zoomed, not sizes, so neighbours stay flush.
            const QRect& r = *p.rect;
            const int x0 = zvetsi(r.left()), y0 = zvetsi(r.top());
            const QRect zvetseny(x0, y0, zvetsi(r.left() + r.width()) - x0, zvetsi(r.top() + r.height()) - y0);
            p.widget->setGeometry(zvetseny);
            oznacNavrh(p.widget, zvetseny);
            if (QWidget* rodic = p.widget->parentWidget();
                rodic && std::find(rodice.begin(), rodice.end(), rodic) == rodice.end())
                rodice.push_back(rodic);
        }
        if (p.vyska)
            p.widget->setFixedHeight(zvetsi(*p.vyska));
    }
    // Widened to their captions once all stand at their zoomed places.
    for (QWidget* rodic : rodice)
        rozvrhniRadky(rodic);
}

} // namespace zrc
