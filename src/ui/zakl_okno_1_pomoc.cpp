#include "ui/zakl_okno_1_pomoc.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace zrc {

namespace {

// The local paths of a drag that carries files; empty for anything else.
QStringList mistniCesty(const QMimeData* data)
{
    QStringList cesty;
    if (!data || !data->hasUrls())
        return cesty;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            cesty << url.toLocalFile();
    return cesty;
}

// Drop target over a group box and every control in it: file URLs are taken
// whichever control of the group they are dropped on.
class CilPusteni : public QObject {
public:
    CilPusteni(QWidget* skupina, std::function<void(const QStringList&)> priPusteni)
        : QObject(skupina), priPusteni_(std::move(priPusteni))
    {
        sleduj(skupina);
        for (auto* w : skupina->findChildren<QWidget*>())
            sleduj(w);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* d = static_cast<QDropEvent*>(e);
            if (mistniCesty(d->mimeData()).isEmpty())
                return false;
            d->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* d = static_cast<QDropEvent*>(e);
            const QStringList cesty = mistniCesty(d->mimeData());
            if (cesty.isEmpty())
                return false;
            d->acceptProposedAction();
            priPusteni_(cesty);
            return true;
        }
        default:
            return false;
        }
    }

private:
    void sleduj(QWidget* w)
    {
        w->setAcceptDrops(true);
        w->installEventFilter(this);
    }
    std::function<void(const QStringList&)> priPusteni_;
};

} // namespace

QFont pismo(DruhPisma druh)
{
    QFont f;
    f.setStyleHint(QFont::SansSerif);
    f.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    // Every attribute is set, so that a bold group caption does not pass its
    // weight on to the controls inside the group.
    f.setBold(false);
    f.setItalic(false);
    switch (druh) {
    case DruhPisma::Okno:
        f.setPixelSize(11);
        break;
    case DruhPisma::Stranka:
        f.setPixelSize(12);
        break;
    case DruhPisma::Skupina:
        f.setPixelSize(12);
        f.setBold(true);
        break;
    case DruhPisma::Zalozky:
        f.setPixelSize(11);
        f.setBold(true);
        f.setItalic(true);
        break;
    case DruhPisma::Porovnej:
        f.setFamilies({QStringLiteral("DejaVu Sans")});
        f.setPixelSize(13);
        f.setWeight(QFont::Black);
        f.setItalic(true);
        break;
    }
    return f;
}

void nastavHint(QWidget* w, const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        w->setToolTip(hint);
        w->setStatusTip(hint);
        return;
    }
    w->setToolTip(hint.left(bar));
    w->setStatusTip(hint.mid(bar + 1));
}

void pridejCilPusteni(QWidget* cil, std::function<void(const QStringList&)> priPusteni)
{
    new CilPusteni(cil, std::move(priPusteni));
}

} // namespace zrc
