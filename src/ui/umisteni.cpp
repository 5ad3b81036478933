#include "ui/umisteni.h"

#include <algorithm>

#include <QBasicTimer>
#include <QEvent>
#include <QTimerEvent>
#include <QLayout>
#include <QPointer>
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

QPoint poziceVOblasti(const QRect& okno, const QRect& oblast)
{
    int x = std::min(okno.left(), oblast.left() + oblast.width() - okno.width());
    int y = std::min(okno.top(), oblast.top() + oblast.height() - okno.height());
    return {std::max(x, oblast.left()), std::max(y, oblast.top())};
}

namespace {

QMargins okraje(const QWidget& w)
{
    const QRect r = w.frameGeometry(), g = w.geometry();
    return {g.left() - r.left(), g.top() - r.top(), r.right() - g.right(), r.bottom() - g.bottom()};
}

// Lives as the dialog's child and watches its show event. What a placement
// depends on can still change after the show: the window manager adds the
// frame, a dialog sized by its layout gets its size, the main window settles
// after being maximised; and none of these comes with an event of the dialog's
// own. So for a second after the show (no window manager, the offscreen
// platform: no frame ever comes) it looks every 50 ms and places the dialog
// again when any of them changed. On a loaded machine all three arrived late
// enough to leave dialogs at the main window's corner, off the screen.
class Umistovac final : public QObject {
public:
    Umistovac(QWidget& dialog, const QWidget& reference, MistoDialogu misto)
        : QObject(&dialog), dialog_(dialog), reference_(&reference), misto_(misto)
    {
        dialog.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

private:
    // What a placement was computed from.
    struct Podklad {
        QSize ramec;
        QRect reference;
        bool operator==(const Podklad&) const = default;
    };
    Podklad podklad() const;
    void umisti();

    QWidget& dialog_;
    QPointer<const QWidget> reference_;
    MistoDialogu misto_;
    Podklad posledni_;
    QBasicTimer hlidac_;
    int pokusu_ = 0;
};

bool Umistovac::eventFilter(QObject* o, QEvent* e)
{
    if (o != &dialog_)
        return false;
    if (e->type() == QEvent::Show) {
        umisti();
        pokusu_ = 20;
        hlidac_.start(50, this);
    }
    return false;
}

void Umistovac::timerEvent(QTimerEvent* e)
{
    if (e->timerId() != hlidac_.timerId())
        return;
    if (reference_ && podklad() != posledni_)
        umisti();
    if (--pokusu_ <= 0)
        hlidac_.stop();
}

// The dialog's frame (its own once the window manager gave it one, else as
// thick as the main window's) and the main window's frame.
Umistovac::Podklad Umistovac::podklad() const
{
    const QWidget& okno = *reference_->window();
    const QMargins vlastni = okraje(dialog_);
    const QMargins m = vlastni.isNull() ? okraje(okno) : vlastni;
    return {dialog_.size().grownBy(m), okno.frameGeometry()};
}

void Umistovac::umisti()
{
    if (!reference_)
        return;
    if (dialog_.layout())
        dialog_.layout()->activate();   // a layout of fixed size sets the size now
    posledni_ = podklad();
    const QSize ramec = posledni_.ramec;
    const QRect r = posledni_.reference;
    QPoint p = misto_ == MistoDialogu::Roh
                   ? rohKReferenci(ramec, r)
                   : QPoint(r.left() + r.width() / 2 - ramec.width() / 2, r.top() + r.height() / 2 - ramec.height() / 2);
    if (const QScreen* s = reference_->window()->screen())
        p = poziceVOblasti({p, ramec}, s->availableGeometry());
    dialog_.move(p);
}

} // namespace

void UmistiDialog(QWidget& dialog, const QWidget& reference, MistoDialogu misto)
{
    new Umistovac(dialog, reference, misto);
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
