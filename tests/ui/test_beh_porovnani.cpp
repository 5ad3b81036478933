// A comparison run started from the window's side: real temporary trees, the
// real engine on its worker thread, the lists, pages and messages it leaves.

#include "settings/ini_soubor.h"
#include "settings/seznamy.h"
#include "support/temp_tree.h"
#include "ui/beh_porovnani.h"
#include "ui/hlaseni.h"
#include "ui/stranky_vysledku.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zrc {
namespace {

using test::file;
using test::TempTree;

const std::time_t starsi = test::localTime(2020, 1, 1, 9, 0, 0);
const std::time_t novejsi = test::localTime(2020, 1, 1, 10, 0, 0);

class BehTest : public ::testing::Test {
protected:
    TempTree strom1, strom2;
    QTemporaryDir tmp;
    QString adr1 = strom1.qroot();
    QString adr2 = strom2.qroot();
    QString ini = tmp.filePath("zrcadlovac.ini");
    QTabWidget tabs;
    std::unique_ptr<StrankyVysledku> stranky;
    std::unique_ptr<BehPorovnani> beh;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testery;
    QStringList zpravy;
    NahradaHlaseni nahrada{[this](const ZadostHlaseni& z) {
        zpravy << z.text;
        return Odpoved::OK;
    }};

    void SetUp() override
    {
        for (const char* t : {"Nastavení", "NOVÉ", "NOVĚJŠÍ", "VĚTŠÍ", "MENŠÍ"})
            tabs.addTab(new QLabel, QString::fromUtf8(t));
        stranky = std::make_unique<StrankyVysledku>(&tabs);
        stranky->setCestaIni(ini);
        beh = std::make_unique<BehPorovnani>(*stranky);
        beh->setCestaIni(ini);
        // Every batch, clearing and sort of a run is checked for model consistency.
        for (int tag = 1; tag <= StrankyVysledku::pocetSeznamu; ++tag)
            testery.push_back(std::make_unique<QAbstractItemModelTester>(
                stranky->model(tag), QAbstractItemModelTester::FailureReportingMode::Fatal));
        tabs.show();
    }

    ZadaniBehu zadani(QString a1 = {}, QString a2 = {})
    {
        ZadaniBehu z;
        z.nastaveni.adresar1 = a1.isNull() ? adr1 : a1;
        z.nastaveni.adresar2 = a2.isNull() ? adr2 : a2;
        return z;
    }

    KonecBehu probehni(const ZadaniBehu& z)
    {
        QSignalSpy konec(beh.get(), &BehPorovnani::dokonceno);
        beh->Button4Click(z);
        EXPECT_TRUE(konec.count() > 0 || konec.wait(20000));
        return konec.isEmpty() ? KonecBehu::Neplatny : konec.at(0).at(0).value<KonecBehu>();
    }

