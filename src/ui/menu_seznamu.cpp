#include "ui/menu_seznamu.h"
#include "ui/prikazy_desktopu.h"
#include "ui/prikazy_seznamu.h"
#include "ui/stranky_vysledku.h"

#include "settings/seznamy.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <cstring>

namespace zrc {

namespace {

constexpr int pocetTypu = 10;   // keys "1".."10" of "oznaceni" / "odznaceni"

QKeySequence klavesa(const PrikazSeznamu& p)
{
    return p.maZkratku() ? QKeySequence(p.zkratka) : QKeySequence();
}

// The ten items of a type submenu get their captions from the type list
// (NaplnMenu); an empty key hides its item. True when an item shows.
bool naplnMenuTypu(QMenu* m, const QString& cestaIni, QStringView sekce)
{
    const std::vector<QString> typy = NaplnMenu(cestaIni, sekce, pocetTypu);
    const QList<QAction*> polozky = m->actions();
    bool nejaky = false;
    for (int i = 0; i < polozky.size() && i < int(typy.size()); ++i) {
        const bool je = !typy[std::size_t(i)].isEmpty();
        polozky[i]->setText(typy[std::size_t(i)]);
        polozky[i]->setVisible(je);
        nejaky = nejaky || je;
    }
    return nejaky;
}

} // namespace

// The items belong to the window: a hovered item of a menu opened by popup()
// sends its hint to the item's parent, and the window puts it into the status
// bar (a menu, being a window of its own, would not pass it on).
MenuSeznamu::MenuSeznamu(StrankyVysledku& vysledky) : QObject(&vysledky), vysledky_(vysledky)
{
    menu_ = new QMenu(vysledky_.PageControl1()->window());
    menu_->setObjectName(QStringLiteral("PopupMenu1"));
    vytvor();
    connect(menu_, &QMenu::aboutToShow, this, &MenuSeznamu::PopupMenu1Popup);
    pripojKSeznamum();
}

QAction* MenuSeznamu::akce(const PrikazSeznamu& radek) const
{
    for (const Polozka& p : polozky_)
        if (p.radek == &radek)
            return p.akce;
    return nullptr;
}

void MenuSeznamu::vytvor()
{
    for (const PrikazSeznamu& radek : prikazySeznamu()) {
        QMenu* nabidka = nabidkaRadku(radek);
        QAction* a = vytvorPolozku(nabidka, radek);
        QAction* oddelovac = nullptr;
        if (radek.oddelovac) {
            oddelovac = nabidka->addSeparator();
            oddelovac->setObjectName(QString::fromUtf8(radek.oddelovac));
        }
        polozky_.push_back({&radek, a, oddelovac});
    }
}

// The submenu a row names, created by an earlier row; the menu itself otherwise.
QMenu* MenuSeznamu::nabidkaRadku(const PrikazSeznamu& radek) const
{
    if (!radek.podnabidka)
        return menu_;
    for (const Polozka& p : polozky_)
        if (std::strcmp(p.radek->jmeno, radek.podnabidka) == 0 && p.akce->menu())
            return p.akce->menu();
    qWarning("PopupMenu1: %s names no submenu before it", radek.jmeno);
    return menu_;
}

QAction* MenuSeznamu::vytvorPolozku(QMenu* nabidka, const PrikazSeznamu& radek)
{
    const QString popis = QString::fromUtf8(radek.popis);
    QAction* a = nullptr;
    if (radek.druh == DruhPrikazu::Prikaz) {
        a = new QAction(popis, menu_->parentWidget());
        a->setShortcut(klavesa(radek));
        nabidka->addAction(a);
        connect(a, &QAction::triggered, this, [this, &radek] { spust(radek); });
    } else {
        QMenu* m = nabidka->addMenu(popis);
        a = m->menuAction();
        if (radek.druh == DruhPrikazu::Typy)
            vytvorTypy(m, radek);
    }
    a->setObjectName(QString::fromUtf8(radek.jmeno));
    a->setStatusTip(QString::fromUtf8(radek.hint));
    return a;
}

// vyber1..vyber10 / pryc1..pryc10, hidden until the submenu fills them.
void MenuSeznamu::vytvorTypy(QMenu* m, const PrikazSeznamu& radek)
{
    const TypyPrikazu& t = radek.typy;
    for (int p = 0; p < pocetTypu; ++p) {
        auto* a = new QAction(menu_->parentWidget());
        m->addAction(a);
        a->setObjectName(QStringLiteral("%1%2").arg(QString::fromUtf8(t.polozka)).arg(p + 1));
        a->setStatusTip(QString::fromUtf8(t.hint));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, akce = t.akce, p] { akce(vysledky_, p); });
    }
    connect(m, &QMenu::aboutToShow, this,
            [this, m, sekce = t.sekce] { (void)naplnMenuTypu(m, vysledky_.cestaIni(), sekce); });
}

