// A header click on a list long enough to be sorted on its own thread: the
// marked items stay marked, the focused item keeps the focus, and Ctrl+A then
// marks every item.

#include "ui/hlaseni.h"
#include "seznam_na_karte.h"
#include "ui/stranky_vysledku.h"

#include <QBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace zrc {
namespace {

constexpr int pocetPolozek = 6000;   // above the thread's threshold of 4000 rows

class RazeniVyberTest : public ::testing::TestWithParam<Sloupec>, protected test::SeznamNaKarte {
protected:
    std::vector<std::string> jmena, podadresare;

    void SetUp() override
    {
        zobrazSeznam(640, 400);
        // Names, sizes and directories each in another order than the rows.
        const char* typy[] = {"txt", "pdf", "jpg"};
        for (int i = 0; i < pocetPolozek; ++i) {
            jmena.push_back("soubor " + std::to_string(i * 7919 % pocetPolozek) + "." + typy[i % 3]);
            podadresare.push_back("d" + std::to_string(i * 31 % 97) + "/");
        }
        std::vector<NalezenySoubor> s;
        for (int i = 0; i < pocetPolozek; ++i)
            s.push_back({podadresare[std::size_t(i)], jmena[std::size_t(i)], BalenyCas(i % 50), (i * 37) % 1000});
        stranky->model(1)->pridej(s);
    }

    std::set<QString> vybraneNazvy() const
    {
        std::set<QString> v;
        for (int r : seznam->vybraneRadky())
            v.insert(seznam->model()->index(r, 0).data().toString() + "." + seznam->model()->index(r, 1).data().toString());
        return v;
    }

    void klikniNaZahlavi(int sloupec)
    {
        const QRect sekce(seznam->header()->sectionViewportPosition(sloupec), 0, seznam->header()->sectionSize(sloupec),
                          seznam->header()->height());
        QTest::mouseClick(seznam->header()->viewport(), Qt::LeftButton, {}, sekce.center());
        while (seznam->modelSeznamu()->razeniBezi())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
};

TEST_P(RazeniVyberTest, MarkedItemsAndTheFocusedOneSurviveTheSort)
{
    stranky->OznacDleSloupce(true, seznam, Sloupec::Typ, QStringLiteral("txt"));
    const std::set<QString> oznacene = vybraneNazvy();
    ASSERT_EQ(oznacene.size(), std::size_t(pocetPolozek / 3));
    const QModelIndex fokus = seznam->model()->index(4321, 0);
    seznam->selectionModel()->setCurrentIndex(fokus, QItemSelectionModel::NoUpdate);
    const QString fokusovany = fokus.data().toString();

    klikniNaZahlavi(int(GetParam()));

    EXPECT_EQ(vybraneNazvy(), oznacene);
    ASSERT_TRUE(seznam->currentIndex().isValid());
    EXPECT_EQ(seznam->currentIndex().data().toString(), fokusovany);
    EXPECT_NE(seznam->currentIndex().row(), 4321) << "the list was not reordered";

    QTest::keyClick(seznam, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(seznam->vybraneRadky().size(), std::size_t(pocetPolozek));
}

// Items that arrive while the order is computed on its thread stay after the
// sorted ones, unmarked; the marked items keep their marks through the sort
// and the insertion, and so does the focused item.
TEST_P(RazeniVyberTest, ItemsArrivingDuringTheSortLeaveTheMarksInPlace)
{
    stranky->OznacDleSloupce(true, seznam, Sloupec::Typ, QStringLiteral("txt"));
    seznam->selectionModel()->select(seznam->model()->index(18, 0),
                                     QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    const std::set<QString> oznacene = vybraneNazvy();
    ASSERT_EQ(oznacene.size(), std::size_t(pocetPolozek / 3 - 1));
    seznam->selectionModel()->setCurrentIndex(seznam->model()->index(1234, 0), QItemSelectionModel::NoUpdate);
    const QString fokusovany = seznam->currentIndex().data().toString();
    static std::vector<std::string> nove;
    nove.clear();
    nove.reserve(40);
    QTimer::singleShot(0, [this] {
        std::vector<NalezenySoubor> s;
        for (int i = 0; i < 40; ++i) {
            nove.push_back("nova " + std::to_string(i) + ".txt");
            s.push_back({"", nove.back(), BalenyCas(1), 1});
        }
        stranky->model(1)->pridej(s);
    });

    bool serazeno = false, behemRazeni = false;
    QObject::connect(stranky->model(1), &ResultListModel::preskupeno, [&] { serazeno = true; });
    QObject::connect(stranky->model(1), &QAbstractItemModel::rowsInserted, [&] { behemRazeni = !serazeno; });

    klikniNaZahlavi(int(GetParam()));

    ASSERT_TRUE(behemRazeni) << "the items did not arrive during the sort";
    ASSERT_EQ(seznam->model()->rowCount(), pocetPolozek + 40);
    EXPECT_EQ(seznam->model()->index(pocetPolozek, 0).data().toString(), QStringLiteral("nova 0"));
    EXPECT_EQ(vybraneNazvy(), oznacene);
    EXPECT_EQ(seznam->currentIndex().data().toString(), fokusovany);
    EXPECT_EQ(seznam->vyber()->pocet(), int(oznacene.size()));
}

std::string nazevSloupce(const ::testing::TestParamInfo<Sloupec>& i)
{
    static const char* const nazvy[] = {"nazev", "typ", "datum", "velikost", "podadr"};
    return nazvy[int(i.param)];
}

INSTANTIATE_TEST_SUITE_P(Sloupce, RazeniVyberTest,
                         ::testing::Values(Sloupec::Nazev, Sloupec::Velikost, Sloupec::Podadr), nazevSloupce);

} // namespace
} // namespace zrc
