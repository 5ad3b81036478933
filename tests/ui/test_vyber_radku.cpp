// A result list keeps its marks itself (a byte per row), not in Qt's ranges:
// the same clicks, keys, sorts, insertions and removals on a list and on a
// plain Qt view with Qt's own selection model over an equal list leave the
// same items marked and the same item focused, and a marked row is painted as
// Qt paints a selected one. The plain view is a table view of the same row
// height and viewport (pages), or, for Home and End, a tree view: a list goes
// to its first and last row as Qt's row views do, where a table view moves
// between the columns of the row.

#include "ui/hlaseni.h"
#include "seznam_na_karte.h"
#include "ui/stranky_vysledku.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <set>

namespace zrc {
namespace {

// One step done to both views: a click (with modifiers; row -1 is the empty
// space below the rows), a drag from row to row kam, a key, a sort by name in
// the other direction, Ctrl+A, appended items (three unless radek says), a
// removed row.
struct Krok {
    enum Druh { Klik, Tah, Klavesa, Razeni, Vse, Pridani, Odebrani } druh;
    int radek = 0;   // the row, or the key
    Qt::KeyboardModifiers mod = {};
    int kam = 0;
    Qt::MouseButton tlacitko = Qt::LeftButton;
};

enum class Vzor { Tabulka, Strom };

struct Postup {
    const char* nazev;
    std::vector<Krok> kroky;
    Vzor vzor = Vzor::Tabulka;
};

void PrintTo(const Postup& p, std::ostream* os) { *os << p.nazev; }

Krok klik(int radek, Qt::KeyboardModifiers mod = {}) { return {Krok::Klik, radek, mod}; }
Krok pravy(int radek, Qt::KeyboardModifiers mod = {}) { return {Krok::Klik, radek, mod, 0, Qt::RightButton}; }
Krok tah(int od, int kam, Qt::KeyboardModifiers mod = {}) { return {Krok::Tah, od, mod, kam}; }
Krok klavesa(Qt::Key k, Qt::KeyboardModifiers mod = {}) { return {Krok::Klavesa, int(k), mod}; }
const Krok razeni{Krok::Razeni};
const Krok vse{Krok::Vse};
const Krok pridani{Krok::Pridani};
Krok odebrani(int radek) { return {Krok::Odebrani, radek}; }
Krok pridat(int pocet) { return {Krok::Pridani, pocet}; }

constexpr auto ctrl = Qt::ControlModifier;
constexpr auto shift = Qt::ShiftModifier;

class VyberRadkuTest : public ::testing::TestWithParam<Postup>, protected test::SeznamNaKarte {
protected:
    QTableView tabulka;   // Qt's selection model over list 2
    QTreeView strom;      // the same, moving by rows
    std::vector<std::string> jmena;
    bool vzestupne = false;

    void SetUp() override
    {
        zobrazSeznam(400, 500);
        strom.setRootIsDecorated(false);
        strom.setUniformRowHeights(true);
        for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(&tabulka), static_cast<QAbstractItemView*>(&strom)}) {
            v->setModel(stranky->model(2));
            v->setSelectionBehavior(QAbstractItemView::SelectRows);
            v->setSelectionMode(QAbstractItemView::ExtendedSelection);
            v->resize(400, 500);
            v->show();
        }
        jmena.reserve(100);   // names are views into these strings
        pridej(12);
        // A page is as many rows as the list shows.
        tabulka.verticalHeader()->hide();
        tabulka.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        tabulka.verticalHeader()->setDefaultSectionSize(seznam->rowHeight(0));
        tabulka.resize(400, 500 + seznam->viewport()->height() - tabulka.viewport()->height());
    }

    QAbstractItemView* vzor()
    {
        if (GetParam().vzor == Vzor::Strom)
            return &strom;
        return &tabulka;
    }

    void pridej(int pocet)
    {
        std::vector<NalezenySoubor> s;
        for (int i = 0; i < pocet; ++i) {
            const int n = int(jmena.size());
            jmena.push_back("p" + std::to_string(10 + (n * 7) % 23) + "_" + std::to_string(n));
            s.push_back({"", jmena.back(), 0, 1});
        }
        stranky->model(1)->pridej(s);
        stranky->model(2)->pridej(s);
    }

    static QPoint bod(QAbstractItemView* v, int radek)
    {
        if (radek < 0)
            return {10, v->viewport()->height() - 5};
        // Scrolled into view first, as a person does before clicking it.
        v->scrollTo(v->model()->index(radek, 0));
        return v->visualRect(v->model()->index(radek, 0)).center();
    }

