// The result-list model over the result store: consistency under every change
// (QAbstractItemModelTester), texts, alignments, and the text order of the sort.

#include "ui/vysledky_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <set>

namespace zrc {
namespace {

NalezenySoubor soubor(std::string_view podadr, std::string_view jmeno, std::int64_t velikost,
                      BalenyCas cas = 0)
{
    return {podadr, jmeno, cas, velikost};
}

std::vector<QString> sloupec(const ResultListModel& m, int c)
{
    std::vector<QString> texty;
    for (int r = 0; r < m.rowCount(); ++r)
        texty.push_back(m.index(r, c).data().toString());
    return texty;
}

class ModelTest : public ::testing::Test {
protected:
    UlozisteVysledku u;
    ResultListModel model{u, 3};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};

    void naplnVelikosti(std::initializer_list<std::int64_t> velikosti)
    {
        std::vector<std::string> jmena;
        for (auto v : velikosti)
            jmena.push_back("f" + std::to_string(v) + ".txt");
        std::vector<NalezenySoubor> s;
        std::size_t i = 0;
        for (auto v : velikosti)
            s.push_back(soubor("", jmena[i++], v));
        model.pridej(s);
    }
};

TEST_F(ModelTest, TextsAndAlignmentsOfTheFiveColumns)
{
    const NalezenySoubor s[] = {soubor("Docs/Img/", "Obrázek.PNG", 1234)};
    model.pridej(s);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("obrázek"));
    EXPECT_EQ(model.index(0, 1).data().toString(), QStringLiteral("png"));
    EXPECT_EQ(model.index(0, 3).data().toString(), QStringLiteral("1234"));
    EXPECT_EQ(model.index(0, 4).data().toString(), QStringLiteral("docs/img/"));
    const Qt::Alignment ocekavane[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight,
                                       Qt::AlignRight, Qt::AlignLeft};
    for (int c = 0; c < pocetSloupcu; ++c) {
        const auto a = model.index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_EQ(a & Qt::AlignHorizontal_Mask, ocekavane[c]) << c;
    }
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("velikost"));
}

TEST_F(ModelTest, SizesSortAsNumbersInBothDirections)
{
    naplnVelikosti({999, 20, 1000, 100, 1572864000});
    model.sortuj(Sloupec::Velikost, true);
    EXPECT_EQ(sloupec(model, 3), (std::vector<QString>{"20", "100", "999", "1000", "1572864000"}));
    model.sortuj(Sloupec::Velikost, false);
    EXPECT_EQ(sloupec(model, 3), (std::vector<QString>{"1572864000", "1000", "999", "100", "20"}));
}

TEST_F(ModelTest, EqualTextsKeepTheirOrderAndSelectionFollowsTheRows)
{
    const NalezenySoubor s[] = {soubor("b/", "x1", 1), soubor("a/", "x2", 2), soubor("b/", "x3", 3),
                                soubor("a/", "x4", 4)};
    model.pridej(s);
    QPersistentModelIndex x3 = model.index(2, 0);
    model.sortuj(Sloupec::Podadr, true);
    EXPECT_EQ(sloupec(model, 0), (std::vector<QString>{"x2", "x4", "x1", "x3"}));
    EXPECT_EQ(x3.row(), 3);
    model.sortuj(Sloupec::Podadr, false);
    EXPECT_EQ(sloupec(model, 0), (std::vector<QString>{"x1", "x3", "x2", "x4"}));
}

TEST_F(ModelTest, LocaleAwareOrderIsNotByteOrder)
{
    // Byte order would put "č" after "z"; the locale puts it between "c" and "d"
    // in Czech and next to "c" in other locales, never after "z".
    const NalezenySoubor s[] = {soubor("", "zebra", 1), soubor("", "čaj", 2), soubor("", "citron", 3)};
    model.pridej(s);
    model.sortuj(Sloupec::Nazev, true);
    EXPECT_EQ(sloupec(model, 0).back(), QStringLiteral("zebra"));
}

struct Odebrani {
    const char* nazev;
    std::vector<int> radky;
    std::vector<QString> zbyva;
};

class OdebraniTest : public ModelTest, public ::testing::WithParamInterface<Odebrani> {};

TEST_P(OdebraniTest, RemovesExactlyTheGivenRows)
{
    std::vector<std::string> jmena;
    for (int i = 0; i < 80; ++i)
        jmena.push_back("p" + std::to_string(i));
    std::vector<NalezenySoubor> s;
    for (auto& j : jmena)
        s.push_back(soubor("", j, 1));
    model.pridej(s);
    model.odeberRadky(GetParam().radky);
    const auto zbyva = sloupec(model, 0);
    std::vector<QString> prvni(zbyva.begin(), zbyva.begin() + std::min<std::size_t>(4, zbyva.size()));
    EXPECT_EQ(prvni, GetParam().zbyva);
    EXPECT_EQ(model.rowCount(), 80 - int(std::set<int>(GetParam().radky.begin(), GetParam().radky.end()).size()));
}

