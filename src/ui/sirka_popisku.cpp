#include "ui/sirka_popisku.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>

#include <algorithm>
#include <vector>

namespace zrc {

namespace {

constexpr char vlastnostNavrhu[] = "zrcNavrh";
constexpr char vlastnostPevne[] = "zrcPevnaSirka";
constexpr char vlastnostRodice[] = "zrcRodicRadku";

int mistoTlacitka(const QAbstractButton& b)
{
    QStyleOptionButton o;
    o.initFrom(&b);
    o.text = b.text();
    o.icon = b.icon();
    o.iconSize = b.iconSize();
    QStyle::SubElement prvek = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(&b))
        prvek = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton*>(&b))
        prvek = QStyle::SE_RadioButtonContents;
    else if (!qobject_cast<const QPushButton*>(&b))
        return b.contentsRect().width();
    return b.style()->subElementRect(prvek, &o, &b).width();
}

// A font change of a control (its own or inherited) reflows its parent, and
// so does a new size of the parent: a row squeezed into a narrow parent is
// laid out again at its full width.
class HlidacPisma final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w)
            return false;
        if (e->type() == QEvent::FontChange && w->parentWidget())
            rozvrhniRadky(w->parentWidget());
        else if (e->type() == QEvent::Resize && w->property(vlastnostRodice).toBool())
            rozvrhniRadky(w);
        return false;
    }
};

struct Prvek {
    QWidget* w;
    QRect navrh;
};

bool vRadku(const QRect& a, const QRect& b)
{
    return a.top() < b.bottom() && b.top() < a.bottom();
}

} // namespace

QString bezMnemoniky(const QString& text)
{
    QString s;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        s += text[i];
    }
    return s;
}

int sirkaProPopisek(const QWidget& w)
{
    if (w.property(vlastnostPevne).toBool())
        return -1;
    QString text;
    int misto = -1;
    if (const auto* b = qobject_cast<const QAbstractButton*>(&w); b && !b->text().isEmpty()) {
        text = b->text();
        misto = mistoTlacitka(*b);
    } else if (const auto* l = qobject_cast<const QLabel*>(&w);
               l && !l->text().isEmpty() && !l->wordWrap() && l->textFormat() != Qt::RichText) {
        text = l->text();
        misto = l->contentsRect().width() - 2 * l->margin() - std::max(0, l->indent());
    }
    if (misto < 0)
        return -1;
    return w.width() - misto + w.fontMetrics().horizontalAdvance(bezMnemoniky(text));
}

void pevnaSirka(QWidget* w)
{
    w->setProperty(vlastnostPevne, true);
}

void oznacNavrh(QWidget* w, const QRect& navrh)
{
    if (!w->property(vlastnostNavrhu).isValid())
        w->installEventFilter(new HlidacPisma(w));
    w->setProperty(vlastnostNavrhu, navrh);
    if (QWidget* rodic = w->parentWidget(); rodic && !rodic->property(vlastnostRodice).isValid()) {
        rodic->setProperty(vlastnostRodice, true);
        rodic->installEventFilter(new HlidacPisma(rodic));
    }
}

namespace {

// The right end of the caption as drawn (a control without one: its right edge).
int konecPopisku(const QWidget& w)
{
    const int potreba = sirkaProPopisek(w);
    if (potreba < 0 || qobject_cast<const QPushButton*>(&w))
        return w.geometry().right();
    return w.x() + potreba - 1;
}

// Places the controls; the right edge of the rightmost.
int rozvrhni(const std::vector<Prvek>& prvky)
{
    std::vector<QRect> nove;
    int vpravo = 0;
    for (const Prvek& p : prvky) {
        QRect r = p.navrh;
        for (std::size_t i = 0; i < nove.size(); ++i) {
            const QRect& d = prvky[i].navrh;
            if (!vRadku(d, r))
                continue;
            if (d.right() < r.left() + 2)   // beside it: the design gap kept
                r.moveLeft(std::max(r.left(), nove[i].right() + 1 + (r.left() - d.right() - 1)));
            else if (d.left() < r.left())   // over its design tail: after its caption
                r.moveLeft(std::max(r.left(), konecPopisku(*prvky[i].w) + 4));
        }
        p.w->setGeometry(r);
        if (const int potreba = sirkaProPopisek(*p.w); potreba > r.width()) {
            r.setWidth(potreba);
            p.w->setGeometry(r);
        }
        nove.push_back(r);
        vpravo = std::max(vpravo, r.right());
    }
    return vpravo;
}

// The captions in a narrower cut of their face (Qt stretches the glyphs of a
// face that has none), by the share the row overran its parent; AnyStretch
// gives them their face as designed again.
void zuz(const std::vector<Prvek>& prvky, int procent)
{
    for (const Prvek& p : prvky) {
        if (sirkaProPopisek(*p.w) < 0 || p.w->font().stretch() == procent)
            continue;
        QFont f = p.w->font();
        f.setStretch(procent);
        p.w->setFont(f);
    }
}

bool vRozvrhu = false;   // the font changes of zuz reflow nothing

} // namespace

void rozvrhniRadky(QWidget* rodic)
{
    if (vRozvrhu)
        return;
    std::vector<Prvek> prvky;
    for (QObject* o : rodic->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && w->property(vlastnostNavrhu).isValid())
            prvky.push_back({w, w->property(vlastnostNavrhu).toRect()});
    std::sort(prvky.begin(), prvky.end(), [](const Prvek& a, const Prvek& b) { return a.navrh.x() < b.navrh.x(); });
    vRozvrhu = true;
    zuz(prvky, QFont::AnyStretch);
    int vpravo = rozvrhni(prvky);
    // A row that cannot be widened inside its parent (six action buttons in
    // the window's width) keeps its design widths with narrower glyphs, down
    // to 70 %, below which DejaVu Sans gets hard to read.
    if (!rodic->isWindow() && !prvky.empty())
        for (int procent = 100 * rodic->width() / (vpravo + 1); vpravo >= rodic->width() && procent >= 70;
             procent -= 5) {
            zuz(prvky, procent);
            vpravo = rozvrhni(prvky);
        }
    vRozvrhu = false;
}

} // namespace zrc