    void proved(QAbstractItemView* v, const Krok& k)
    {
        switch (k.druh) {
        case Krok::Klik:
            QTest::mouseClick(v->viewport(), k.tlacitko, k.mod, bod(v, k.radek));
            break;
        case Krok::Tah: {
            const int krok = k.kam >= k.radek ? 1 : -1;
            QTest::mousePress(v->viewport(), Qt::LeftButton, k.mod, bod(v, k.radek));
            for (int r = k.radek + krok; r != k.kam + krok; r += krok) {
                // QTest's moves carry no modifiers: Ctrl stays held here.
                const QPoint p = bod(v, r);
                QMouseEvent tah(QEvent::MouseMove, p, v->viewport()->mapToGlobal(p), Qt::NoButton,
                                Qt::LeftButton, k.mod);
                QApplication::sendEvent(v->viewport(), &tah);
            }
            QTest::mouseRelease(v->viewport(), Qt::LeftButton, k.mod, bod(v, k.kam));
            break;
        }
        case Krok::Klavesa:
            QTest::keyClick(v, Qt::Key(k.radek), k.mod);
            break;
        case Krok::Vse:
            QTest::keyClick(v, Qt::Key_A, ctrl);
            break;
        default:
            break;
        }
    }

    void proved(const Krok& k)
    {
        if (k.druh == Krok::Razeni) {
            vzestupne = !vzestupne;
            stranky->model(1)->sortuj(Sloupec::Nazev, vzestupne);
            stranky->model(2)->sortuj(Sloupec::Nazev, vzestupne);
            while (stranky->model(1)->razeniBezi() || stranky->model(2)->razeniBezi())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        } else if (k.druh == Krok::Pridani) {
            pridej(k.radek > 0 ? k.radek : 3);
        } else if (k.druh == Krok::Odebrani) {
            stranky->model(1)->odeberRadky({k.radek});
            stranky->model(2)->odeberRadky({k.radek});
        } else {
            proved(seznam, k);
            proved(vzor(), k);
        }
    }

    // The names of the rows, sorted and joined.
    static std::string nazvy(const QAbstractItemModel* m, const std::vector<int>& radky)
    {
        std::set<QString> v;
        for (int r : radky)
            v.insert(m->index(r, 0).data().toString());
        std::string s;
        for (const QString& n : v)
            s += n.toStdString() + " ";
        return s;
    }

    static std::vector<int> radkyZ(const QModelIndexList& indexy)
    {
        std::vector<int> v;
        for (const QModelIndex& i : indexy)
            v.push_back(i.row());
        return v;
    }

    std::string oznacene() const { return nazvy(seznam->model(), seznam->vybraneRadky()); }

    std::string oznaceneVzoru() { return nazvy(vzor()->model(), radkyZ(vzor()->selectionModel()->selectedRows())); }

    // The focused item by its name: a list marks whole rows, the column of the
    // focus is no matter.
    static QString fokus(const QAbstractItemView* v) { return v->model()->index(v->currentIndex().row(), 0).data().toString(); }
};

TEST_P(VyberRadkuTest, MarksAndFocusFollowQtsRules)
{
    int krok = 0;
    for (const Krok& k : GetParam().kroky) {
        proved(k);
        ++krok;
        ASSERT_EQ(oznacene(), oznaceneVzoru()) << "after step " << krok;
        ASSERT_EQ(fokus(seznam), fokus(vzor())) << "after step " << krok;
        ASSERT_EQ(seznam->vyber()->pocet(), int(seznam->vybraneRadky().size()));
        // Qt's queries on the list's selection model answer from the marks.
        ASSERT_EQ(nazvy(seznam->model(), radkyZ(seznam->selectionModel()->selectedRows())), oznacene());
        ASSERT_EQ(radkyZ(seznam->selectionModel()->selection().indexes()).size(),
                  std::size_t(pocetSloupcu) * seznam->vybraneRadky().size());
    }
    EXPECT_FALSE(oznacene().empty()) << "the steps should end with something marked";
}

std::string nazevPostupu(const ::testing::TestParamInfo<Postup>& i) { return i.param.nazev; }

