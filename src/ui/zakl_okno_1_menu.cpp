// The window's own command map: PopupMenu2, never shown, whose shortcuts act
// from every control of the window. PopupMenu1 on the result lists belongs to
// the result pages (menu_seznamu.h).
#include "ui/zakl_okno_1.h"
#include "ui/menu_seznamu.h"
#include "ui/operace_souboru.h"
#include "ui/stranka_nastaveni.h"
#include "ui/stranky_vysledku.h"
#include "ui/tlacitka_akci.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace zrc {

namespace {

struct PolozkaMenu {
    const char* jmeno;
    const char* popis;
    QKeySequence zkratka;
};

QAction* vytvorAkci(QObject* vlastnik, const PolozkaMenu& p)
{
    auto* a = new QAction(QString::fromUtf8(p.popis), vlastnik);
    a->setObjectName(QString::fromUtf8(p.jmeno));
    a->setShortcut(p.zkratka);
    return a;
}

} // namespace

QAction* TForm1::akce(const QString& jmeno) const
{
    return findChild<QAction*>(jmeno);
}

void TForm1::vytvorMenu()
{
    PopupMenu1 = stranky_->menu().PopupMenu1();
    vytvorPopupMenu2();
}

void TForm1::vytvorPopupMenu2()
{
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    auto pridej = [&](const PolozkaMenu& p) {
        QAction* a = vytvorAkci(this, p);
        a->setShortcutContext(Qt::WindowShortcut);
        PopupMenu2->addAction(a);
        addAction(a);   // the window's own shortcuts, whatever has the focus
        return a;
    };
    connect(pridej({"PopDalsiOkno", "další okno", QKeySequence(Qt::CTRL | Qt::Key_O)}), &QAction::triggered, this,
            &TForm1::PopDalsiOknoClick);
    connect(pridej({"PopMaximalizuj", "maximalizuj", QKeySequence(Qt::CTRL | Qt::Key_M)}), &QAction::triggered,
            this, &TForm1::PopMaximalizujClick);
    for (int tag = 1; tag <= pocetAkci; ++tag) {
        const TlacitkoAkce& t = tlacitkaAkci()[std::size_t(tag - 1)];
        QAction* a = pridej({t.polozka, t.jmeno, QKeySequence(t.zkratka)});
        a->setData(tag);
        connect(a, &QAction::triggered, this, [this, tag] { MPBB1Click(tag); });
    }
    // Paging through the history: these act also while SBHP or SBHD is disabled
    // and take Ctrl+Left / Ctrl+Right from the edit boxes.
    StrankaNastaveni* n = nastaveniStranka_;
    connect(pridej({"MBHistoriePredchozi", "HistoriePredchozi", QKeySequence(Qt::CTRL | Qt::Key_Left)}),
            &QAction::triggered, n, &StrankaNastaveni::SBHPClick);
    connect(pridej({"MBHistorieDalsi", "HistorieDalsi", QKeySequence(Qt::CTRL | Qt::Key_Right)}),
            &QAction::triggered, n, &StrankaNastaveni::SBHDClick);
    connect(pridej({"MBHistoriePridani", "HistoriePridavani", QKeySequence(Qt::CTRL | Qt::Key_H)}),
            &QAction::triggered, n, &StrankaNastaveni::MBHistoriePridaniClick);
    connect(pridej({"MVratitOperaci", "vrátit poslední operaci", QKeySequence(Qt::CTRL | Qt::Key_Z)}),
            &QAction::triggered, this, [this] { operace_->VratPosledniOperaci(); });   // made after the menus
}

namespace {

// A field the user types into: its text is what Ctrl+A selects.
bool jeTextovePole(const QWidget& w)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(&w))
        return !e->isReadOnly();
    if (const auto* c = qobject_cast<const QComboBox*>(&w))
        return c->isEditable();
    return qobject_cast<const QAbstractSpinBox*>(&w) || qobject_cast<const QTextEdit*>(&w) ||
           qobject_cast<const QPlainTextEdit*>(&w);
}

} // namespace

// A control that wants a key for itself (Ctrl+Left in an edit box) asks
// first; the window's own shortcuts win, as they do in every control. Only
// Ctrl+A stays with a text field: "vybrat vše" there would drop the path being
// typed and move the focus into a list of a page not even shown; Ctrl+Z
// there takes back the typing, not the last file operation.
bool prebiraZkratku(const QWidget& okno, const QWidget& fokus, const QKeyEvent& e)
{
    if ((e.matches(QKeySequence::SelectAll) || e.matches(QKeySequence::Undo)) && jeTextovePole(fokus))
        return false;
    const QKeySequence klavesa(e.keyCombination());
    for (QAction* a : okno.actions())
        if (a->isEnabled() && a->shortcut() == klavesa)
            return true;
    return false;
}

} // namespace zrc
