// A comparison driven through the real main window with mouse and keys: the
// click on "&Porovnej", the pages it shows, "&Stop", header clicks across two
// lists, type-ahead and Del emptying the pages again.

#include "test_okno_pomoc.h"

#include "settings/ini_soubor.h"
#include "support/temp_tree.h"
#include "ui/beh_porovnani.h"
#include "ui/hlaseni.h"
#include "ui/stranky_vysledku.h"

#include <QComboBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <sys/stat.h>

namespace zrc::test {
namespace {

const std::time_t rano = localTime(2021, 3, 4, 8, 0, 0);
const std::time_t poledne = localTime(2021, 3, 4, 12, 0, 0);

class BehOkna : public OknoTest {
protected:
    TempTree strom1{{file("nový.txt", 5, rano), file("b/beta.txt", 1, rano), file("b/alfa.txt", 1, rano),
                     file("b/Bravo.txt", 1, rano), file("zmena.doc", 10, poledne)}};
    TempTree strom2{{file("jen2.txt", 3, rano), file("zmena.doc", 10, rano), file("b/x", 1, rano)}};

    StrankyVysledku& vysledky() { return okno->vysledky(); }
    SeznamVysledku* seznam(int tag) { return vysledky().seznam(tag); }

    void porovnej()
    {
        okno->strankaNastaveni().adresar1->setEditText(strom1.qroot());
        okno->strankaNastaveni().adresar2->setEditText(strom2.qroot());
        QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
        QTest::mouseClick(okno->strankaNastaveni().Button4, Qt::LeftButton);
        ASSERT_TRUE(konec.count() > 0 || konec.wait(20000));
    }

    void klikniHlavicku(SeznamVysledku* s, int sloupec)
    {
        QHeaderView* h = s->header();
        const QPoint stred(h->sectionViewportPosition(sloupec) + h->sectionSize(sloupec) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, stred);
    }

    std::vector<QString> nazvy(int tag)
    {
        std::vector<QString> t;
        for (int r = 0; r < vysledky().model(tag)->rowCount(); ++r)
            t.push_back(vysledky().model(tag)->index(r, 0).data().toString());
        return t;
    }
};

TEST_F(BehOkna, ClickOnPorovnejFillsTheListsAndShowsTheFirstPage)
{
    otevri();
    porovnej();
    EXPECT_EQ(okno->strankaNastaveni().Button4->text(), QStringLiteral("&Porovnej"));
    EXPECT_EQ(nazvy(1).size(), 4u);
    EXPECT_EQ(nazvy(2), (std::vector<QString>{"jen2", "x"}));
    EXPECT_EQ(nazvy(3), (std::vector<QString>{"zmena"}));
    EXPECT_TRUE(okno->PageControl1->isTabVisible(1));
    EXPECT_TRUE(okno->PageControl1->isTabVisible(2));
    EXPECT_FALSE(okno->PageControl1->isTabVisible(3));
    EXPECT_FALSE(okno->PageControl1->isTabVisible(4));
    EXPECT_EQ(okno->PageControl1->currentIndex(), 1);
    EXPECT_TRUE(okno->vysledky().PAkce->isVisible());
    EXPECT_TRUE(zpravy.isEmpty()) << zpravy.join('|').toStdString();
}

TEST_F(BehOkna, SecondClickStopsAndTheButtonReturnsAtOnce)
{
    otevri();
    okno->strankaNastaveni().adresar1->setEditText(strom1.qroot());
    okno->strankaNastaveni().adresar2->setEditText(strom2.qroot());
    QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
    QTest::mouseClick(okno->strankaNastaveni().Button4, Qt::LeftButton);
    EXPECT_EQ(okno->strankaNastaveni().Button4->text(), QStringLiteral("&Stop"));
    QTest::mouseClick(okno->strankaNastaveni().Button4, Qt::LeftButton);
    EXPECT_EQ(okno->strankaNastaveni().Button4->text(), QStringLiteral("&Porovnej"));
    EXPECT_FALSE(okno->strankaNastaveni().ProgressBar1->isVisible());
    ASSERT_TRUE(konec.wait(20000));
    EXPECT_EQ(konec.at(0).at(0).value<KonecBehu>(), KonecBehu::Zastaveno);
    EXPECT_EQ(okno->PageControl1->currentIndex(), 0);
}

TEST_F(BehOkna, SameDirectoryTwiceIsRefused)
{
    otevri();
    okno->strankaNastaveni().adresar1->setEditText(strom1.qroot());
    okno->strankaNastaveni().adresar2->setEditText(strom1.qroot());
    QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
    QTest::mouseClick(okno->strankaNastaveni().Button4, Qt::LeftButton);
    ASSERT_TRUE(konec.wait(20000));
    EXPECT_EQ(zpravy, QStringList{QStringLiteral("Nelze porovnat stejné adresáře!!")});
    EXPECT_EQ(okno->strankaNastaveni().Button4->text(), QStringLiteral("&Porovnej"));
}

TEST_F(BehOkna, HeaderClicksShareTheDirectionAcrossLists)
{
    otevri();
    porovnej();
    okno->PageControl1->setCurrentIndex(1);
    // After a run no list counts as sorted and the configured direction is
    // descending (no "Serazeni" in the INI file): a click keeps it.
    klikniHlavicku(seznam(1), 0);
    EXPECT_EQ(nazvy(1), (std::vector<QString>{"nový", "bravo", "beta", "alfa"}));
    klikniHlavicku(seznam(2), 4);   // a new column of another list keeps it too
    EXPECT_FALSE(vysledky().razeni().RazeniVzestupne);
    klikniHlavicku(seznam(1), 0);   // the same column again: ascending
    EXPECT_EQ(nazvy(1), (std::vector<QString>{"alfa", "beta", "bravo", "nový"}));
    EXPECT_EQ(vysledky().model(1)->sipka(0), Sipka::Dolu);
    EXPECT_EQ(vysledky().model(2)->sipka(4), Sipka::Nahoru);   // left as it was drawn
}

TEST_F(BehOkna, TypeAheadAndDelOnTheFocusedList)
{
    otevri();
    porovnej();
    okno->PageControl1->setCurrentIndex(1);
    klikniHlavicku(seznam(1), 0);   // nový, bravo, beta, alfa
    SeznamVysledku* s = seznam(1);
    s->setFocus();
    s->setCurrentIndex(s->model()->index(0, 0));
    QTest::keyClick(s, Qt::Key_B);
    EXPECT_EQ(s->currentIndex().row(), 1);
    QTest::keyClick(s, Qt::Key_B);
    EXPECT_EQ(s->currentIndex().row(), 2);
    QTest::keyClick(s, Qt::Key_N);   // wraps to the first item
    EXPECT_EQ(s->currentIndex().row(), 0);
    s->selectAll();
    QTest::keyClick(s, Qt::Key_Delete);
    EXPECT_EQ(vysledky().model(1)->rowCount(), 0);
    EXPECT_TRUE(okno->PageControl1->isTabVisible(1));   // ListView2 still holds "jen2"
    seznam(2)->setFocus();
    seznam(2)->selectAll();
    QTest::keyClick(seznam(2), Qt::Key_Delete);
    EXPECT_FALSE(okno->PageControl1->isTabVisible(1));
    EXPECT_EQ(okno->PageControl1->currentIndex(), 2);   // "NOVĚJŠÍ" remains
    okno->PageControl1->setCurrentIndex(2);
    seznam(3)->setFocus();
    seznam(3)->selectAll();
    QTest::keyClick(seznam(3), Qt::Key_Delete);
    EXPECT_EQ(okno->PageControl1->currentIndex(), 0);
    EXPECT_FALSE(okno->vysledky().PAkce->isVisible());
    EXPECT_TRUE(IniCtiBool(cestaIni(), u"H1", u"CBMazPodAdr", false));
}

} // namespace
} // namespace zrc::test