// Every list carries the menu: its shortcuts as the list's own, the right
// mouse button, and Shift+F10 from the keyboard at the current row.
void MenuSeznamu::pripojKSeznamum()
{
    for (int tag = 1; tag <= CisloSeznamu::pocet; ++tag) {
        SeznamVysledku* s = vysledky_.seznam(tag);
        for (const Polozka& p : polozky_) {
            if (!p.radek->maZkratku() || p.radek->zkratkaOkna)
                continue;
            p.akce->setShortcutContext(Qt::WidgetShortcut);
            s->addAction(p.akce);
        }
        // A double click opens the file, as "otevřít" does.
        connect(s, &QAbstractItemView::doubleClicked, this, [this] { otevriPolozku(vysledky_); });
        connect(s, &QWidget::customContextMenuRequested, this,
                [this, s](const QPoint& p) { menu_->popup(s->viewport()->mapToGlobal(p)); });
        auto* zKlavesnice = new QAction(s);
        zKlavesnice->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
        zKlavesnice->setShortcutContext(Qt::WidgetShortcut);
        s->addAction(zKlavesnice);
        connect(zKlavesnice, &QAction::triggered, this, [this, s] {
            const QModelIndex radek = s->currentIndex();
            const QPoint p = radek.isValid() ? s->visualRect(radek).bottomLeft() : s->viewport()->rect().center();
            menu_->popup(s->viewport()->mapToGlobal(p));
        });
    }
}

// The items act on the active list, so that their shortcuts do nothing on an
// empty one; what has no other version to act on is hidden on "NOVÉ".
void MenuSeznamu::PopupMenu1Popup()
{
    SeznamVysledku* s = vysledky_.AktivniSeznam();
    const bool nove = CisloSeznamu(s->tag()).nove() && s->hasFocus();
    const bool polozky = s->model()->rowCount() > 0;
    const bool novejsi = CisloSeznamu(s->tag()).novejsi();
    for (const Polozka& p : polozky_) {
        if (p.radek->stranka == Stranka::Novejsi)
            p.akce->setVisible(novejsi);
        if (p.radek->viditelny)
            p.akce->setVisible(p.radek->viditelny(vysledky_));
        if (p.radek->naNove == NaNove::Skryto) {
            p.akce->setVisible(!nove);
            if (p.oddelovac)
                p.oddelovac->setVisible(!nove);
        }
        p.akce->setEnabled(p.radek->povoleni == Povoleni::Vzdy || polozky);
        if (p.radek->druh == DruhPrikazu::Typy)
            naplnPodmenuTypu(p);
    }
}

// A type submenu is filled before Qt lays it out: filled only as it opened, an
// empty one popped up as a window of no size, and the window system did not
// show that submenu again, not even once the configuration had added types.
// An empty type list leaves nothing to open.
void MenuSeznamu::naplnPodmenuTypu(const Polozka& p)
{
    const bool typy = naplnMenuTypu(p.akce->menu(), vysledky_.cestaIni(), p.radek->typy.sekce);
    p.akce->setEnabled(p.akce->isEnabled() && typy);
}

void MenuSeznamu::spust(const PrikazSeznamu& radek)
{
    SeznamVysledku* s = vysledky_.AktivniSeznam();
    // "NOVÉ" has no other version: a file of that name on the other side is
    // one the comparison did not see, and it is not deleted unseen.
    if (radek.naNove == NaNove::Skryto && CisloSeznamu(s->tag()).nove())
        return;
    if (radek.stranka == Stranka::Novejsi && !CisloSeznamu(s->tag()).novejsi())
        return;
    if (radek.operace)
        vysledky_.proved(radek.operace(s->tag()), s);
    else if (radek.akce)
        radek.akce(vysledky_);
}

} // namespace zrc
