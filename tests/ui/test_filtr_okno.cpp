// The "Filtr:" group of the main window on the offscreen platform: the two
// representations of a time filter, the typed time, dates from dropped files
// and directories or the file dialog, and a run that meets a broken time.
#include "test_okno_pomoc.h"
#include "support/temp_tree.h"

#include "ui/beh_porovnani.h"
#include "ui/stranky_vysledku.h"
#include "ui/volby_ovladacu.h"
#include "ui/vysledky_model.h"

#include "engine/cas.h"
#include "engine/porovnani.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>
#include <QUrl>

namespace zrc::test {
namespace {

class Filtr : public OknoTest {
protected:
    // Moves the focus into w and out again to the "about" button: w's exit.
    void projdi(QWidget* w)
    {
        w->setFocus();
        ASSERT_TRUE(pockej([&] { return w->hasFocus(); }));
        okno->strankaNastaveni().Button18->setFocus();
        ASSERT_TRUE(pockej([&] { return okno->strankaNastaveni().Button18->hasFocus() || !zpravy.isEmpty(); }));
    }
    static void pust(QWidget* cil, const QString& cesta)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(cesta)});
        QDragEnterEvent vstup(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cil, &vstup);
        QDropEvent pusteni(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cil, &pusteni);
    }
    bool poDatuViditelne(int filtr) const
    {
        const bool prvni = filtr == 1;
        return (prvni ? okno->strankaNastaveni().DTP_Filtr_1_OdData : okno->strankaNastaveni().DTP_Filtr_2_OdData)->isVisible()
            && (prvni ? okno->strankaNastaveni().ME_Filtr_1_OdData : okno->strankaNastaveni().ME_Filtr_2_OdData)->isVisible()
            && (prvni ? okno->strankaNastaveni().B_Filtr_1_OdData : okno->strankaNastaveni().B_Filtr_2_OdData)->isVisible()
            && !(prvni ? okno->strankaNastaveni().SE_Filtr_1_Posledni : okno->strankaNastaveni().SE_Filtr_2_Posledni)->isVisible()
            && !(prvni ? okno->strankaNastaveni().ChB_Filtr_1_Posledni : okno->strankaNastaveni().ChB_Filtr_2_Posledni)->isVisible();
    }
};

TEST_F(Filtr, PocatecniStavSkupiny)
{
    otevri();
    const NastaveniPorovnani n = okno->nastaveni();
    for (int filtr : {1, 2}) {
        EXPECT_FALSE(poDatuViditelne(filtr));
        EXPECT_FALSE((filtr == 1 ? okno->strankaNastaveni().DTP_Filtr_1_OdData : okno->strankaNastaveni().DTP_Filtr_2_OdData)->isVisible());
    }
    EXPECT_FALSE(n.ChB_Filtr_1 || n.ChB_Filtr_2 || n.ChB_Filtr_3);
    EXPECT_EQ(n.CB_Filtr_1, 1);
    EXPECT_EQ(n.CB_Filtr_2, 1);
    EXPECT_EQ(n.ChB_Filtr_1_Posledni, 1);
    EXPECT_EQ(n.SE_Filtr_1_Posledni, 0);
    EXPECT_EQ(n.DTP_Filtr_1_OdData, QDate(2000, 7, 10));
    EXPECT_EQ(n.ME_Filtr_2_OdData, QStringLiteral("10:00"));
    EXPECT_EQ(n.CBOmez, 1);
    EXPECT_EQ(okno->strankaNastaveni().CB_Filtr_1->currentText(), QStringLiteral("za posledních"));
    EXPECT_EQ(okno->strankaNastaveni().ChB_Filtr_2_Posledni->currentText(), QStringLiteral("dnů"));
    EXPECT_EQ(okno->strankaNastaveni().LH->text(), QStringLiteral("-"));
}

// 3 "dnů" shown as a date is midnight three days ago; back again with the
// date unchanged it is 3 again. The time field switches the long time format.
TEST_F(Filtr, TriDnyNaPoDatuAZpet)
{
    otevri();
    okno->strankaNastaveni().SE_Filtr_1_Posledni->setValue(3);
    okno->strankaNastaveni().CB_Filtr_1->setCurrentIndex(1);
    EXPECT_EQ(tagVolby(okno->strankaNastaveni().CB_Filtr_1), 2);
    EXPECT_TRUE(poDatuViditelne(1));
    EXPECT_EQ(okno->strankaNastaveni().DTP_Filtr_1_OdData->date(), QDate::currentDate().addDays(-3));
    EXPECT_EQ(textCasovehoPole(okno->strankaNastaveni().ME_Filtr_1_OdData), QStringLiteral("00:00"));
    EXPECT_EQ(okno->vysledky().uloziste().formatCasu(), DlouhyFormatCasu::HodinyMinuty);
    okno->strankaNastaveni().SE_Filtr_1_Posledni->setValue(0);   // hidden: not converted back by itself
    okno->strankaNastaveni().CB_Filtr_1->setCurrentIndex(0);
    EXPECT_FALSE(poDatuViditelne(1));
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_1_Posledni->value(), 3);
    EXPECT_EQ(okno->nastaveni().CB_Filtr_1, 1);
}

