// The command map: PopupMenu1 on the result lists (its shortcuts act while a
// list has the focus) and PopupMenu2, never shown, whose shortcuts act from
// every control of the window.
#include "ui/zakl_okno_1.h"
#include "ui/seznam_vysledku.h"
#include "ui/stranka_nastaveni.h"

#include "settings/klice.h"
#include "settings/seznamy.h"
#include "ui/operace_souboru.h"
#include "ui/soubor_info.h"
#include "ui/stranky_vysledku.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

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

// A submenu with ten hidden items (vyber1..vyber10, pryc1..pryc10) that get
// their captions from the marking types when the menu opens (NaplnMenu).
QMenu* menuTypu(QMenu* rodic, const char* jmeno, const char* popis, const char* polozka, const char* hint)
{
    auto* m = rodic->addMenu(QString::fromUtf8(popis));
    m->menuAction()->setObjectName(QString::fromUtf8(jmeno));
    for (int i = 1; i <= 10; ++i) {
        auto* a = m->addAction(QString());
        a->setObjectName(QStringLiteral("%1%2").arg(QString::fromUtf8(polozka)).arg(i));
        a->setStatusTip(QString::fromUtf8(hint));
        a->setVisible(false);
    }
    return m;
}

void naplnMenuTypu(QMenu* m, const QString& cestaIni, QStringView sekce)
{
    const std::vector<QString> typy = NaplnMenu(cestaIni, sekce, 10);
    const QList<QAction*> polozky = m->actions();
    for (int i = 0; i < polozky.size() && i < int(typy.size()); ++i) {
        polozky[i]->setText(typy[std::size_t(i)]);
        polozky[i]->setVisible(!typy[std::size_t(i)].isEmpty());
    }
}

} // namespace

QAction* TForm1::akce(const QString& jmeno) const
{
    return findChild<QAction*>(jmeno);
}

void TForm1::vytvorMenu()
{
    vytvorPopupMenu1();
    vytvorPopupMenu2();
}

