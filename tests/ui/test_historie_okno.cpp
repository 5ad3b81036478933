// The "Historie:" group of the main window on the offscreen platform: paging
// with the buttons and the window-wide keys, the position label, loading an
// entry into every control, and the options of the group.
#include "test_okno_pomoc.h"

#include "ui/volby_ovladacu.h"

#include "settings/historie.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace zrc::test {
namespace {

class Historie : public OknoTest {
protected:
    // Entries H1..Hpocet: entry n has directory "/h<n>" and depth 10 + n.
    void zapisZaznamy(int pocet)
    {
        for (int n = pocet; n >= 1; --n) {
            NastaveniPorovnani z;
            z.adresar1 = QStringLiteral("/h%1").arg(n);
            z.SE_Filtr_3 = 10 + n;
            ASSERT_TRUE(HistoriePridej(cestaIni(), z, QDate::currentDate()).ok());
        }
    }
    void stav(const char* popis, bool predchozi, bool dalsi)
    {
        EXPECT_EQ(okno->strankaNastaveni().LH->text(), QString::fromLatin1(popis));
        EXPECT_EQ(okno->strankaNastaveni().SBHP->isEnabled(), predchozi) << popis;
        EXPECT_EQ(okno->strankaNastaveni().SBHD->isEnabled(), dalsi) << popis;
    }
    void klavesa(Qt::Key k)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : okno.get(), k,
                        Qt::ControlModifier);
    }
};

TEST_F(Historie, PrazdnaHistorie)
{
    otevri();
    stav("-", false, false);
    klavesa(Qt::Key_Right);
    klavesa(Qt::Key_Left);
    stav("-", false, false);
}

// The window opens with entry 1; three steps older show 4/5 and load H4, a
// fourth 5/5 and disables SBHD; Ctrl+Right once more changes nothing.
TEST_F(Historie, StrankovaniOd1Do5)
{
    zapisZaznamy(5);
    otevri();
    stav("1/5", false, true);
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_3->value(), 11);
    EXPECT_EQ(okno->strankaNastaveni().adresar1->currentText(), QStringLiteral("/h1"));
    for (int i = 0; i < 3; ++i)
        okno->strankaNastaveni().SBHD->click();
    stav("4/5", true, true);
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_3->value(), 14);
    okno->strankaNastaveni().SBHD->click();
    stav("5/5", true, false);
    okno->strankaNastaveni().SE_Filtr_3->setFocus();
    klavesa(Qt::Key_Right);
    stav("5/5", true, false);
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_3->value(), 15);
    klavesa(Qt::Key_Left);
    stav("4/5", true, true);
    EXPECT_EQ(okno->strankaNastaveni().adresar1->currentText(), QStringLiteral("/h4"));
}

// A start with directories on its command line does not load the newest entry.
TEST_F(Historie, StartSAdresariNenactiHistorii)
{
    zapisZaznamy(2);
    otevri();
    okno = std::make_unique<TForm1>(cestaIni(), nullptr, TForm1::Start::BezHistorie);
    stav("-", false, true);
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_3->value(), 0);
    EXPECT_TRUE(okno->strankaNastaveni().adresar1->currentText().isEmpty());
}

// A change of a recorded control shows "-"; a step older then loads entry 1.
TEST_F(Historie, ZmenaVratiPomlcku)
{
    zapisZaznamy(5);
    otevri();
    okno->strankaNastaveni().SBHD->click();
    okno->strankaNastaveni().SBHD->click();
    stav("3/5", true, true);
    okno->strankaNastaveni().SE_Filtr_3->setValue(2);
    stav("-", false, true);
    okno->strankaNastaveni().SBHD->click();
    stav("1/5", false, true);
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_3->value(), 11);
    for (QCheckBox* chb : {okno->strankaNastaveni().ChB_adresar1, okno->strankaNastaveni().ChB_Filtr_1, okno->strankaNastaveni().ChBIgnorCasFiltr}) {
        chb->toggle();
        stav("-", false, true);
        okno->strankaNastaveni().SBHD->click();
    }
    okno->strankaNastaveni().adresar2->setEditText(QStringLiteral("/jinam"));
    stav("-", false, true);
    okno->strankaNastaveni().SBHD->click();
    okno->vysledky().CBMazPodAdr->toggle();   // not part of the position
    EXPECT_EQ(okno->strankaNastaveni().LH->text(), QStringLiteral("1/5"));
}