// The unit is only a reading of the count: 3 "dnů" becomes 3 "hodin".
TEST_F(Filtr, ZmenaJednotkyPonechaPocet)
{
    otevri();
    okno->strankaNastaveni().SE_Filtr_2_Posledni->setValue(3);
    okno->strankaNastaveni().ChB_Filtr_2_Posledni->setCurrentIndex(1);
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_2_Posledni->value(), 3);
    EXPECT_EQ(okno->nastaveni().ChB_Filtr_2_Posledni, 2);
    // A typed unit counts once it matches an item (A-Z without case).
    okno->strankaNastaveni().ChB_Filtr_2_Posledni->setEditText(QStringLiteral("MINU"));
    EXPECT_EQ(okno->nastaveni().ChB_Filtr_2_Posledni, 2);
    okno->strankaNastaveni().ChB_Filtr_2_Posledni->setEditText(QStringLiteral("MINUT"));
    EXPECT_EQ(okno->nastaveni().ChB_Filtr_2_Posledni, 3);
}

// Opening the mode's drop-down list or passing through it with Tab changes
// nothing: the typed count, date and time stay, converted from nothing stale.
TEST_F(Filtr, PruchodRezimemNeprepiseZadani)
{
    otevri();
    StrankaNastaveni& n = okno->strankaNastaveni();
    n.SE_Filtr_1_Posledni->setValue(3);
    n.CB_Filtr_1->showPopup();
    n.CB_Filtr_1->hidePopup();
    projdi(n.CB_Filtr_1);
    EXPECT_EQ(n.SE_Filtr_1_Posledni->value(), 3);
    n.CB_Filtr_1->setCurrentIndex(1);   // "po datu": the date follows from the count
    EXPECT_EQ(n.DTP_Filtr_1_OdData->date(), QDate::currentDate().addDays(-3));
    n.DTP_Filtr_1_OdData->setDate(QDate(2026, 3, 1));
    nastavTextCasovehoPole(n.ME_Filtr_1_OdData, QStringLiteral("10:15"));
    n.CB_Filtr_1->showPopup();
    n.CB_Filtr_1->hidePopup();
    projdi(n.CB_Filtr_1);
    EXPECT_EQ(n.DTP_Filtr_1_OdData->date(), QDate(2026, 3, 1));
    EXPECT_EQ(textCasovehoPole(n.ME_Filtr_1_OdData), QStringLiteral("10:15"));
    EXPECT_TRUE(zpravy.isEmpty());
}

// A date ahead of today makes a negative count, which the field shows as 0.
TEST_F(Filtr, DatumVBudoucnuDaNulu)
{
    otevri();
    StrankaNastaveni& n = okno->strankaNastaveni();
    n.SE_Filtr_1_Posledni->setValue(4);
    n.CB_Filtr_1->setCurrentIndex(1);
    n.DTP_Filtr_1_OdData->setDate(QDate::currentDate().addDays(10));
    n.CB_Filtr_1->setCurrentIndex(0);
    EXPECT_EQ(n.SE_Filtr_1_Posledni->value(), 0);
}

// A text that is no item keeps the previous choice and the focus.
TEST_F(Filtr, NeznamyRezimSeNeprevezme)
{
    otevri();
    okno->strankaNastaveni().CB_Filtr_1->setEditText(QStringLiteral("po datum"));
    EXPECT_EQ(tagVolby(okno->strankaNastaveni().CB_Filtr_1), 1);
    EXPECT_FALSE(poDatuViditelne(1));
    okno->strankaNastaveni().CB_Filtr_1->setEditText(QStringLiteral("PO DATU"));
    EXPECT_EQ(tagVolby(okno->strankaNastaveni().CB_Filtr_1), 2);
    EXPECT_TRUE(poDatuViditelne(1));
}

struct PripadCasu {
    const char* text;
    bool spravny;
};
void PrintTo(const PripadCasu& p, std::ostream* os) { *os << '"' << p.text << '"'; }

class CasFiltru : public Filtr, public testing::WithParamInterface<PripadCasu> {};