void TForm1::vytvorPopupMenu1()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto* m = PopupMenu1;
    QList<QAction*> sezkratkou;
    auto pridej = [&](QMenu* menu, const PolozkaMenu& p) {
        QAction* a = vytvorAkci(this, p);
        menu->addAction(a);
        if (!p.zkratka.isEmpty())
            sezkratkou << a;
        return a;
    };
    auto* dle1 = m->addMenu(QStringLiteral("označ dle &aktivního"));
    dle1->menuAction()->setObjectName(QStringLiteral("dleaktivnho1"));
    pridej(dle1, {"DleVShodnyTyp", "všechny stejného &typu", QKeySequence(Qt::CTRL | Qt::Key_T)});
    pridej(dle1, {"DleVShodnyAdr", "všechny ve stejném a&dresáři", QKeySequence(Qt::CTRL | Qt::Key_D)});
    QMenu* oznac = menuTypu(m, "MOZNAC", "&označ", "vyber", "vybere všechny souboru daného typu");
    pridej(m, {"MOznVseVAdr", "označ vše v ..", QKeySequence(Qt::CTRL | Qt::Key_P)});
    m->addSeparator();
    auto* dle2 = m->addMenu(QStringLiteral("odznač dle aktivního"));
    dle2->menuAction()->setObjectName(QStringLiteral("dleaktivnho2"));
    pridej(dle2, {"DleVShodnyTypNe", "všechny shodného &typu", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)});
    pridej(dle2, {"DleVShodnyAdrNe", "všechny ve stejném a&dresáři", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D)});
    QMenu* odznac = menuTypu(m, "MODZNAC", "o&dznač", "pryc", "odznačí všechny soubory daného typu");
    pridej(m, {"MOdznVseVAdr", "odznač vše v ..", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)})->setData(1);
    m->addSeparator();
    auto* pryc = pridej(m, {"z_nab_pryc", "označené pryč z nab.", QKeySequence(Qt::Key_Delete)});
    pryc->setStatusTip(QStringLiteral("odstraní vybrané soubory z nabídky"));
    connect(pryc, &QAction::triggered, this, [this] { stranky_->z_nab_prycClick(); });
    m->addSeparator();
    pridej(m, {"alt_pryc", "starší verzi odstraň", {}})->setStatusTip(QStringLiteral("odstraní z disku starší verzi vybraných souborů"));
    m->addSeparator()->setObjectName(QStringLiteral("N3"));
    pridej(m, {"MKopiruj", "vybrané zkopíruj do ..", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F5)})->setData(6);
    pridej(m, {"MPresun", "vybrané přesuň do ..", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)})->setData(3);
    m->addSeparator();
    pridej(m, {"info", "soubor - &informace", QKeySequence(Qt::CTRL | Qt::Key_I)})->setStatusTip(QStringLiteral("zobrazí informace o aktivním souboru"));

    propojOznaceni(oznac, odznac);
    propojPrikazy();
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TForm1::PopupMenu1Popup);

    for (int tag = 1; tag <= 8; ++tag) {
        SeznamVysledku* s = stranky_->seznam(tag);
        for (QAction* a : sezkratkou) {
            a->setShortcutContext(Qt::WidgetShortcut);
            s->addAction(a);
        }
        connect(s, &QWidget::customContextMenuRequested, this,
                [this, s](const QPoint& p) { PopupMenu1->popup(s->viewport()->mapToGlobal(p)); });
        // Shift+F10 opens the menu from the keyboard, at the current row.
        auto* zKlavesnice = new QAction(s);
        zKlavesnice->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
        zKlavesnice->setShortcutContext(Qt::WidgetShortcut);
        s->addAction(zKlavesnice);
        connect(zKlavesnice, &QAction::triggered, this, [this, s] {
            const QModelIndex radek = s->currentIndex();
            const QPoint p = radek.isValid() ? s->visualRect(radek).bottomLeft() : s->viewport()->rect().center();
            PopupMenu1->popup(s->viewport()->mapToGlobal(p));
        });
    }
}

// Marking from the menu: the type submenus are filled each time they open.
void TForm1::propojOznaceni(QMenu* oznac, QMenu* odznac)
{
    StrankyVysledku* v = stranky_;
    akce(QStringLiteral("MOznVseVAdr"))->setStatusTip(QStringLiteral("označí všechny soubory v zadaném adreáři (dle jména)"));
    akce(QStringLiteral("MOdznVseVAdr"))->setStatusTip(QStringLiteral("odznačí všechny soubory v zadaném adreáři (dle jména)"));
    connect(oznac, &QMenu::aboutToShow, this, [this, oznac] { naplnMenuTypu(oznac, CestaIni_, ini::oznaceni); });
    connect(odznac, &QMenu::aboutToShow, this, [this, odznac] { naplnMenuTypu(odznac, CestaIni_, ini::odznaceni); });
    for (int p = 0; p < 10; ++p) {
        connect(oznac->actions().at(p), &QAction::triggered, v, [v, p] { v->vyberClick(p); });
        connect(odznac->actions().at(p), &QAction::triggered, v, [v, p] { v->prycClick(p); });
    }
    connect(akce(QStringLiteral("DleVShodnyTyp")), &QAction::triggered, v, [v] { v->DleVShodnyTypClick(true); });
    connect(akce(QStringLiteral("DleVShodnyAdr")), &QAction::triggered, v, [v] { v->DleVShodnyAdrClick(true); });
    connect(akce(QStringLiteral("DleVShodnyTypNe")), &QAction::triggered, v, [v] { v->DleVShodnyTypClick(false); });
    connect(akce(QStringLiteral("DleVShodnyAdrNe")), &QAction::triggered, v, [v] { v->DleVShodnyAdrClick(false); });
    for (const char* jmeno : {"MOznVseVAdr", "MOdznVseVAdr"}) {
        QAction* a = akce(QString::fromUtf8(jmeno));
        connect(a, &QAction::triggered, this, [this, a] { stranky_->MOznVseVAdrClick(a->data().toInt() == 1, this); });
    }
}