// In a directory combo box Ctrl+Left steps the history instead of moving the caret.
// Passing through the choice boxes with Tab (no choice changed) keeps the
// loaded entry's position, so paging goes on from it.
TEST_F(Historie, PruchodVolbamiPonechaPozici)
{
    zapisZaznamy(2);
    otevri();
    StrankaNastaveni& n = okno->strankaNastaveni();
    stav("1/2", false, true);
    for (QComboBox* volba : {n.CB_Filtr_1, n.ChB_Filtr_1_Posledni, n.CB_Filtr_2, n.CBOmez}) {
        volba->setFocus();
        ASSERT_TRUE(pockej([&] { return volba->hasFocus(); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(pockej([&] { return !volba->hasFocus(); }));
    }
    stav("1/2", false, true);
    n.CBOmez->setCurrentIndex(1);   // a real change
    EXPECT_EQ(n.LH->text(), QStringLiteral("-"));
}

TEST_F(Historie, CtrlVlevoVAdresari)
{
    zapisZaznamy(3);
    otevri();
    okno->strankaNastaveni().SBHD->click();
    okno->strankaNastaveni().SBHD->click();
    okno->strankaNastaveni().adresar2->setFocus();
    ASSERT_TRUE(pockej([&] { return okno->strankaNastaveni().adresar2->lineEdit()->hasFocus() || okno->strankaNastaveni().adresar2->hasFocus(); }));
    QTest::keyClick(okno->strankaNastaveni().adresar2->lineEdit(), Qt::Key_Left, Qt::ControlModifier);
    stav("2/3", true, true);
    QTest::keyClick(okno->strankaNastaveni().adresar2->lineEdit(), Qt::Key_Right, Qt::ControlModifier);
    stav("3/3", true, false);
}

// With "bez adresářů" the directory texts stay, everything else is loaded.
TEST_F(Historie, BezAdresaru)
{
    zapisZaznamy(2);
    otevri();
    okno->strankaNastaveni().ChBHBezAdr->setChecked(true);
    okno->strankaNastaveni().adresar1->setEditText(QStringLiteral("/muj"));
    okno->strankaNastaveni().SBHD->click();
    stav("1/2", false, true);
    okno->strankaNastaveni().SBHD->click();
    stav("2/2", true, false);
    EXPECT_EQ(okno->strankaNastaveni().adresar1->currentText(), QStringLiteral("/muj"));
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_3->value(), 12);
}

// Ctrl+H from any control toggles "nepřidávat"; the choice survives a restart.
TEST_F(Historie, CtrlHPrezijeRestart)
{
    otevri();
    EXPECT_FALSE(okno->strankaNastaveni().ChBHNepridavat->isChecked());
    okno->strankaNastaveni().SE_Filtr_3->setFocus();
    klavesa(Qt::Key_H);
    EXPECT_TRUE(okno->strankaNastaveni().ChBHNepridavat->isChecked());
    okno->close();
    okno.reset();
    otevri();
    EXPECT_TRUE(okno->strankaNastaveni().ChBHNepridavat->isChecked());
}

// Dates are stored as days before saving: an entry saved a week ago with a
// date three days before that loads as three days before today. Its mode
// "po datu" shows the date fields and its count is computed from them.
TEST_F(Historie, ZaznamUlozenyPredTydnem)
{
    const QDate ulozeno = QDate::currentDate().addDays(-7);
    NastaveniPorovnani z;
    z.ChB_Filtr_1 = true;
    z.CB_Filtr_1 = 2;
    z.ChB_Filtr_1_Posledni = 1;
    z.DTP_Filtr_1_OdData = ulozeno.addDays(-3);
    z.ME_Filtr_1_OdData = QStringLiteral("00:00");
    z.SE_Filtr_2_Posledni = 2;   // mode 1: the hidden date follows the count
    z.CBOmez = 3;
    ASSERT_TRUE(HistoriePridej(cestaIni(), z, ulozeno).ok());
    otevri();
    stav("1/1", false, true);
    EXPECT_EQ(okno->strankaNastaveni().DTP_Filtr_1_OdData->date(), QDate::currentDate().addDays(-3));
    EXPECT_TRUE(okno->strankaNastaveni().DTP_Filtr_1_OdData->isVisible());
    EXPECT_FALSE(okno->strankaNastaveni().SE_Filtr_1_Posledni->isVisible());
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_1_Posledni->value(), 3);
    EXPECT_TRUE(okno->strankaNastaveni().ChB_Filtr_1->isChecked());
    EXPECT_EQ(okno->strankaNastaveni().DTP_Filtr_2_OdData->date(), QDate::currentDate().addDays(-2));
    EXPECT_EQ(textCasovehoPole(okno->strankaNastaveni().ME_Filtr_2_OdData), QStringLiteral("00:00"));
    EXPECT_EQ(okno->strankaNastaveni().CBOmez->currentText(), QStringLiteral("2) jen adresář číslo2"));
    const NastaveniPorovnani n = okno->nastaveni();
    EXPECT_EQ(n.CB_Filtr_1, 2);
    EXPECT_EQ(n.CBOmez, 3);
}

// Item numbers outside a combo box's items load clamped into its range.
TEST_F(Historie, CisloMimoRozsahSeOrizne)
{
    NastaveniPorovnani z;
    z.CB_Filtr_2 = 9;
    z.ChB_Filtr_1_Posledni = 0;
    z.CBOmez = -4;
    ASSERT_TRUE(HistoriePridej(cestaIni(), z, QDate::currentDate()).ok());
    otevri();
    const NastaveniPorovnani n = okno->nastaveni();
    EXPECT_EQ(n.CB_Filtr_2, 2);
    EXPECT_EQ(okno->strankaNastaveni().CB_Filtr_2->currentText(), QStringLiteral("po datu"));
    EXPECT_EQ(n.ChB_Filtr_1_Posledni, 1);
    EXPECT_EQ(n.CBOmez, 1);
}

// A record stored and loaded again gives back every field of the page.
TEST_F(Historie, ZaznamTamAZpet)
{
    otevri();
    okno->strankaNastaveni().adresar1->setEditText(QStringLiteral("/a"));
    okno->strankaNastaveni().ChB_adresar2->setChecked(false);
    okno->strankaNastaveni().ChB_Filtr_2->setChecked(true);
    okno->strankaNastaveni().CB_Filtr_2->setCurrentIndex(1);
    okno->strankaNastaveni().DTP_Filtr_2_OdData->setDate(QDate::currentDate().addDays(-40));
    nastavTextCasovehoPole(okno->strankaNastaveni().ME_Filtr_2_OdData, QStringLiteral(" 7:45"));
    okno->strankaNastaveni().ChB_Filtr_1_Posledni->setCurrentIndex(2);
    okno->strankaNastaveni().SE_Filtr_1_Posledni->setValue(90);
    okno->strankaNastaveni().ChB_Filtr_3->setChecked(true);
    okno->strankaNastaveni().SE_Filtr_3->setValue(4);
    okno->strankaNastaveni().CBOmez->setCurrentIndex(1);
    okno->strankaNastaveni().ChBIgnorCasFiltr->setChecked(false);
    okno->vysledky().SEMazUroven->setValue(2);
    const NastaveniPorovnani ulozene = okno->nastaveni();
    ASSERT_TRUE(HistoriePridej(cestaIni(), ulozene, QDate::currentDate()).ok());
    okno->close();
    okno.reset();
    otevri();
    // The hidden representation of each time filter is brought in line on load.
    NastaveniPorovnani nactene = okno->nastaveni();
    EXPECT_EQ(nactene.SE_Filtr_2_Posledni, 40);   // 39 days 16 h 15 min
    nactene.SE_Filtr_2_Posledni = ulozene.SE_Filtr_2_Posledni;
    nactene.DTP_Filtr_1_OdData = ulozene.DTP_Filtr_1_OdData;
    nactene.ME_Filtr_1_OdData = ulozene.ME_Filtr_1_OdData;
    EXPECT_EQ(nactene, ulozene);
}

} // namespace
} // namespace zrc::test