    std::vector<QString> sloupec(int tag, int c)
    {
        std::vector<QString> t;
        for (int r = 0; r < stranky->model(tag)->rowCount(); ++r)
            t.push_back(stranky->model(tag)->index(r, c).data().toString());
        return t;
    }
};

TEST_F(BehTest, FillsTheListsShowsTheirPagesAndEndsIdle)
{
    strom1.add({file("jen1.txt", 1, starsi), file("sub/Novy.DAT", 2, novejsi), file("vetsi.bin", 9, starsi)});
    strom2.add({file("jen2", 3, starsi), file("sub/Novy.DAT", 2, starsi), file("vetsi.bin", 4, starsi)});
    ASSERT_TRUE(IniZapisCislo(ini, u"Serazeni", u"podle", 1));
    QSignalSpy historie(beh.get(), &BehPorovnani::pridejDoHistorie);
    QSignalSpy overeno(beh.get(), &BehPorovnani::overeno);

    EXPECT_EQ(probehni(zadani(adr1 + "/")), KonecBehu::Dokonceno);

    EXPECT_EQ(sloupec(1, 0), (std::vector<QString>{"jen1"}));
    EXPECT_EQ(sloupec(2, 0), (std::vector<QString>{"jen2"}));
    EXPECT_EQ(sloupec(3, 4), (std::vector<QString>{"sub/"}));
    EXPECT_EQ(sloupec(3, 0), (std::vector<QString>{"novy"}));
    EXPECT_EQ(sloupec(5, 3), (std::vector<QString>{"9"}));
    EXPECT_EQ(sloupec(8, 3), (std::vector<QString>{"4"}));
    EXPECT_TRUE(sloupec(4, 0).empty());
    for (int stranka = 1; stranka <= 4; ++stranka)
        EXPECT_TRUE(tabs.isTabVisible(stranka)) << stranka;
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_TRUE(zpravy.isEmpty()) << zpravy.join('|').toStdString();
    EXPECT_FALSE(beh->bezi());
    EXPECT_EQ(beh->textTlacitka(), QStringLiteral("&Porovnej"));
    EXPECT_EQ(stranky->seznam(1)->hint(), QStringLiteral("ADRESÁŘ 1: ") + adr1);
    EXPECT_EQ(stranky->seznam(8)->hint(), QStringLiteral("ADRESÁŘ 2: ") + adr2);
    ASSERT_EQ(overeno.count(), 1);
    EXPECT_EQ(overeno.at(0).at(0).toString(), adr1);   // one trailing "/" removed
    EXPECT_EQ(historie.count(), 1);
    EXPECT_EQ(CtiPolozku(ini, u"Adresar1", 1), adr1);
    EXPECT_EQ(CtiPolozku(ini, u"Adresar2", 1), adr2);
    for (int tag = 1; tag <= 8; ++tag)
        EXPECT_EQ(stranky->seznam(tag)->SloupecRazeni(), 0) << tag;
}

TEST_F(BehTest, ConfiguredSortOrdersSizesByValue)
{
    strom1.add({file("a", 999, starsi), file("b", 1000, starsi), file("c", 20, starsi)});
    ASSERT_TRUE(IniZapisCislo(ini, u"Serazeni", u"podle", 4));
    ASSERT_TRUE(IniZapisCislo(ini, u"Serazeni", u"typ", 1));
    EXPECT_EQ(probehni(zadani()), KonecBehu::Dokonceno);
    EXPECT_EQ(sloupec(1, 3), (std::vector<QString>{"20", "999", "1000"}));
    EXPECT_TRUE(stranky->razeni().RazeniVzestupne);
    EXPECT_EQ(stranky->model(1)->sipka(3), Sipka::Dolu);
}

TEST_F(BehTest, NothingFoundIsReportedAndTheSettingsPageStays)
{
    strom1.add({file("same", 5, starsi)});
    strom2.add({file("same", 5, starsi)});
    beh->nastavNepridavat(true);
    QSignalSpy historie(beh.get(), &BehPorovnani::pridejDoHistorie);
    EXPECT_EQ(probehni(zadani()), KonecBehu::Dokonceno);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(zpravy, QStringList{zpravy::nicNenalezeno});
    EXPECT_EQ(historie.count(), 0);
}

TEST_F(BehTest, ValidationFailureLeavesListsAndRecentDirectoriesAlone)
{
    strom1.add({file("a", 1, starsi)});
    ASSERT_EQ(probehni(zadani()), KonecBehu::Dokonceno);
    zpravy.clear();
    EXPECT_EQ(probehni(zadani(adr1, adr1)), KonecBehu::Neplatny);
    EXPECT_EQ(zpravy, QStringList{zpravy::stejneAdresare});
    EXPECT_EQ(stranky->model(1)->rowCount(), 1);
    EXPECT_FALSE(beh->bezi());
    EXPECT_EQ(NactiDoComboBoxu(ini, u"Adresar1").size(), 1);
}

TEST_F(BehTest, StopMakesTheWindowIdleAtOnceAndANewRunComparesInFull)
{
    std::vector<test::Entry> soubory;
    for (int d = 0; d < 20; ++d)
        for (int f = 0; f < 50; ++f)
            soubory.push_back(file("d" + std::to_string(d) + "/f" + std::to_string(f), 1, starsi));
    strom1.add(soubory);
    ZadaniBehu z = zadani();
    z.nastaveni.ChB_adresar1 = false;   // walk the subdirectories missing on side 2
    QSignalSpy rezim(beh.get(), &BehPorovnani::behZmenen);
    QSignalSpy konec(beh.get(), &BehPorovnani::dokonceno);
    beh->Button4Click(z);
    EXPECT_TRUE(beh->bezi());
    EXPECT_EQ(beh->textTlacitka(), QStringLiteral("&Stop"));
    beh->Button4Click(z);   // "&Stop"
    EXPECT_FALSE(beh->bezi());
    ASSERT_EQ(rezim.count(), 2);
    EXPECT_FALSE(rezim.at(1).at(0).toBool());
    ASSERT_TRUE(konec.wait(20000));
    EXPECT_EQ(konec.at(0).at(0).value<KonecBehu>(), KonecBehu::Zastaveno);
    EXPECT_EQ(stranky->model(1)->rowCount(), 0);   // stopped before it cleared the lists
    EXPECT_TRUE(zpravy.isEmpty());
    // A new run after the stop compares in full.
    EXPECT_EQ(probehni(z), KonecBehu::Dokonceno);
    EXPECT_EQ(stranky->model(1)->rowCount(), 1000);
}

TEST_F(BehTest, StopAfterTheFirstItemsKeepsThemUnsortedAndRecordsNothing)
{
    strom1.add({file("b", 1, starsi), file("a", 1, starsi), file("c", 1, starsi)});
    ASSERT_TRUE(IniZapisCislo(ini, u"Serazeni", u"podle", 1));
    QSignalSpy historie(beh.get(), &BehPorovnani::pridejDoHistorie);
    QSignalSpy konec(beh.get(), &BehPorovnani::dokonceno);
    const ZadaniBehu z = zadani();
    // "&Stop" pressed while the first batch is being shown.
    QObject::connect(stranky->model(1), &QAbstractItemModel::rowsInserted, beh.get(),
                     [&] { if (beh->bezi()) beh->Button4Click(z); });
    beh->Button4Click(z);
    ASSERT_TRUE(konec.wait(20000));
    EXPECT_EQ(konec.at(0).at(0).value<KonecBehu>(), KonecBehu::Zastaveno);
    EXPECT_EQ(sloupec(1, 0), (std::vector<QString>{"a", "b", "c"}));   // byte order of the walk
    EXPECT_EQ(stranky->seznam(1)->SloupecRazeni(), 0);                  // no configured sort
    EXPECT_TRUE(stranky->seznam(1)->hint().isEmpty());
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(historie.count(), 0);
    EXPECT_TRUE(zpravy.isEmpty());
}

} // namespace
} // namespace zrc
