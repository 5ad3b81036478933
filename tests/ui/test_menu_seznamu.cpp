// The list menu walked row by row against the live window: every command is
// an item of the right menu with its caption, hint and shortcut, its key works
// from a focused list and does something there; no two commands share a key.

#include "test_okno_pomoc.h"

#include "ui/menu_seznamu.h"
#include "ui/operace_souboru.h"
#include "ui/prikazy_seznamu.h"
#include "ui/seznam_vysledku.h"
#include "ui/vysledky_model.h"

#include "settings/ini_soubor.h"
#include "settings/klice.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include <cstring>

namespace zrc::test {
namespace {

// Closes every modal dialog that a command opens (the mask dialog, the
// information dialog) and remembers that one came.
class ZaviracDialogu {
public:
    ZaviracDialogu()
    {
        casovac_.setInterval(10);
        QObject::connect(&casovac_, &QTimer::timeout, [this] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++pocet;
                d->reject();
            }
        });
        casovac_.start();
    }
    int pocet = 0;

private:
    QTimer casovac_;
};

struct Zachycena {
    Operace operace;
    int seznam;
};

class MenuSeznamuTest : public OknoTest {
protected:
    static constexpr int tag = 3;   // "NOVĚJŠÍ", directory 1

    SeznamVysledku* seznam() { return okno->vysledky().seznam(tag); }

    void SetUp() override
    {
        OknoTest::SetUp();
        otevri();
        std::vector<NalezenySoubor> s;
        for (const char* jmeno : {"a.txt", "b.jpg", "c.txt"})
            s.push_back({"docs/", jmeno, 0, 100});
        okno->vysledky().model(tag)->pridej(s);
        okno->PageControl1->setCurrentIndex(strankaSeznamu(tag));
        okno->PageControl1Change();
        seznam()->setFocus();
        ASSERT_TRUE(pockej([&] { return seznam()->hasFocus(); }));
        seznam()->setCurrentIndex(seznam()->model()->index(1, 0));
        seznam()->clearSelection();
        QObject::connect(&okno->vysledky(), &StrankyVysledku::operace, okno.get(),
                         [this](const Operace& o, SeznamVysledku* s) { zachycene.push_back({o, s->tag()}); });
        emit okno->PopupMenu1->aboutToShow();
    }

    // What a person sees change: the selection, the rows, a dialog, a message; or a
    // file command handed to the operations.
    struct Stav {
        std::vector<int> vybrane;
        int radku;
        bool operator==(const Stav&) const = default;
    };
    Stav stav() { return {seznam()->vybraneRadky(), seznam()->model()->rowCount()}; }

    // The row's key on the focused list, or a click on the item without one.
    bool spustAVidZmenu(const PrikazSeznamu& p, QAction* a)
    {
        const Stav pred = stav();
        const std::size_t operaci = zachycene.size();
        const qsizetype zprav = zpravy.size();   // a message through Hlaseni (answered by the test)
        ZaviracDialogu dialogy;
        if (p.maZkratku())
            QTest::keyClick(seznam(), p.zkratka.key(), p.zkratka.keyboardModifiers());
        else
            a->trigger();
        QApplication::processEvents();
        return stav() != pred || zachycene.size() != operaci || dialogy.pocet > 0 || zpravy.size() != zprav;
    }

    std::vector<Zachycena> zachycene;
};

// The rows by their index, so that a row stays the table's own object.
class RadekMenu : public MenuSeznamuTest, public testing::WithParamInterface<std::size_t> {};

// The menu that holds a row's item: its submenu or PopupMenu1 itself.
QMenu* ocekavanaNabidka(TForm1& okno, const PrikazSeznamu& p)
{
    if (!p.podnabidka)
        return okno.PopupMenu1;
    QAction* podnabidka = okno.akce(QString::fromUtf8(p.podnabidka));
    return podnabidka ? podnabidka->menu() : nullptr;
}