INSTANTIATE_TEST_SUITE_P(
    Postupy, VyberRadkuTest,
    ::testing::Values(
        Postup{"klik", {klik(3), klik(5)}},
        Postup{"pravym", {klik(2), klik(5, shift), pravy(4), pravy(8), pravy(2, ctrl), klik(3, ctrl), pravy(3)}},
        Postup{"klik_do_prazdna", {klik(2), klik(5, shift), klik(-1), klik(4, ctrl)}},
        Postup{"tah", {klik(1), tah(3, 6), tah(8, 7)}},
        Postup{"tah_s_ctrl", {klik(1), klik(4, shift), tah(3, 6, ctrl), tah(8, 10, ctrl)}},
        Postup{"ctrl_pridava_a_ubira", {klik(1), klik(4, ctrl), klik(6, ctrl), klik(4, ctrl)}},
        Postup{"shift_rozsah_se_nahrazuje", {klik(2), klik(7, shift), klik(4, shift)}},
        Postup{"ctrl_pak_shift", {klik(1), klik(5, ctrl), klik(8, shift), klik(6, shift)}},
        Postup{"shift_pak_ctrl_na_oznaceny", {klik(2), klik(6, shift), klik(4, ctrl), klik(9, ctrl | shift)}},
        Postup{"klik_na_oznaceny_vybere_jen_ten", {klik(1), klik(4, shift), klik(2)}},
        Postup{"klavesy", {klik(2), klavesa(Qt::Key_Down, shift), klavesa(Qt::Key_Down, shift),
                           klavesa(Qt::Key_Down, ctrl), klavesa(Qt::Key_Down, ctrl), klavesa(Qt::Key_Space, ctrl),
                           klavesa(Qt::Key_Up, ctrl), klavesa(Qt::Key_Space, ctrl), klavesa(Qt::Key_Space)}},
        Postup{"vse_a_ctrl", {vse, klik(3, ctrl), klik(4, ctrl), klik(4, ctrl)}},
        Postup{"razeni_nese_oba_vrstvy", {klik(1), klik(3, ctrl), klik(8, shift), razeni, klik(6, ctrl)}},
        Postup{"shift_po_razeni", {klik(1), klik(3, ctrl), klik(8, shift), razeni, klik(2, shift)}},
        Postup{"pridani_a_odebrani", {klik(1), klik(3, shift), pridani, klik(6, ctrl), odebrani(2),
                                      klik(13, shift), odebrani(0), razeni, klik(9, ctrl)}},
        Postup{"stranky", {pridat(28), klik(0), klavesa(Qt::Key_PageDown), klavesa(Qt::Key_PageDown, shift),
                           klavesa(Qt::Key_PageDown, shift), klavesa(Qt::Key_PageUp, shift), klavesa(Qt::Key_PageUp),
                           klavesa(Qt::Key_PageDown, ctrl), klavesa(Qt::Key_Space, ctrl),
                           klavesa(Qt::Key_PageUp, shift | ctrl)}},
        Postup{"home_end", {pridat(28), klik(0), klavesa(Qt::Key_End), klavesa(Qt::Key_Home),
                            klavesa(Qt::Key_End, shift), klavesa(Qt::Key_Up, shift), klik(3),
                            klavesa(Qt::Key_Home, shift), klavesa(Qt::Key_End, ctrl), klavesa(Qt::Key_Space, ctrl),
                            klavesa(Qt::Key_Home, ctrl | shift), klavesa(Qt::Key_Home, ctrl)},
               Vzor::Strom},
        Postup{"home_end_po_razeni", {pridat(28), klik(5), klik(9, ctrl), razeni, klavesa(Qt::Key_End, shift),
                                      klik(20, ctrl), klavesa(Qt::Key_Home, shift), klavesa(Qt::Key_Down, shift)},
               Vzor::Strom}),
    nazevPostupu);

// The list paints a marked row exactly as a table view paints a row selected
// in Qt's selection model.
TEST_F(VyberRadkuTest, MarkedRowsLookLikeQtsSelectedRows)
{
    seznam->setFocus();
    proved(seznam, klik(2));
    proved(seznam, klik(5, ctrl));
    proved(seznam, klik(6, ctrl));
    const QImage nase = seznam->viewport()->grab().toImage();

    const QModelIndex aktualni = seznam->currentIndex();
    seznam->setItemDelegate(new QStyledItemDelegate(seznam));
    auto* qt = new QItemSelectionModel(seznam->model(), seznam);
    seznam->setSelectionModel(qt);
    for (int r : {2, 5, 6})
        qt->select(seznam->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    qt->setCurrentIndex(aktualni, QItemSelectionModel::NoUpdate);
    const QImage qtovo = seznam->viewport()->grab().toImage();

    ASSERT_EQ(nase.size(), qtovo.size());
    EXPECT_TRUE(nase == qtovo) << "a marked row looks other than a selected one";
    // And the marks are there at all: the marked row's pixels differ from an unmarked one's.
    const QRect r2 = seznam->visualRect(seznam->model()->index(2, 0));
    const QRect r3 = seznam->visualRect(seznam->model()->index(3, 0));
    EXPECT_NE(nase.copy(r2.adjusted(0, 2, 0, -2)).pixel(1, 1), nase.copy(r3.adjusted(0, 2, 0, -2)).pixel(1, 1));
}

} // namespace
} // namespace zrc
