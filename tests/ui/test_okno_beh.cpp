// A comparison run started with Enter from the window, on real temporary
// trees: which lists fill, which pages show, the messages of the run, and the
// shortcuts that depend on the active list.
#include "test_okno_pomoc.h"
#include "support/temp_tree.h"

#include "ui/beh_porovnani.h"
#include "ui/seznam_vysledku.h"
#include "ui/stranky_vysledku.h"

#include "engine/porovnani.h"
#include "settings/historie.h"
#include "settings/seznamy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>

#include <sys/stat.h>
#include <unistd.h>

namespace zrc::test {
namespace {

const std::time_t leden = localTime(2024, 1, 10, 12, 0, 0);
const std::time_t unor = localTime(2024, 2, 10, 12, 0, 0);

class OknoBeh : public OknoTest {
protected:
    // Runs with Enter in the field of directory 2 and waits for the end.
    void porovnej(const QString& a1, const QString& a2)
    {
        okno->strankaNastaveni().adresar1->setEditText(a1);
        okno->strankaNastaveni().adresar2->setEditText(a2);
        QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
        okno->strankaNastaveni().adresar2->setFocus();
        QTest::keyClick(okno->strankaNastaveni().adresar2->lineEdit(), Qt::Key_Return);
        ASSERT_TRUE(konec.wait(20000) || konec.count() > 0);
    }
    int pocet(int tag) { return okno->vysledky().model(tag)->rowCount(); }
    std::vector<int> pocty()
    {
        std::vector<int> v;
        for (int tag = 1; tag <= 8; ++tag)
            v.push_back(pocet(tag));
        return v;
    }
    std::vector<bool> zalozky()
    {
        std::vector<bool> v;
        for (int i = 1; i <= 4; ++i)
            v.push_back(okno->PageControl1->isTabVisible(i));
        return v;
    }
};

TEST_F(OknoBeh, BehNaplniSpravneSeznamyAUkazeSpravneZalozky)
{
    // a: only on side 1; b: newer on side 2; c: same time, larger on side 1;
    // d: equal; sub/e: only on side 2 in a directory side 1 lacks.
    TempTree t1{file("a.txt", 5, leden), file("b.txt", 5, leden), file("c.dat", 300, leden), file("d", 7, leden)};
    TempTree t2{file("b.txt", 5, unor), file("c.dat", 100, leden), file("d", 7, leden), file("sub/e.txt", 1, leden)};
    otevri();
    porovnej(t1.qroot(), t2.qroot());
    EXPECT_EQ(pocty(), (std::vector<int>{1, 0, 0, 1, 1, 0, 0, 1}));
    EXPECT_EQ(zalozky(), (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(okno->PageControl1->currentIndex(), 1);
    EXPECT_TRUE(okno->vysledky().PAkce->isVisible());
    EXPECT_FALSE(okno->strankaNastaveni().ProgressBar1->isVisible());
    EXPECT_EQ(okno->strankaNastaveni().Button4->text(), QStringLiteral("&Porovnej"));
    EXPECT_EQ(okno->vysledky().seznam(2)->hint(), QStringLiteral("ADRESÁŘ 2: ") + t2.qroot());
    EXPECT_TRUE(zpravy.isEmpty());
    // The run is recorded: recently used directories and the history.
    EXPECT_EQ(NactiAdresare(cestaIni()).first.value(0), t1.qroot());
    EXPECT_EQ(HistoriePocet(cestaIni()), 1);
    EXPECT_EQ(okno->strankaNastaveni().LH->text(), QStringLiteral("1/1"));
}

TEST_F(OknoBeh, JenPrvniAdresarAJenMensi)
{
    TempTree t1{file("c.dat", 100, leden), file("x/y.txt", 3, leden)};
    TempTree t2{file("c.dat", 300, leden), file("x/y.txt", 3, leden)};
    otevri();
    okno->strankaNastaveni().CBOmez->setCurrentIndex(1);   // "1) jen adresář číslo1"
    porovnej(t1.qroot(), t2.qroot());
    EXPECT_EQ(pocty(), (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(zalozky(), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(okno->PageControl1->currentIndex(), 4);
    EXPECT_TRUE(zpravy.isEmpty());
}

TEST_F(OknoBeh, NicNenalezenoZustaneNaNastaveni)
{
    TempTree t1{file("d", 7, leden)};
    TempTree t2{file("d", 7, leden)};
    otevri();
    porovnej(t1.qroot() + QStringLiteral("/"), t2.qroot());
    EXPECT_EQ(zpravy, QStringList{zpravy::nicNenalezeno});
    EXPECT_EQ(okno->PageControl1->currentIndex(), 0);
    EXPECT_FALSE(okno->vysledky().PAkce->isVisible());
    // one trailing "/" is removed from the field
    EXPECT_EQ(okno->strankaNastaveni().adresar1->currentText(), t1.qroot());
}

// An unreadable directory is reported after the run, with the lists as they
// are. Root reads every directory, so the run goes as "nobody".
TEST_F(OknoBeh, NecitelnyAdresarHlasiVarovaniASeznamyZustanou)
{
    TempTree t1{file("a", 1, leden), file("zavreny/x", 1, leden), dir("zavreny").withMode(0)};
    TempTree t2{dir("zavreny")};
    otevri();
    ::chmod(QFile::encodeName(adresar_.path()).constData(), 0777);
    const bool bezPrav = ::geteuid() == 0 && ::seteuid(65534) == 0;
    porovnej(t1.qroot(), t2.qroot());
    if (bezPrav) {
        ASSERT_EQ(::seteuid(0), 0);
    } else {
        GTEST_SKIP() << "needs root to act as another user";
    }
    ASSERT_EQ(zpravy.size(), 1);
    EXPECT_TRUE(zpravy[0].startsWith(QStringLiteral("Některé adresáře nelze přečíst (1)"))) << zpravy[0].toStdString();
    EXPECT_TRUE(zpravy[0].contains(t1.qroot() + QStringLiteral("/zavreny (přístup odepřen)")));
    EXPECT_EQ(pocet(1), 1);
    EXPECT_EQ(okno->PageControl1->currentIndex(), 1);
    EXPECT_EQ(okno->statusBar()->currentMessage(), QStringLiteral("výsledek může být neúplný, nelze přečíst: 1"));
}

// Subdirectories left out for want of a counterpart are counted per side in
// the status line once the run is over; unticked, nothing is left out.
TEST_F(OknoBeh, NezahrnutePodadresareVeStavovemRadku)
{
    TempTree t1{file("a", 1, leden), file("jen1/x", 1, leden), file("jen1b/y", 1, leden)};
    TempTree t2{file("a", 1, unor), dir("jen2")};
    otevri();
    porovnej(t1.qroot(), t2.qroot());
    EXPECT_EQ(okno->statusBar()->currentMessage(),
              QStringLiteral("bez protějšku nezahrnuto: 2 podadresáře v adresáři 1, 1 podadresář v adresáři 2"));
    okno->PageControl1->setCurrentIndex(0);
    okno->strankaNastaveni().ChB_adresar1->setChecked(false);
    okno->strankaNastaveni().ChB_adresar2->setChecked(false);
    porovnej(t1.qroot(), t2.qroot());
    EXPECT_EQ(pocet(1), 2);
    EXPECT_FALSE(okno->statusBar()->currentMessage().contains(QStringLiteral("nezahrnuto")));
}

// The first Enter in a choice box reached with Tab starts the run.
TEST_F(OknoBeh, EnterVeVolbeDosazeneTabemSpustiBeh)
{
    TempTree t1{file("a", 1, leden)};
    TempTree t2;
    otevri();
    okno->strankaNastaveni().adresar1->setEditText(t1.qroot());
    okno->strankaNastaveni().adresar2->setEditText(t2.qroot());
    QComboBox* volba = okno->strankaNastaveni().CBOmez;
    QWidget* pred = volba->previousInFocusChain();
    while (pred && !(pred->focusPolicy() & Qt::TabFocus))
        pred = pred->previousInFocusChain();
    ASSERT_NE(pred, nullptr);
    pred->setFocus();
    ASSERT_TRUE(pockej([&] { return pred->hasFocus(); }));
    QTest::keyClick(pred, Qt::Key_Tab);
    ASSERT_TRUE(pockej([&] { return volba->hasFocus(); }));
    QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(konec.count() > 0 || konec.wait(20000));
    EXPECT_EQ(pocet(1), 1);
}

struct PripadOvereni {
    const char* adr1;   // "1", "2": the trees; anything else: a missing path
    const char* adr2;
    const QString* zprava;
};
class OvereniBehu : public OknoBeh, public ::testing::WithParamInterface<PripadOvereni> {};

TEST_P(OvereniBehu, ChybnyAdresarOhlasiAVratiKlid)
{
    TempTree t1{file("a", 1, leden)};
    TempTree t2{file("b", 1, leden)};
    auto cesta = [&](const char* c) {
        return QString::fromLatin1(c) == QLatin1String("1")   ? t1.qroot()
               : QString::fromLatin1(c) == QLatin1String("2") ? t2.qroot()
                                                               : t1.qroot() + QStringLiteral("/chybi");
    };
    otevri();
    porovnej(cesta(GetParam().adr1), cesta(GetParam().adr2));
    EXPECT_EQ(zpravy, QStringList{*GetParam().zprava});
    EXPECT_EQ(okno->strankaNastaveni().Button4->text(), QStringLiteral("&Porovnej"));
    EXPECT_EQ(zalozky(), (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(NactiAdresare(cestaIni()).first.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Pripady, OvereniBehu,
                         ::testing::Values(PripadOvereni{"x", "2", &zpravy::adresar1Neexistuje},
                                           PripadOvereni{"1", "x", &zpravy::adresar2Neexistuje}));

// Ctrl+F5 replaces from the other side: nothing on "NOVÉ", where BB5 is off.
TEST_F(OknoBeh, CtrlF5NaNoveNicNedela)
{
    TempTree t1{file("a.txt", 5, leden), file("b.txt", 5, leden)};
    TempTree t2{file("b.txt", 5, unor)};
    otevri();
    porovnej(t1.qroot(), t2.qroot());
    ASSERT_EQ(okno->PageControl1->currentIndex(), 1);
    QSignalSpy bb5(okno->vysledky().BB[4], &QPushButton::clicked);
    SeznamVysledku* nove = okno->vysledky().seznam(1);
    nove->setFocus();
    ASSERT_TRUE(pockej([&] { return nove->hasFocus(); }));
    QTest::keyClick(nove, Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(bb5.count(), 0);
    EXPECT_FALSE(okno->vysledky().BB[4]->isEnabled());
    okno->PageControl1->setCurrentIndex(2);
    SeznamVysledku* novejsi = okno->vysledky().seznam(4);
    novejsi->setFocus();
    ASSERT_TRUE(pockej([&] { return novejsi->hasFocus(); }));
    QTest::keyClick(novejsi, Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(bb5.count(), 1);
    EXPECT_EQ(okno->vysledky().BB[4]->property("Tag").toInt(), -41);
}

} // namespace
} // namespace zrc::test

namespace zrc::test {
namespace {

// The mouse over the right list gives it the focus, narrows the left list to
// a quarter of the page and points the action buttons at the right list.
TEST_F(OknoBeh, MysNadPravymSeznamemHoRozsiri)
{
    TempTree t1{file("a.txt", 5, leden)};
    TempTree t2{file("b.txt", 5, leden)};
    otevri();
    porovnej(t1.qroot(), t2.qroot());
    ASSERT_EQ(okno->PageControl1->currentIndex(), 1);
    SeznamVysledku* pravy = okno->vysledky().seznam(2);
    QTest::mouseMove(pravy->viewport(), pravy->viewport()->rect().center());
    ASSERT_TRUE(pockej([&] { return pravy->hasFocus(); }));
    const int sirka = okno->vysledky().stranky[0]->width();
    EXPECT_EQ(okno->vysledky().rozdelovace[0]->sizes().at(0), static_cast<int>(0.25 * sirka));
    EXPECT_EQ(okno->vysledky().BB[0]->property("Tag").toInt(), 2);
    EXPECT_EQ(okno->vysledky().BB[3]->property("Tag").toInt(), 22);
}

} // namespace
} // namespace zrc::test

namespace zrc::test {
namespace {

// Del belongs to the lists: in a directory field it deletes a character and
// leaves the results alone.
TEST_F(OknoBeh, DelMimoSeznamNeodebiraPolozky)
{
    TempTree t1{file("a.txt", 5, leden)};
    TempTree t2{file("b.txt", 5, leden)};
    otevri();
    porovnej(t1.qroot(), t2.qroot());
    okno->vysledky().seznam(1)->selectAll();
    okno->PageControl1->setCurrentIndex(0);
    okno->strankaNastaveni().adresar1->setFocus();
    ASSERT_TRUE(pockej([&] { return okno->strankaNastaveni().adresar1->hasFocus(); }));
    okno->strankaNastaveni().adresar1->lineEdit()->setCursorPosition(0);
    QTest::keyClick(okno->strankaNastaveni().adresar1->lineEdit(), Qt::Key_Delete);
    EXPECT_EQ(okno->strankaNastaveni().adresar1->currentText(), t1.qroot().mid(1));
    EXPECT_EQ(pocet(1), 1);
    EXPECT_EQ(pocet(2), 1);
}

} // namespace
} // namespace zrc::test