TEST_P(RadekMenu, JePolozkouOknaSeZkratkouAObsluhou)
{
    const PrikazSeznamu& p = prikazySeznamu()[GetParam()];
    // "porovnat obsah v .." shows only with a comparison program to start.
    ASSERT_TRUE(IniZapisText(cestaIni(), ini::Nastaveni, ini::porovnavac, QStringLiteral("/bin/true")).ok());
    emit okno->PopupMenu1->aboutToShow();
    if (p.druh == DruhPrikazu::Typy) {
        // A type submenu has something to open once its list has a type.
        ASSERT_TRUE(IniZapisText(cestaIni(), p.typy.sekce, u"1", QStringLiteral("TXT")).ok());
        emit okno->PopupMenu1->aboutToShow();
    }
    const QString jmeno = QString::fromUtf8(p.jmeno);
    ASSERT_EQ(okno->findChildren<QAction*>(jmeno).size(), 1) << "one item of this name in the window";
    QAction* a = okno->akce(jmeno);
    EXPECT_FALSE(QString::fromUtf8(p.popis).isEmpty());
    EXPECT_EQ(a->text(), QString::fromUtf8(p.popis));
    EXPECT_EQ(a->statusTip(), QString::fromUtf8(p.hint));
    EXPECT_EQ(a->shortcut(), p.maZkratku() ? QKeySequence(p.zkratka) : QKeySequence());
    EXPECT_EQ(okno->vysledky().menu().akce(p), a);
    QMenu* nabidka = ocekavanaNabidka(*okno, p);
    ASSERT_NE(nabidka, nullptr) << p.podnabidka;
    EXPECT_TRUE(nabidka->actions().contains(a));
    EXPECT_TRUE(a->isEnabled()) << "the list has items";
    for (int t = 1; t <= CisloSeznamu::pocet; ++t)
        EXPECT_EQ(okno->vysledky().seznam(t)->actions().contains(a), p.maZkratku()) << "ListView" << t;

    if (*p.hint && !p.podnabidka) {
        // Hovered in the open menu, the item's hint is the status bar's text.
        okno->PopupMenu1->popup(seznam()->viewport()->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(pockej([&] { return okno->PopupMenu1->isVisible(); }, 2000));
        okno->PopupMenu1->setActiveAction(a);
        EXPECT_EQ(okno->statusBar()->currentMessage(), QString::fromUtf8(p.hint));
        okno->PopupMenu1->hide();
        ASSERT_TRUE(pockej([&] { return !okno->PopupMenu1->isVisible(); }, 2000));
        okno->activateWindow();
        seznam()->setFocus();
        ASSERT_TRUE(pockej([&] { return seznam()->hasFocus(); }));
    }
    switch (p.druh) {
    case DruhPrikazu::Prikaz:
        // Nothing selected first (a file command then only announces itself),
        // then everything, for the commands that unmark or take items away.
        if (!spustAVidZmenu(p, a)) {
            seznam()->selectAll();
            EXPECT_TRUE(spustAVidZmenu(p, a)) << "the command does nothing";
        }
        if (p.operace) {
            ASSERT_FALSE(zachycene.empty());
            EXPECT_EQ(zachycene.back().operace, p.operace(tag));
            EXPECT_EQ(zachycene.back().seznam, tag);
        }
        break;
    case DruhPrikazu::Podnabidka:
        ASSERT_NE(a->menu(), nullptr);
        EXPECT_FALSE(a->menu()->actions().isEmpty());
        break;
    case DruhPrikazu::Typy: {
        ASSERT_NE(a->menu(), nullptr);
        EXPECT_EQ(a->menu()->actions().size(), 10);
        emit a->menu()->aboutToShow();
        QAction* prvni = okno->akce(QString::fromUtf8(p.typy.polozka) + QLatin1Char('1'));
        ASSERT_NE(prvni, nullptr);
        EXPECT_TRUE(prvni->isVisible());
        EXPECT_EQ(prvni->text(), QStringLiteral("TXT"));
        EXPECT_EQ(prvni->statusTip(), QString::fromUtf8(p.typy.hint));
        if (!spustAVidZmenu(p, prvni)) {
            seznam()->selectAll();
            EXPECT_TRUE(spustAVidZmenu(p, prvni)) << "the type item does nothing";
        }
        break;
    }
    }
}

INSTANTIATE_TEST_SUITE_P(PopupMenu1, RadekMenu, testing::Range(std::size_t{0}, prikazySeznamu().size()),
                         [](const auto& info) { return std::string(prikazySeznamu()[info.param].jmeno); });

// A key that a list command shares with another command of the list or of
// the window would be ambiguous: Qt then runs neither.
TEST_F(MenuSeznamuTest, ZkratkySeNeprekryvaji)
{
    for (int t = 1; t <= CisloSeznamu::pocet; ++t) {
        const QList<QAction*> vse = okno->actions() + okno->vysledky().seznam(t)->actions();
        for (qsizetype i = 0; i < vse.size(); ++i)
            for (qsizetype j = i + 1; j < vse.size(); ++j)
                EXPECT_TRUE(vse[i]->shortcut().isEmpty() || vse[i]->shortcut() != vse[j]->shortcut())
                    << vse[i]->objectName().toStdString() << " / " << vse[j]->objectName().toStdString();
    }
}

// "starší verzi odstraň" on a focused "NOVÉ" list: hidden with its separator,
// and its click does nothing there.
TEST_F(MenuSeznamuTest, StarsiVerzeNaNoveSkrytaANecinna)
{
    const std::vector<NalezenySoubor> s{{"", "n.txt", 0, 1}};
    okno->vysledky().model(1)->pridej(s);
    okno->PageControl1->setCurrentIndex(strankaSeznamu(1));
    SeznamVysledku* nove = okno->vysledky().seznam(1);
    nove->setFocus();
    ASSERT_TRUE(pockej([&] { return nove->hasFocus(); }));
    nove->selectAll();
    emit okno->PopupMenu1->aboutToShow();
    EXPECT_FALSE(okno->akce(QStringLiteral("alt_pryc"))->isVisible());
    EXPECT_FALSE(okno->akce(QStringLiteral("N3"))->isVisible());
    EXPECT_TRUE(okno->akce(QStringLiteral("N4"))->isVisible());
    okno->akce(QStringLiteral("alt_pryc"))->trigger();
    EXPECT_TRUE(zachycene.empty());
    int volby = 0;
    okno->operace().nastavVolbuCile([&volby](QWidget*, const QString&, const QString&) -> std::optional<QString> {
        ++volby;
        return std::nullopt;
    });
    okno->akce(QStringLiteral("MKopiruj"))->trigger();   // a chosen directory: on "NOVÉ" too
    EXPECT_EQ(volby, 1);
    ASSERT_EQ(zachycene.size(), 1u);
    EXPECT_EQ(zachycene[0].operace, KopieDoAdresare(1));
}

// The caption of an action button names the key of its keyboard item.
TEST_F(MenuSeznamuTest, PopiskyTlacitekUvadejiJejichKlavesy)
{
    static const QRegularExpression vZavorce(QStringLiteral("\\((.+)\\)$"));
    for (int i = 1; i <= pocetAkci; ++i) {
        const QString jmeno = i == 1 ? QStringLiteral("MPBB1") : QStringLiteral("MBB%1").arg(i);
        auto* b = okno->findChild<QPushButton*>(QStringLiteral("BB%1").arg(i));
        ASSERT_NE(b, nullptr);
        const QRegularExpressionMatch m = vZavorce.match(b->text());
        ASSERT_TRUE(m.hasMatch()) << b->text().toStdString();
        EXPECT_EQ(okno->akce(jmeno)->shortcut(), QKeySequence(m.captured(1))) << b->text().toStdString();
    }
}

} // namespace
} // namespace zrc::test
