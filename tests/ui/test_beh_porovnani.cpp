// A comparison run started from the window's side: real temporary trees, the
// real engine on its worker thread, the lists, pages and messages it leaves.

#include "settings/ini_soubor.h"
#include "settings/seznamy.h"
#include "ui/beh_porovnani.h"
#include "ui/hlaseni.h"
#include "ui/stranky_vysledku.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utime.h>

namespace zrc {
namespace {

constexpr std::time_t starsi = 1577869200;   // 2020-01-01 09:00 UTC
constexpr std::time_t novejsi = starsi + 3600;

struct Soubor {
    const char* cesta;   // relative to the side's directory
    int velikost;
    std::time_t cas;
};

void vytvor(const QString& zaklad, std::initializer_list<Soubor> soubory)
{
    for (const Soubor& s : soubory) {
        const QString cesta = zaklad + "/" + QString::fromUtf8(s.cesta);
        QDir().mkpath(QFileInfo(cesta).path());
        QFile f(cesta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(s.velikost, 'x'));
        f.close();
        const utimbuf t{s.cas, s.cas};
        ASSERT_EQ(utime(QFile::encodeName(cesta).constData(), &t), 0);
    }
}

class BehTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString adr1 = tmp.filePath("jedna");
    QString adr2 = tmp.filePath("dva");
    QString ini = tmp.filePath("zrcadlovac.ini");
    QTabWidget tabs;
    std::unique_ptr<StrankyVysledku> stranky;
    std::unique_ptr<BehPorovnani> beh;
    QStringList zpravy;
    NahradaHlaseni nahrada{[this](const ZadostHlaseni& z) {
        zpravy << z.text;
        return Odpoved::OK;
    }};

    void SetUp() override
    {
        QDir().mkpath(adr1);
        QDir().mkpath(adr2);
        for (const char* t : {"Nastavení", "NOVÉ", "NOVĚJŠÍ", "VĚTŠÍ", "MENŠÍ"})
            tabs.addTab(new QLabel, QString::fromUtf8(t));
        stranky = std::make_unique<StrankyVysledku>(&tabs);
        stranky->setCestaIni(ini);
        beh = std::make_unique<BehPorovnani>(*stranky);
        beh->setCestaIni(ini);
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
    vytvor(adr1, {{"jen1.txt", 1, starsi}, {"sub/Novy.DAT", 2, novejsi}, {"vetsi.bin", 9, starsi}});
    vytvor(adr2, {{"jen2", 3, starsi}, {"sub/Novy.DAT", 2, starsi}, {"vetsi.bin", 4, starsi}});
    IniZapisCislo(ini, u"Serazeni", u"podle", 1);
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

TEST_F(BehTest, ConfiguredSortOrdersSizesAsText)
{
    vytvor(adr1, {{"a", 999, starsi}, {"b", 1000, starsi}, {"c", 20, starsi}});
    IniZapisCislo(ini, u"Serazeni", u"podle", 4);
    IniZapisCislo(ini, u"Serazeni", u"typ", 1);
    EXPECT_EQ(probehni(zadani()), KonecBehu::Dokonceno);
    EXPECT_EQ(sloupec(1, 3), (std::vector<QString>{"1000", "20", "999"}));
    EXPECT_TRUE(stranky->razeni().RazeniVzestupne);
    EXPECT_EQ(stranky->model(1)->sipka(3), Sipka::Dolu);
}

TEST_F(BehTest, NothingFoundIsReportedAndTheSettingsPageStays)
{
    vytvor(adr1, {{"same", 5, starsi}});
    vytvor(adr2, {{"same", 5, starsi}});
    beh->nastavNepridavat(true);
    QSignalSpy historie(beh.get(), &BehPorovnani::pridejDoHistorie);
    EXPECT_EQ(probehni(zadani()), KonecBehu::Dokonceno);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(zpravy, QStringList{zpravy::nicNenalezeno});
    EXPECT_EQ(historie.count(), 0);
}

TEST_F(BehTest, ValidationFailureLeavesListsAndRecentDirectoriesAlone)
{
    vytvor(adr1, {{"a", 1, starsi}});
    ASSERT_EQ(probehni(zadani()), KonecBehu::Dokonceno);
    zpravy.clear();
    EXPECT_EQ(probehni(zadani(adr1, adr1)), KonecBehu::Neplatny);
    EXPECT_EQ(zpravy, QStringList{zpravy::stejneAdresare});
    EXPECT_EQ(stranky->model(1)->rowCount(), 1);
    EXPECT_FALSE(beh->bezi());
    EXPECT_EQ(NactiDoComboBoxu(ini, u"Adresar1").size(), 1);
}

TEST_F(BehTest, StopMakesTheWindowIdleAtOnceAndKeepsWhatWasFound)
{
    for (int d = 0; d < 20; ++d)
        for (int f = 0; f < 50; ++f)
            vytvor(adr1, {{QStringLiteral("d%1/f%2").arg(d).arg(f).toUtf8().constData(), 1, starsi}});
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

} // namespace
} // namespace zrc
