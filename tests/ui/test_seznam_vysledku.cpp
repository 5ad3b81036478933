// The eight result lists on their pages: the shared sort direction, header
// images, type-ahead, Del and the pages that follow their lists.

#include "settings/ini_soubor.h"
#include "ui/hlaseni.h"
#include "ui/stranky_vysledku.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace zrc {
namespace {

class StrankyTest : public ::testing::Test {
protected:
    QTabWidget tabs;
    std::unique_ptr<StrankyVysledku> stranky;
    QTemporaryDir adresar;
    int zmenStranky = 0;

    void SetUp() override
    {
        for (const char* titulek : {"Nastavení", "NOVÉ", "NOVĚJŠÍ", "VĚTŠÍ", "MENŠÍ"})
            tabs.addTab(new QLabel, QString::fromUtf8(titulek));
        stranky = std::make_unique<StrankyVysledku>(&tabs);
        for (int stranka = 1; stranka <= 4; ++stranka) {
            auto* w = tabs.widget(stranka);
            auto* l = new QHBoxLayout(w);
            l->addWidget(stranky->seznam(2 * stranka - 1));
            l->addWidget(stranky->seznam(2 * stranka));
        }
        stranky->setCestaIni(adresar.filePath("zrcadlovac.ini"));
        stranky->nastavStavMazani([] { return StavMazani{.CBMazPodAdr = false, .SEMazUroven = 3}; });
        QObject::connect(stranky.get(), &StrankyVysledku::PageControl1Change, [this] { ++zmenStranky; });
        tabs.resize(640, 400);
        tabs.show();
    }

    // Items named by the given names (each its own file) appended to list tag.
    void napln(int tag, std::vector<std::string> jmena, std::vector<std::int64_t> velikosti = {})
    {
        static std::vector<std::vector<std::string>> drzak;   // views must outlive pridej
        drzak.push_back(std::move(jmena));
        std::vector<NalezenySoubor> s;
        for (std::size_t i = 0; i < drzak.back().size(); ++i)
            s.push_back({"", drzak.back()[i], 0, i < velikosti.size() ? velikosti[i] : 1});
        stranky->model(tag)->pridej(s);
    }

    std::vector<QString> nazvy(int tag, int sloupec = 0)
    {
        std::vector<QString> t;
        auto* m = stranky->model(tag);
        for (int r = 0; r < m->rowCount(); ++r)
            t.push_back(m->index(r, sloupec).data().toString());
        return t;
    }