namespace zrc::test {
namespace {

// F5 on "NOVĚJŠÍ" copies directory 1's newer zmena.doc over directory 2's: the
// file on disk gets the newer time and the item leaves the list; F8 on "NOVÉ"
// asks "Opravdu odstranit vybrané soubory?" and deletes after "Ano".
TEST_F(BehOkna, KopieAOdstraneniZeSeznamu)
{
    otevri();
    porovnej();
    QStringList otazky;
    NahradaHlaseni nahrada([&](const ZadostHlaseni& z) {
        otazky << z.text;
        return Odpoved::Ano;
    });
    ASSERT_EQ(vysledky().model(3)->rowCount(), 1);
    okno->UpravVelikostList(3);
    seznam(3)->selectAll();
    okno->MPBB1Click(2);
    EXPECT_EQ(vysledky().model(3)->rowCount(), 0);
    struct stat st {};
    ASSERT_EQ(::stat(strom2.path("zmena.doc").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, poledne);
    EXPECT_TRUE(otazky.isEmpty());

    const int pred = vysledky().model(2)->rowCount();
    ASSERT_GE(pred, 1);
    okno->UpravVelikostList(2);
    seznam(2)->selectAll();
    okno->MPBB1Click(4);
    ASSERT_EQ(otazky.size(), 1);
    EXPECT_TRUE(otazky[0].startsWith(QStringLiteral("Opravdu odstranit vybrané soubory?")));
    EXPECT_EQ(vysledky().model(2)->rowCount(), 0);
    EXPECT_NE(::stat(strom2.path("jen2.txt").c_str(), &st), 0);
}

// With "potvrzodstr" off in the settings file, F8 deletes at once; the setting
// is read at each deletion, so a change made meanwhile counts.
TEST_F(BehOkna, OdstraneniBezPotvrzeni)
{
    otevri();
    porovnej();
    ASSERT_TRUE(IniZapisBool(cestaIni(), u"Nastaveni", u"potvrzodstr", false).ok());
    int otazek = 0;
    NahradaHlaseni nahrada([&](const ZadostHlaseni&) {
        ++otazek;
        return Odpoved::Ne;
    });
    ASSERT_GE(vysledky().model(2)->rowCount(), 1);
    okno->UpravVelikostList(2);
    seznam(2)->selectAll();
    okno->MPBB1Click(4);
    EXPECT_EQ(otazek, 0);
    EXPECT_EQ(vysledky().model(2)->rowCount(), 0);
    struct stat st {};
    EXPECT_NE(::stat(strom2.path("jen2.txt").c_str(), &st), 0);
}

} // namespace
} // namespace zrc::test