// Leaving the time field checks it: a wrong text gives one error box without
// a sound of its own (the beep came before it), the text stays as typed and
// the focus goes back.
TEST_P(CasFiltru, KontrolaPriOdchodu)
{
    otevri();
    okno->strankaNastaveni().CB_Filtr_2->setCurrentIndex(1);
    QList<ZadostHlaseni> zadosti;
    NahradaHlaseni zaznam([&](const ZadostHlaseni& z) {
        zadosti << z;
        zpravy << z.text;
        return Odpoved::OK;
    });
    okno->strankaNastaveni().ME_Filtr_2_OdData->setFocus();
    ASSERT_TRUE(pockej([&] { return okno->strankaNastaveni().ME_Filtr_2_OdData->hasFocus(); }));
    nastavTextCasovehoPole(okno->strankaNastaveni().ME_Filtr_2_OdData, QString::fromLatin1(GetParam().text));
    okno->strankaNastaveni().Button18->setFocus();
    if (GetParam().spravny) {
        EXPECT_TRUE(zadosti.isEmpty());
        return;
    }
    ASSERT_EQ(zadosti.size(), 1);
    EXPECT_EQ(zadosti[0].text, QStringLiteral("Chybný formát"));
    EXPECT_EQ(zadosti[0].druh, DruhHlaseni::Chyba);
    EXPECT_EQ(zadosti[0].tlacitka, Tlacitka(Tlacitko::OK));
    EXPECT_FALSE(zadosti[0].sezvukem);
    EXPECT_TRUE(pockej([&] { return okno->strankaNastaveni().ME_Filtr_2_OdData->hasFocus(); }));
    EXPECT_EQ(textCasovehoPole(okno->strankaNastaveni().ME_Filtr_2_OdData), QString::fromLatin1(GetParam().text).leftJustified(5));
}

INSTANTIATE_TEST_SUITE_P(Texty, CasFiltru, testing::Values(
    PripadCasu{"25:00", false}, PripadCasu{"12:60", false}, PripadCasu{"12:5", false},
    PripadCasu{"1 :30", false}, PripadCasu{" 9:05", true}, PripadCasu{"23:59", true}));

// The directory's own time on filter 1, the file's time on filter 2; the
// mode, the count and the unit stay.
TEST_F(Filtr, PusteniAdresareASouboru)
{
    otevri();
    TempTree strom{dir("adr", localTime(2021, 3, 4, 5, 6, 7)), file("soubor.txt", 3, localTime(2022, 11, 12, 13, 14, 15))};
    okno->strankaNastaveni().SE_Filtr_1_Posledni->setValue(7);
    pust(okno->strankaNastaveni().B_Filtr_1_OdData, QString::fromStdString(strom.path("adr")));
    EXPECT_EQ(okno->strankaNastaveni().DTP_Filtr_1_OdData->date(), QDate(2021, 3, 4));
    EXPECT_EQ(textCasovehoPole(okno->strankaNastaveni().ME_Filtr_1_OdData), QStringLiteral("05:06"));
    EXPECT_EQ(okno->strankaNastaveni().SE_Filtr_1_Posledni->value(), 7);
    EXPECT_EQ(tagVolby(okno->strankaNastaveni().CB_Filtr_1), 1);
    pust(okno->strankaNastaveni().B_Filtr_2_OdData, QString::fromStdString(strom.path("soubor.txt")));
    EXPECT_EQ(okno->strankaNastaveni().DTP_Filtr_2_OdData->date(), QDate(2022, 11, 12));
    EXPECT_EQ(textCasovehoPole(okno->strankaNastaveni().ME_Filtr_2_OdData), QStringLiteral("13:14"));
    // Something that does not exist changes nothing.
    pust(okno->strankaNastaveni().B_Filtr_2_OdData, QString::fromStdString(strom.path("nic")));
    EXPECT_EQ(okno->strankaNastaveni().DTP_Filtr_2_OdData->date(), QDate(2022, 11, 12));
}