std::vector<int> kazdyDruhy()
{
    std::vector<int> r;
    for (int i = 0; i < 80; i += 2)
        r.push_back(i);
    return r;
}

INSTANTIATE_TEST_SUITE_P(Rozsahy, OdebraniTest,
    ::testing::Values(
        Odebrani{"jeden", {1}, {"p0", "p2", "p3", "p4"}},
        Odebrani{"rozsah_a_duplikat", {3, 0, 1, 1, 2}, {"p4", "p5", "p6", "p7"}},
        // 40 scattered rows take the compaction path.
        Odebrani{"roztrousene", kazdyDruhy(), {"p1", "p3", "p5", "p7"}}),
    [](const auto& info) { return std::string(info.param.nazev); });

TEST_F(ModelTest, TwinOfAnotherListIsRemovedThroughTheModel)
{
    ResultListModel mensi{u, 8};
    QAbstractItemModelTester testMensi{&mensi, QAbstractItemModelTester::FailureReportingMode::Fatal};
    const NalezenySoubor vetsi[] = {soubor("a/", "x.txt", 9)};
    const NalezenySoubor twins[] = {soubor("b/", "x.txt", 1), soubor("a/", "X.txt", 1), soubor("a/", "x.txt", 1)};
    model.pridej(vetsi);
    mensi.pridej(twins);
    EXPECT_EQ(mensi.odeberProtejsek(model.polozka(0)), 2);   // own bytes: "X.txt" is another file
    EXPECT_EQ(mensi.rowCount(), 2);
    EXPECT_EQ(mensi.odeberProtejsek(model.polozka(0)), -1);
}

// Twins of many handled items leave in one batch: exactly the items with the
// patterns' relative paths (own bytes), each once, the rest in its order.
TEST_F(ModelTest, TwinsOfManyItemsLeaveInOneBatch)
{
    ResultListModel mensi{u, 8};
    QAbstractItemModelTester testMensi{&mensi, QAbstractItemModelTester::FailureReportingMode::Fatal};
    std::vector<std::string> jmena;
    for (int i = 0; i < 100; ++i)
        jmena.push_back("f" + std::to_string(i) + ".txt");
    std::vector<NalezenySoubor> vetsi, twins;
    for (int i = 0; i < 100; ++i) {
        twins.push_back(soubor(i % 2 ? "a/" : "b/", jmena[std::size_t(i)], 1));
        if (i % 3 == 0)
            vetsi.push_back(soubor(i % 2 ? "a/" : "b/", jmena[std::size_t(i)], 9));
    }
    vetsi.push_back(soubor("c/", "f1.txt", 9));    // same name, other directory: no twin
    vetsi.push_back(soubor("a/", "F1.txt", 9));    // other letter case: another file
    model.pridej(vetsi);
    mensi.pridej(twins);
    QSignalSpy resety(&mensi, &QAbstractItemModel::modelReset);
    EXPECT_EQ(mensi.odeberProtejsky(u.seznam(model.cislo())), 34);
    EXPECT_EQ(resety.count(), 1);   // 34 scattered rows: one compaction, not 34 removals
    ASSERT_EQ(mensi.rowCount(), 66);
    for (int r = 0; r < mensi.rowCount(); ++r)
        EXPECT_NE(std::stoi(std::string(mensi.polozka(r).jmeno.substr(1))) % 3, 0) << r;
    EXPECT_EQ(mensi.polozka(0).jmeno, "f1.txt");
    EXPECT_EQ(mensi.odeberProtejsky(u.seznam(model.cislo())), 0);
}

TEST_F(ModelTest, HeaderImagesFollowTheSortedColumnAndDirection)
{
    model.nastavSipky(2, true);
    EXPECT_EQ(model.sipka(2), Sipka::Dolu);
    EXPECT_EQ(model.sipka(0), Sipka::Zadna);
    EXPECT_FALSE(model.headerData(2, Qt::Horizontal, Qt::DecorationRole).isNull());
    model.nastavSipky(2, false);
    EXPECT_EQ(model.sipka(2), Sipka::Nahoru);
    model.nastavSipky(-1, false);
    for (int c = 0; c < pocetSloupcu; ++c)
        EXPECT_EQ(model.sipka(c), Sipka::Zadna);
    EXPECT_TRUE(model.headerData(2, Qt::Horizontal, Qt::DecorationRole).isNull());
}

} // namespace
} // namespace zrc