    void vyber(int tag, std::initializer_list<int> radky)
    {
        auto* s = stranky->seznam(tag);
        for (int r : radky)
            s->selectionModel()->select(s->model()->index(r, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        s->setFocus();
    }
};

TEST_F(StrankyTest, DirectionIsSharedAcrossListsAndReversesOnTheSameColumn)
{
    napln(3, {"b", "a", "c"});
    napln(4, {"y", "x", "z"});
    auto* l3 = stranky->seznam(3);
    auto* l4 = stranky->seznam(4);
    // At start every list counts as sorted by "název" and the direction is
    // descending, so the first click on "název" reverses it.
    l3->ListView1ColumnClick(0);
    EXPECT_TRUE(stranky->razeni().RazeniVzestupne);
    EXPECT_EQ(nazvy(3), (std::vector<QString>{"a", "b", "c"}));
    l3->ListView1ColumnClick(0);   // the same column again: descending
    EXPECT_EQ(nazvy(3), (std::vector<QString>{"c", "b", "a"}));
    EXPECT_EQ(stranky->model(3)->sipka(0), Sipka::Nahoru);
    l4->ListView1ColumnClick(1);   // a new column keeps the direction
    EXPECT_FALSE(stranky->razeni().RazeniVzestupne);
    l4->ListView1ColumnClick(0);   // and so does the next new one
    EXPECT_EQ(nazvy(4), (std::vector<QString>{"z", "y", "x"}));
    EXPECT_EQ(stranky->model(4)->sipka(0), Sipka::Nahoru);
    EXPECT_EQ(stranky->model(4)->sipka(1), Sipka::Zadna);
    l4->ListView1ColumnClick(0);
    EXPECT_EQ(stranky->model(4)->sipka(0), Sipka::Dolu);
    EXPECT_EQ(nazvy(4), (std::vector<QString>{"x", "y", "z"}));
    l3->ListView1ColumnClick(std::nullopt);
    EXPECT_EQ(stranky->model(3)->sipka(0), Sipka::Zadna);
}

TEST_F(StrankyTest, HeaderClickSortsTheList)
{
    napln(1, {"b", "a"});
    auto* s = stranky->seznam(1);
    s->nastavSloupecRazeni(SeznamVysledku::neserazeno);
    const QRect sekce(s->header()->sectionViewportPosition(0), 0, s->header()->sectionSize(0),
                      s->header()->height());
    QTest::mouseClick(s->header()->viewport(), Qt::LeftButton, {}, sekce.center());
    EXPECT_EQ(s->SloupecRazeni(), 0);
    EXPECT_EQ(nazvy(1), (std::vector<QString>{"b", "a"}));   // descending at start
    EXPECT_EQ(stranky->model(1)->sipka(0), Sipka::Nahoru);
}

struct Hledani {
    const char* nazev;
    int fokus;
    char znak;
    int ocekavany;   // -1: not consumed, focus unchanged
};

class TypeAheadTest : public StrankyTest, public ::testing::WithParamInterface<Hledani> {};

TEST_P(TypeAheadTest, FindsTheNextItemByItsFirstLetter)
{
    napln(1, {"alfa", "beta", "Bravo", ".skryty", "cejn", "alfa2"});
    auto* s = stranky->seznam(1);
    s->setFocus();
    s->selectionModel()->setCurrentIndex(s->model()->index(GetParam().fokus, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(s, GetParam().znak);
    const int cil = GetParam().ocekavany < 0 ? GetParam().fokus : GetParam().ocekavany;
    EXPECT_EQ(s->currentIndex().row(), cil);
    // The selection stays where it was.
    EXPECT_TRUE(s->selectionModel()->isRowSelected(GetParam().fokus, {}));
}

INSTANTIATE_TEST_SUITE_P(Pismena, TypeAheadTest,
    ::testing::Values(Hledani{"dalsi_po_fokusu", 1, 'b', 2},
                      Hledani{"velke_pismeno_klavesy", 0, 'B', 1},
                      Hledani{"prechod_na_zacatek", 5, 'a', 0},
                      Hledani{"shoda_na_poslednim", 1, 'a', 5},
                      Hledani{"jen_fokus_sam_neni_shoda", 4, 'c', -1},
                      Hledani{"bez_shody", 0, 'q', -1}),
    [](const auto& info) { return std::string(info.param.nazev); });

TEST_F(StrankyTest, PagesAppearWithTheirFirstItem)
{
    EXPECT_FALSE(tabs.isTabVisible(3));
    napln(6, {"a"});
    EXPECT_TRUE(tabs.isTabVisible(3));
    EXPECT_FALSE(tabs.isTabVisible(1));
}

TEST_F(StrankyTest, DelHidesEmptiedPagesAndReturnsToTheSettingsPage)
{
    napln(5, {"a", "b"});
    napln(6, {"c"});
    napln(7, {"d"});
    tabs.setCurrentIndex(3);
    vyber(5, {0, 1});
    stranky->z_nab_prycClick();
    EXPECT_EQ(stranky->model(5)->rowCount(), 0);
    EXPECT_TRUE(tabs.isTabVisible(3));   // ListView6 still holds an item
    EXPECT_EQ(tabs.currentIndex(), 3);
    vyber(6, {0});
    stranky->z_nab_prycClick();
    EXPECT_FALSE(tabs.isTabVisible(3));
    EXPECT_EQ(tabs.currentIndex(), 4);   // the first remaining result page
    EXPECT_EQ(zmenStranky, 1);
    vyber(7, {0});
    stranky->z_nab_prycClick();
    EXPECT_EQ(tabs.currentIndex(), 0);
    const QString ini = stranky->cestaIni();
    EXPECT_FALSE(IniCtiBool(ini, u"H1", u"CBMazPodAdr", true));
    EXPECT_EQ(IniCtiCislo(ini, u"H1", u"SEMazUroven", 0), 3);
}

TEST_F(StrankyTest, DelActsOnTheFocusedListOnly)
{
    napln(1, {"a", "b", "c"});
    napln(2, {"x"});
    vyber(1, {0, 2});
    stranky->seznam(2)->selectAll();
    stranky->seznam(1)->setFocus();
    EXPECT_EQ(stranky->AktivniSeznam(), stranky->seznam(1));
    stranky->z_nab_prycClick();
    EXPECT_EQ(nazvy(1), (std::vector<QString>{"b"}));
    EXPECT_EQ(nazvy(2), (std::vector<QString>{"x"}));
}

// After Del the focus rests on the row that followed the removed current one,
// or on the last row when the removed ones were at the end.
TEST_F(StrankyTest, DelNechaAktualniNaDalsimZbylemRadku)
{
    napln(1, {"a", "b", "c", "d", "e"});
    vyber(1, {1, 2});
    auto* s = stranky->seznam(1);
    s->selectionModel()->setCurrentIndex(s->model()->index(2, 0), QItemSelectionModel::NoUpdate);
    stranky->z_nab_prycClick();
    EXPECT_EQ(nazvy(1), (std::vector<QString>{"a", "d", "e"}));
    EXPECT_EQ(s->currentIndex().row(), 1);   // "d"
    s->selectionModel()->select(s->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    s->selectionModel()->setCurrentIndex(s->model()->index(2, 0), QItemSelectionModel::NoUpdate);
    stranky->z_nab_prycClick();
    EXPECT_EQ(nazvy(1), (std::vector<QString>{"a", "d"}));
    EXPECT_EQ(s->currentIndex().row(), 1);   // "d", the last one left
}

TEST_F(StrankyTest, SelectedSizesAddUpBeyondTwoGigabytes)
{
    napln(3, {"a", "b", "c"}, {3'000'000'000, 5, 2'000'000'000});
    vyber(3, {0, 2});
    EXPECT_EQ(stranky->seznam(3)->VelikostVybranych(), 5'000'000'000);
    EXPECT_EQ(stranky->seznam(4)->VelikostVybranych(), 0);
}

// A size is never cut to "1572864...": the column grows to the widest size in
// its list, also after the page resizes its columns to the window's width.
TEST_F(StrankyTest, SizeColumnShowsTheLargestSizeWhole)
{
    napln(1, {"maly", "velky"}, {12, 1572864000});
    auto* s = stranky->seznam(1);
    const int vel = int(Sloupec::Velikost);
    const int potreba = s->fontMetrics().horizontalAdvance(QStringLiteral("1572864000"));
    const auto dostSiroky = [&] {
        const QModelIndex i = s->model()->index(1, vel);
        const QRect bunka = s->visualRect(i);
        const int okraj = 2 * (s->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, s) + 1);
        return bunka.width() - okraj >= potreba;
    };
    EXPECT_TRUE(dostSiroky()) << s->columnWidth(vel) << " < " << potreba;
    for (int sirka : {300, 640, 1600}) {
        stranky->PoleSloupcu(sirka);
        EXPECT_TRUE(dostSiroky()) << sirka << ": " << s->columnWidth(vel) << " < " << potreba;
    }
}

TEST_F(StrankyTest, ZalozkaZobrazenaNamesThePageOfTheTag)
{
    napln(7, {"a"});
    tabs.setCurrentIndex(4);
    EXPECT_TRUE(stranky->ZalozkaZobrazena(7));
    EXPECT_TRUE(stranky->ZalozkaZobrazena(8));
    EXPECT_FALSE(stranky->ZalozkaZobrazena(6));
    EXPECT_FALSE(stranky->ZalozkaZobrazena(0));
    EXPECT_FALSE(stranky->ZalozkaZobrazena(9));
}

TEST_F(StrankyTest, AFailedHistoryWriteIsReportedAndWorkGoesOn)
{
    stranky->setCestaIni(adresar.filePath("chybi/zrcadlovac.ini"));
    QStringList zpravy;
    NahradaHlaseni nahrada([&](const ZadostHlaseni& z) {
        zpravy << z.text;
        return Odpoved::OK;
    });
    napln(1, {"a"});
    tabs.setCurrentIndex(1);
    vyber(1, {0});
    stranky->z_nab_prycClick();
    EXPECT_EQ(tabs.currentIndex(), 0);
    ASSERT_EQ(zpravy.size(), 1);
    EXPECT_TRUE(zpravy[0].startsWith(QStringLiteral("Unable to write to "))) << zpravy[0].toStdString();
}

} // namespace
} // namespace zrc