// The file dialog: a cancel takes the date of the file chosen last time again.
TEST_F(Filtr, DialogSouboruAZruseni)
{
    otevri();
    TempTree strom{file("a.txt", 1, localTime(2023, 5, 6, 7, 8, 0))};
    const QString cesta = QString::fromStdString(strom.path("a.txt"));
    QTimer::singleShot(0, [&] {
        ASSERT_NE(okno->strankaNastaveni().Dialog_Filtr_1, nullptr);
        EXPECT_EQ(okno->strankaNastaveni().Dialog_Filtr_1->windowTitle(), QStringLiteral("Dle souboru .."));
        EXPECT_EQ(okno->strankaNastaveni().Dialog_Filtr_1->nameFilters(), QStringList{QStringLiteral("všechny soubory (*)")});
        okno->strankaNastaveni().Dialog_Filtr_1->selectFile(cesta);
        static_cast<QDialog*>(okno->strankaNastaveni().Dialog_Filtr_1)->accept();   // QFileDialog hides it
    });
    okno->strankaNastaveni().B_Filtr_1_OdDataClick();
    EXPECT_EQ(okno->strankaNastaveni().DTP_Filtr_1_OdData->date(), QDate(2023, 5, 6));
    EXPECT_EQ(textCasovehoPole(okno->strankaNastaveni().ME_Filtr_1_OdData), QStringLiteral("07:08"));
    okno->strankaNastaveni().DTP_Filtr_1_OdData->setDate(QDate(2001, 1, 1));
    QTimer::singleShot(0, [&] { okno->strankaNastaveni().Dialog_Filtr_1->reject(); });
    okno->strankaNastaveni().B_Filtr_1_OdDataClick();
    EXPECT_EQ(okno->strankaNastaveni().DTP_Filtr_1_OdData->date(), QDate(2023, 5, 6));
}

// A run started while a "po datu" time is broken does not begin: the error,
// the focus in that field, the window idle. Filter 2 is off and still checked.
TEST_F(Filtr, BehSChybnymCasemNezacne)
{
    otevri();
    TempTree a{file("x.txt", 1)}, b;
    okno->strankaNastaveni().adresar1->setEditText(a.qroot());
    okno->strankaNastaveni().adresar2->setEditText(b.qroot());
    okno->strankaNastaveni().CB_Filtr_2->setCurrentIndex(1);
    nastavTextCasovehoPole(okno->strankaNastaveni().ME_Filtr_2_OdData, QStringLiteral("12:60"));
    QSignalSpy beh(&okno->beh(), &BehPorovnani::behZmenen);
    okno->strankaNastaveni().Button4->click();
    EXPECT_EQ(zpravy, QStringList{QStringLiteral("Chybný formát")});
    EXPECT_TRUE(pockej([&] { return okno->strankaNastaveni().ME_Filtr_2_OdData->hasFocus(); }));
    EXPECT_FALSE(okno->beh().bezi());
    EXPECT_EQ(beh.count(), 0);
    EXPECT_EQ(okno->strankaNastaveni().Button4->text(), QStringLiteral("&Porovnej"));
    EXPECT_FALSE(okno->strankaNastaveni().ProgressBar1->isVisible());
}

// Once a time field has been filled, the "datum" column shows hours and
// minutes without seconds, in the lists of this run and of later ones.
TEST_F(Filtr, SloupecDatumPoPrevoduBezSekund)
{
    otevri();
    TempTree a{file("x.txt", 1, localTime(2024, 3, 5, 10, 20, 30))}, b;
    auto porovnej = [&] {
        okno->strankaNastaveni().adresar1->setEditText(a.qroot());
        okno->strankaNastaveni().adresar2->setEditText(b.qroot());
        QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
        okno->strankaNastaveni().Button4->click();
        ASSERT_TRUE(konec.count() > 0 || konec.wait(20000));
    };
    auto datum = [&] {
        return okno->vysledky().model(1)->data(okno->vysledky().model(1)->index(0, 2)).toString();
    };
    porovnej();
    EXPECT_EQ(datum(), QStringLiteral("2024.03.05 10:20:30"));
    okno->PageControl1->setCurrentIndex(0);
    okno->strankaNastaveni().CB_Filtr_1->setCurrentIndex(1);
    EXPECT_EQ(datum(), QStringLiteral("2024.03.05 10:20"));
    okno->strankaNastaveni().CB_Filtr_1->setCurrentIndex(0);
    porovnej();
    EXPECT_EQ(datum(), QStringLiteral("2024.03.05 10:20"));
}

// The on/off fields reach the run's live options at once.
TEST_F(Filtr, ZapnutiDosahneZivychVoleb)
{
    otevri();
    okno->strankaNastaveni().ChB_Filtr_1->setChecked(true);
    okno->strankaNastaveni().ChB_Filtr_3->setChecked(true);
    EXPECT_TRUE(okno->beh().ziveVolby().ChB_Filtr_1.load());
    EXPECT_TRUE(okno->beh().ziveVolby().ChB_Filtr_3.load());
    okno->strankaNastaveni().ChB_Filtr_1->setChecked(false);
    EXPECT_FALSE(okno->beh().ziveVolby().ChB_Filtr_1.load());
}

} // namespace
} // namespace zrc::test
