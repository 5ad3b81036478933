#include "ui/umisteni.h"

#include <QScreen>
#include <QWidget>

namespace zrc {

QPoint rohKReferenci(QSize okno, const QRect& reference)
{
    return {reference.left() + reference.width() - okno.width(),
            reference.top() + reference.height() - okno.height()};
}

QPoint poziceNaObrazovce(const QRect& okno, QSize obrazovka)
{
    int x = okno.left();
    int y = okno.top();
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    if (x + okno.width() > obrazovka.width())
        x = obrazovka.width() - okno.width();
    if (y + okno.height() > obrazovka.height())
        y = obrazovka.height() - okno.height();
    return {x, y};
}

void ZarovnejKeRohu(QWidget& okno, const QWidget& reference)
{
    okno.move(rohKReferenci(okno.frameGeometry().size(), reference.frameGeometry()));
}

void DrzNaObrazovce(QWidget& okno)
{
    const QScreen* s = okno.screen();
    if (!s)
        return;
    okno.move(poziceNaObrazovce(okno.frameGeometry(), s->geometry().size()));
}

} // namespace zrc