// Opening the menu: "starší verzi odstraň" only where the other version exists
// (not on "NOVÉ"); the entries are enabled when the active list has items, so
// that their shortcuts do nothing on an empty list.
void TForm1::PopupMenu1Popup()
{
    SeznamVysledku* s = stranky_->AktivniSeznam();
    const bool nove = s->tag() <= 2 && s->hasFocus();
    akce(QStringLiteral("alt_pryc"))->setVisible(!nove);
    akce(QStringLiteral("N3"))->setVisible(!nove);
    const bool polozky = s->model()->rowCount() > 0;
    for (const char* jmeno : {"dleaktivnho1", "MOZNAC", "MOznVseVAdr", "dleaktivnho2", "MODZNAC", "MOdznVseVAdr",
                              "z_nab_pryc", "DleVShodnyTyp", "DleVShodnyAdr", "DleVShodnyTypNe", "DleVShodnyAdrNe",
                              "alt_pryc", "MKopiruj", "MPresun", "info"})
        akce(QString::fromUtf8(jmeno))->setEnabled(polozky);
}

// The list's own file commands: the other version, a chosen directory, the
// information dialog.
void TForm1::propojPrikazy()
{
    connect(akce(QStringLiteral("alt_pryc")), &QAction::triggered, this, &TForm1::alt_prycClick);
    for (const char* jmeno : {"MKopiruj", "MPresun"}) {
        QAction* a = akce(QString::fromUtf8(jmeno));
        connect(a, &QAction::triggered, this, [this, a] { MKPClick(a->data().toInt()); });
    }
    connect(akce(QStringLiteral("info")), &QAction::triggered, this, &TForm1::infoClick);
}

void TForm1::alt_prycClick()
{
    SeznamVysledku* s = stranky_->AktivniSeznam();
    // "NOVÉ" has no other version: a file of that name on the other side is
    // one the comparison did not see, and it is not deleted unseen.
    if (!s || s->tag() <= 2)
        return;
    operace_->ProvedOperaci(OdstraneniStarsiVerze(s->tag()), s->vybraneRadky());
}

void TForm1::MKPClick(int kod)
{
    SeznamVysledku* s = stranky_->AktivniSeznam();
    if (!s)
        return;
    operace_->ProvedOperaci(OperaceDoAdresare(s->tag(), kod), s->vybraneRadky());
}

void TForm1::infoClick()
{
    SeznamVysledku* s = stranky_->AktivniSeznam();
    if (!s || s->model()->rowCount() == 0 || !s->currentIndex().isValid())
        return;
    const ResultListModel* m = s->modelSeznamu();
    ZobrazInfo(zadaniInfa(m->uloziste(), s->tag(), m->polozka(s->currentIndex().row())), *this);
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
    const QKeySequence zkratkyBB[pocetAkci] = {
        QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::Key_F5),           QKeySequence(Qt::Key_F6),
        QKeySequence(Qt::Key_F8),           QKeySequence(Qt::CTRL | Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_F6)};
    for (int tag = 1; tag <= pocetAkci; ++tag) {
        const QByteArray jmeno = tag == 1 ? "MPBB1" : "MBB" + QByteArray::number(tag);
        const QByteArray popis = "BB" + QByteArray::number(tag);
        QAction* a = pridej({jmeno.constData(), popis.constData(), zkratkyBB[tag - 1]});
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
}

// A control that wants a key for itself (Ctrl+A or Ctrl+Left in an edit box)
// asks first; the window's own shortcuts win, as they do in every control.
bool prebiraZkratku(const QWidget& okno, const QKeyEvent& e)
{
    const QKeySequence klavesa(e.keyCombination());
    for (QAction* a : okno.actions())
        if (a->isEnabled() && a->shortcut() == klavesa)
            return true;
    return false;
}

} // namespace zrc
