// The sort of a large list runs on a thread of its own while the window's thread
// goes on taking input: the order must stay exactly the command line's
// (seradSeznam), the model consistent under QAbstractItemModelTester, rows that
// arrive during the sort must stay after the sorted ones, and a removal, a newer
// sort or clearing the list meanwhile must leave the rows as if done in turn.

#include "engine/razeni.h"
#include "ui/vysledky_model.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

namespace zrc {
namespace {

// Runs the event loop until the model's sort has put its rows in order.
void dokonciRazeni(ResultListModel& m)
{
    while (m.razeniBezi())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Every list is sorted on the thread while a test runs.
class PrahNula {
public:
    PrahNula() : stary_(ResultListModel::prahVlakna()) { ResultListModel::nastavPrahVlakna(0); }
    ~PrahNula() { ResultListModel::nastavPrahVlakna(stary_); }

private:
    int stary_;
};

// Names with Czech letters, capitals, repeats, digits as text, no type, a dot
// first; sizes, times and directories repeating at other periods.
std::vector<std::string> jmena()
{
    const char* zaklady[] = {"čaj", "Čaj", "citron", "zebra", "Řeka", "řeka", "a10", "a9", "", ".profil", "x.tar"};
    const char* typy[] = {".txt", ".TXT", ".gz", "", ".č"};
    std::vector<std::string> v;
    for (int i = 0; i < 300; ++i)
        v.push_back(std::string(zaklady[i % 11]) + std::to_string(i % 7) + typy[i % 5]);
    return v;
}

void napln(UlozisteVysledku& u, ResultListModel* model, const std::vector<std::string>& j)
{
    const char* adresare[] = {"", "B/", "a/", "Ž/sub/", "a/b/"};
    std::vector<NalezenySoubor> s;
    for (std::size_t i = 0; i < j.size(); ++i)
        s.push_back({adresare[i % 5], j[i], BalenyCas(1000 + i % 13), std::int64_t(i % 17) * 100});
    if (model)
        model->pridej(s);
    else
        for (const auto& x : s)
            u.pridej(3, x);
}

struct Pripad {
    Sloupec sloupec;
    bool vzestupne;
};

class RazeniVlaknoTest : public ::testing::TestWithParam<Pripad> {
protected:
    PrahNula prah;
    std::vector<std::string> j = jmena();
    UlozisteVysledku okno, cli;
    ResultListModel model{okno, 3};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_P(RazeniVlaknoTest, OrderIsTheCommandLinesAndSelectionFollows)
{
    napln(okno, &model, j);
    napln(cli, nullptr, j);
    QPersistentModelIndex sledovany = model.index(123, 2);
    const Polozka puvodni = model.polozka(123);
    model.sortuj(GetParam().sloupec, GetParam().vzestupne);
    dokonciRazeni(model);
    seradSeznam(cli, 3, GetParam().sloupec, GetParam().vzestupne);
    ASSERT_EQ(model.rowCount(), int(cli.seznam(3).size()));
    for (int r = 0; r < model.rowCount(); ++r) {
        EXPECT_EQ(model.polozka(r).jmeno, cli.seznam(3)[std::size_t(r)].jmeno) << r;
        EXPECT_EQ(model.polozka(r).podadresar, cli.seznam(3)[std::size_t(r)].podadresar) << r;
    }
    ASSERT_TRUE(sledovany.isValid());
    EXPECT_EQ(model.polozka(sledovany.row()).jmeno, puvodni.jmeno);
    EXPECT_EQ(sledovany.column(), 2);
}

TEST_P(RazeniVlaknoTest, RowsArrivingDuringTheSortStayAfterTheSortedOnes)
{
    napln(okno, &model, j);
    napln(cli, nullptr, j);
    // Queued now, delivered by the event loop that runs while the thread sorts
    // (or right after it, when the thread is faster: the result is the same).
    const NalezenySoubor pozdni[] = {{"", "aaa-pozdni.txt", 1, 1}, {"", "0-pozdni", 2, 2}};
    QTimer::singleShot(0, &model, [&] { model.pridej(pozdni); });
    model.sortuj(GetParam().sloupec, GetParam().vzestupne);
    dokonciRazeni(model);
    seradSeznam(cli, 3, GetParam().sloupec, GetParam().vzestupne);
    ASSERT_EQ(model.rowCount(), int(j.size()) + 2);
    for (std::size_t r = 0; r < j.size(); ++r)
        EXPECT_EQ(model.polozka(int(r)).jmeno, cli.seznam(3)[r].jmeno) << r;
    EXPECT_EQ(model.polozka(int(j.size())).jmeno, "aaa-pozdni.txt");
    EXPECT_EQ(model.polozka(int(j.size()) + 1).jmeno, "0-pozdni");
}

// The window takes input while a sort runs: what the user does meanwhile
// acts at once, and the sort still ends with the rows in order.
TEST_P(RazeniVlaknoTest, ARemovalDuringTheSortStartsItOver)
{
    napln(okno, &model, j);
    napln(cli, nullptr, j);
    bool behemRazeni = false;
    QTimer::singleShot(0, &model, [&] {
        behemRazeni = model.razeniBezi();
        model.odeberRadky({5, 17});
    });
    model.sortuj(GetParam().sloupec, GetParam().vzestupne);
    dokonciRazeni(model);
    ASSERT_TRUE(behemRazeni) << "the removal came after the sort";
    auto& c = cli.seznam(3);
    c.erase(c.begin() + 17);
    c.erase(c.begin() + 5);
    seradSeznam(cli, 3, GetParam().sloupec, GetParam().vzestupne);
    ASSERT_EQ(model.rowCount(), int(c.size()));
    for (std::size_t r = 0; r < c.size(); ++r)
        EXPECT_EQ(model.polozka(int(r)).jmeno, c[r].jmeno) << r;
}

TEST_P(RazeniVlaknoTest, ANewerSortReplacesOneUnderWay)
{
    napln(okno, &model, j);
    napln(cli, nullptr, j);
    int serazeni = 0;
    QObject::connect(&model, &ResultListModel::serazeno, [&] { ++serazeni; });
    model.sortuj(Sloupec::Datum, true);
    model.sortuj(GetParam().sloupec, GetParam().vzestupne);
    dokonciRazeni(model);
    QCoreApplication::processEvents();   // the first sort's thread result, now void
    EXPECT_EQ(serazeni, 1);
    seradSeznam(cli, 3, GetParam().sloupec, GetParam().vzestupne);
    for (int r = 0; r < model.rowCount(); ++r)
        EXPECT_EQ(model.polozka(r).jmeno, cli.seznam(3)[std::size_t(r)].jmeno) << r;
}

TEST_P(RazeniVlaknoTest, ClearingTheListDropsTheSort)
{
    napln(okno, &model, j);
    model.sortuj(GetParam().sloupec, GetParam().vzestupne);
    model.zacniVymazani();
    okno.seznam(3).clear();
    model.ukonciVymazani();
    EXPECT_FALSE(model.razeniBezi());
    QCoreApplication::processEvents();
    EXPECT_EQ(model.rowCount(), 0);
}

std::string jmenoPripadu(const ::testing::TestParamInfo<Pripad>& info)
{
    static const char* const nazvy[] = {"nazev", "typ", "datum", "velikost", "podadr"};
    return std::string(nazvy[int(info.param.sloupec)]) + (info.param.vzestupne ? "_vzestupne" : "_sestupne");
}

INSTANTIATE_TEST_SUITE_P(Sloupce, RazeniVlaknoTest,
    ::testing::Values(Pripad{Sloupec::Nazev, true}, Pripad{Sloupec::Nazev, false}, Pripad{Sloupec::Typ, true},
                      Pripad{Sloupec::Datum, false}, Pripad{Sloupec::Velikost, true},
                      Pripad{Sloupec::Podadr, false}),
    jmenoPripadu);

} // namespace
} // namespace zrc
