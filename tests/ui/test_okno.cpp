// The main window on the offscreen platform: design geometry and unclipped
// Czech captions, the proportional zoom, the action tags, the window-wide
// shortcuts, the directory fields (creation, drop) and a failing INI file.
#include "test_okno_pomoc.h"

#include "ui/stranky_vysledku.h"
#include "ui/skalovani.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

namespace zrc::test {
namespace {

using Okno = OknoTest;

TEST_F(Okno, OvladaceNaNavrhovychMistech)
{
    otevri();
    EXPECT_EQ(okno->size(), QSize(632, 449));
    EXPECT_EQ(okno->windowTitle(), QStringLiteral("Zrcadlovač - Květodílna"));
    EXPECT_EQ(okno->strankaNastaveni().GroupBox2->geometry(), QRect(67, 6, 490, 60));
    EXPECT_EQ(okno->strankaNastaveni().adresar1->geometry(), QRect(40, 15, 377, 24));
    EXPECT_EQ(okno->strankaNastaveni().GroupBox7->geometry(), QRect(67, 67, 490, 60));
    EXPECT_EQ(okno->strankaNastaveni().adresar2->geometry(), QRect(39, 15, 378, 24));
    EXPECT_EQ(okno->strankaNastaveni().GroupBox1->geometry(), QRect(24, 130, 569, 87));
    EXPECT_EQ(okno->strankaNastaveni().GroupBox3->geometry(), QRect(24, 220, 340, 69));
    EXPECT_EQ(okno->strankaNastaveni().GB_Historie->geometry(), QRect(374, 220, 219, 69));
    EXPECT_EQ(okno->strankaNastaveni().Button4->geometry(), QRect(440, 292, 115, 55));
    EXPECT_EQ(okno->strankaNastaveni().Button18->geometry(), QRect(195, 322, 110, 25));
    EXPECT_EQ(okno->strankaNastaveni().Button3->geometry(), QRect(320, 322, 110, 25));
    EXPECT_EQ(okno->vysledky().BB[5]->geometry(), QRect(525, 28, 103, 20));
    EXPECT_FALSE(okno->strankaNastaveni().ProgressBar1->isVisible());
    EXPECT_FALSE(okno->vysledky().PAkce->isVisible());
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(okno->PageControl1->isTabVisible(i));
    EXPECT_EQ(okno->PageControl1->tabText(0), QStringLiteral("Nastavení"));
    EXPECT_EQ(okno->strankaNastaveni().Button4->text(), QStringLiteral("&Porovnej"));
}

// Every caption fits its control at the design size: check boxes, labels
// and buttons of the settings page and of the action panel.
TEST_F(Okno, CeskePopiskyNejsouOriznute)
{
    otevri();
    okno->vysledky().PAkce->show();
    QList<QWidget*> ovladace = okno->strankaNastaveni().findChildren<QWidget*>();
    ovladace += okno->vysledky().PAkce->findChildren<QWidget*>();
    int overeno = 0;
    for (QWidget* w : ovladace) {
        const bool popisek = qobject_cast<QCheckBox*>(w) || qobject_cast<QLabel*>(w);
        const QString text = w->property("text").toString();
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            // Push buttons: the text and a 3-pixel margin on each side.
            const int sirkaTextu = QFontMetrics(b->font()).horizontalAdvance(QString(text).remove(QLatin1Char('&')));
            EXPECT_LE(sirkaTextu + 6, b->width()) << text.toStdString();
        } else if (popisek && !w->parentWidget()->inherits("QComboBox") && !w->parentWidget()->inherits("QSpinBox")) {
            EXPECT_LE(w->sizeHint().width(), w->width()) << text.toStdString();
        } else {
            continue;
        }
        ++overeno;
    }
    EXPECT_GE(overeno, 25);
    for (QGroupBox* g : okno->strankaNastaveni().findChildren<QGroupBox*>())
        EXPECT_LT(QFontMetrics(g->font()).horizontalAdvance(g->title()), g->width() - 20);
}

struct PripadZvetseni {
    QSize nova;
    QSize ocekavana;
    double meritko;
};
class ZvetseniOkna : public OknoTest, public ::testing::WithParamInterface<PripadZvetseni> {};

TEST_P(ZvetseniOkna, PomerStranZustava632Ku449)
{
    otevri();
    const auto& p = GetParam();
    okno->resize(p.nova);
    ASSERT_TRUE(pockej([&] { return okno->size() == p.ocekavana; })) << okno->width() << "x" << okno->height();
    EXPECT_DOUBLE_EQ(okno->skalovani().meritko(), p.meritko);
    EXPECT_EQ(okno->skalovani().RefSirka, p.ocekavana.width());
    EXPECT_EQ(okno->skalovani().RefVyska, p.ocekavana.height());
    const QRect b = okno->strankaNastaveni().Button4->geometry();
    EXPECT_NEAR(b.left(), 440 * p.meritko, 1);
    EXPECT_NEAR(b.width(), 115 * p.meritko, 1);
    EXPECT_NEAR(b.height(), 55 * p.meritko, 1);
    // Fonts follow, also inside the edit box of a combo box.
    EXPECT_NEAR(okno->strankaNastaveni().adresar1->lineEdit()->font().pixelSize(), 12 * p.meritko, 0.5);
    EXPECT_NEAR(okno->vysledky().BB[0]->font().pixelSize(), 11 * p.meritko, 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Velikosti, ZvetseniOkna,
    ::testing::Values(
        // only wider: the height's factor (1) wins, the width snaps back
        PripadZvetseni{{900, 449}, {632, 449}, 1.0},
        // 1.5 in both: 673.5 rounds to the even 674
        PripadZvetseni{{948, 674}, {948, 674}, 1.5},
        // taller than the width allows: zoom by the width, the height snaps
        PripadZvetseni{{790, 700}, {790, 561}, 790.0 / 632}));

TEST(KrokSkalovani, PolovinyKSudemu)
{
    // 632 x 100.5 / 100: 635.16 -> 635; the factor comes from the height
    const KrokSkalovani k = krokSkalovani({700, 451}, 632, 449);
    EXPECT_EQ(k.klient, QSize(635, 451));
    EXPECT_DOUBLE_EQ(k.faktor, 451.0 / 449);
    // rw = rh exactly: the height branch, nothing snaps
    EXPECT_EQ(krokSkalovani({1264, 898}, 632, 449).klient, QSize(1264, 898));
}

TEST_F(Okno, AktivniSeznamRozsiriStranuANastaviTagy)
{
    otevri();
    for (int tag : {1, 4, 6}) {
        okno->PageControl1->setTabVisible((tag + 1) / 2, true);
        okno->PageControl1->setCurrentIndex((tag + 1) / 2);
        QApplication::processEvents();
        okno->UpravVelikostList(tag);
        const int sirka = okno->vysledky().stranky[(tag + 1) / 2 - 1]->width();
        const int vlevo = okno->vysledky().rozdelovace[(tag + 1) / 2 - 1]->sizes().at(0);
        EXPECT_EQ(vlevo, static_cast<int>((tag % 2 ? 0.75 : 0.25) * sirka)) << tag;
        EXPECT_EQ(okno->vysledky().BB[1]->property("Tag").toInt(), TagyAkci(tag)[1]);
        EXPECT_EQ(okno->vysledky().BB[4]->isEnabled(), tag > 2);
        EXPECT_TRUE(okno->vysledky().PAkce->isVisible());
    }
}

// Ctrl+F5 on the right "MENŠÍ" list: the command that reaches the file
// operations is directory 1's version copied over directory 2's, the twin in
// "VĚTŠÍ" going along.
TEST_F(Okno, TlacitkoPredaOperaciSeznamuSDekodovanymPrikazem)
{
    otevri();
    okno->PageControl1->setTabVisible(4, true);
    okno->PageControl1->setCurrentIndex(4);
    QApplication::processEvents();
    okno->UpravVelikostList(8);
    QSignalSpy operace(&okno->vysledky(), &StrankyVysledku::operace);
    okno->MPBB1Click(5);
    ASSERT_EQ(operace.count(), 1);
    const auto o = operace.at(0).at(0).value<Operace>();
    EXPECT_EQ(o, DekodujPrikaz(-84));
    EXPECT_EQ(o.seznam, 8);
    EXPECT_EQ(o.zdroj, Strana::Adresar1);
    EXPECT_EQ(o.cil, Strana::Adresar2);
    EXPECT_TRUE(o.odeberDvojce);
    EXPECT_EQ(operace.at(0).at(1).value<SeznamVysledku*>(), okno->vysledky().seznam(8));
}

// PopupMenu2 belongs to the window: its keys act whatever control has the
// focus, also over keys the control would use itself (Ctrl+H in an edit box);
// Ctrl+A is "vybrat vše" from every control but a text field.
class ZkratkyOkna : public OknoTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ZkratkyOkna, CtrlHZKterehokoliOvladace)
{
    otevri();
    QWidget* w = okno->findChild<QWidget*>(QString::fromLatin1(GetParam()));
    ASSERT_NE(w, nullptr);
    w->setFocus();
    ASSERT_TRUE(pockej([&] { return w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()); }));
    QWidget* cil = QApplication::focusWidget();
    const bool pred = okno->strankaNastaveni().ChBHNepridavat->isChecked();
    QTest::keyClick(cil, Qt::Key_H, Qt::ControlModifier);
    EXPECT_NE(okno->strankaNastaveni().ChBHNepridavat->isChecked(), pred);
    if (!qobject_cast<QAbstractButton*>(cil))
        return;
    QSignalSpy bb1(okno->vysledky().BB[0], &QPushButton::clicked);
    QTest::keyClick(cil, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(bb1.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ovladace, ZkratkyOkna,
                         ::testing::Values("adresar1", "adresar2", "Button18", "BBOpen1"));

// Ctrl+A in a text field selects its text: the focus stays and what is typed
// next replaces the text, instead of "vybrat vše" taking the focus into a
// list of a hidden page.
struct TextovePole {
    const char* nazev;
    QWidget* (*pole)(StrankaNastaveni&);
};

void PrintTo(const TextovePole& p, std::ostream* os) { *os << p.nazev; }

class CtrlAVTextovemPoli : public OknoTest, public ::testing::WithParamInterface<TextovePole> {};

TEST_P(CtrlAVTextovemPoli, VybereTextPole)
{
    otevri();
    QWidget* w = GetParam().pole(okno->strankaNastaveni());
    auto* text = qobject_cast<QLineEdit*>(w);
    if (!text)
        text = w->findChild<QLineEdit*>();
    ASSERT_NE(text, nullptr);
    if (auto* c = qobject_cast<QComboBox*>(w))
        c->setEditText(QStringLiteral("/stara/cesta"));
    w->setFocus();
    ASSERT_TRUE(pockej([&] { return w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()); }));
    QWidget* fokus = QApplication::focusWidget();
    const QString puvodni = text->text();
    ASSERT_FALSE(puvodni.isEmpty());
    QSignalSpy bb1(okno->vysledky().BB[0], &QPushButton::clicked);
    QTest::keyClick(fokus, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(bb1.count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), fokus);
    EXPECT_EQ(okno->PageControl1->currentIndex(), 0);
    EXPECT_EQ(text->selectedText(), puvodni);
    QTest::keyClick(fokus, Qt::Key_7);
    EXPECT_EQ(text->text(), QStringLiteral("7"));
}

INSTANTIATE_TEST_SUITE_P(
    Pole, CtrlAVTextovemPoli,
    ::testing::Values(TextovePole{"adresar1", [](StrankaNastaveni& s) -> QWidget* { return s.adresar1; }},
                      TextovePole{"adresar2", [](StrankaNastaveni& s) -> QWidget* { return s.adresar2; }},
                      TextovePole{"SE_Filtr_3", [](StrankaNastaveni& s) -> QWidget* { return s.SE_Filtr_3; }}),
    [](const auto& i) { return std::string(i.param.nazev); });

TEST_F(Okno, CtrlOPrepinaViditelneStranky)
{
    otevri();
    okno->PageControl1->setTabVisible(2, true);
    okno->PageControl1->setTabVisible(4, true);
    okno->strankaNastaveni().adresar1->setFocus();
    QList<int> stranky;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
        stranky << okno->PageControl1->currentIndex();
    }
    EXPECT_EQ(stranky, (QList<int>{2, 4, 0}));
    EXPECT_FALSE(okno->vysledky().PAkce->isVisible());
}

TEST_F(Okno, NeaktivniTlacitkoSeZkratkouNestiskne)
{
    otevri();
    QSignalSpy bb5(okno->vysledky().BB[4], &QPushButton::clicked);
    okno->UpravVelikostList(2);
    okno->MPBB1Click(5);
    EXPECT_EQ(bb5.count(), 0);
    okno->UpravVelikostList(3);
    okno->MPBB1Click(5);
    EXPECT_EQ(bb5.count(), 1);
}

TEST_F(Okno, StavovyTextAdresare)
{
    otevri();
    okno->strankaNastaveni().adresar2->setFocus();
    ASSERT_TRUE(pockej([&] { return okno->strankaNastaveni().adresar2->hasFocus(); }));
    EXPECT_EQ(okno->statusBar()->currentMessage(), QStringLiteral("Zadej adresář číslo 2 nebo použij výběr"));
    okno->strankaNastaveni().Button18->setFocus();
    ASSERT_TRUE(pockej([&] { return okno->statusBar()->currentMessage().isEmpty(); }));
}

TEST_F(Okno, VytvoreniAdresareHlasiVysledek)
{
    otevri();
    const QString novy = adresar_.filePath(QStringLiteral("a/b/c/"));
    okno->strankaNastaveni().adresar1->setEditText(novy);
    QTest::mouseClick(okno->strankaNastaveni().BBNew11, Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(adresar_.filePath(QStringLiteral("a/b/c"))).isDir());
    okno->strankaNastaveni().adresar2->setEditText(adresar_.path());
    QTest::mouseClick(okno->strankaNastaveni().BBNew2, Qt::LeftButton);
    okno->strankaNastaveni().adresar1->setEditText(QString());
    QTest::mouseClick(okno->strankaNastaveni().BBNew11, Qt::LeftButton);
    QFile soubor(adresar_.filePath(QStringLiteral("soubor")));
    ASSERT_TRUE(soubor.open(QIODevice::WriteOnly));
    soubor.close();
    okno->strankaNastaveni().adresar1->setEditText(adresar_.filePath(QStringLiteral("soubor/x")));
    QTest::mouseClick(okno->strankaNastaveni().BBNew11, Qt::LeftButton);
    EXPECT_EQ(zpravy, (QStringList{QStringLiteral("Adresář ") + novy + QStringLiteral(" vytvořen"),
                                   QStringLiteral("Adresář ") + adresar_.path() + QStringLiteral(" již existuje"),
                                   QStringLiteral("Unable to create directory"),
                                   QStringLiteral("Adresář ") + adresar_.filePath(QStringLiteral("soubor/x"))
                                       + QStringLiteral(" nelze vytvořit")}));
}

// Dropping from the file manager: a directory is taken whole, a file gives
// its directory with the trailing "/"; on the edit box as on the group.
TEST_F(Okno, PusteniSouboruNaAdresar)
{
    otevri();
    QDir(adresar_.path()).mkpath(QStringLiteral("A"));
    QFile f(adresar_.filePath(QStringLiteral("A/b.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    auto pust = [](QWidget* cil, const QString& cesta) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(cesta)});
        QDragEnterEvent vstup(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cil, &vstup);
        EXPECT_TRUE(vstup.isAccepted());
        QDropEvent pusteni(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cil, &pusteni);
        EXPECT_TRUE(pusteni.isAccepted());
    };
    pust(okno->strankaNastaveni().adresar2->lineEdit(), adresar_.filePath(QStringLiteral("A/b.txt")));
    EXPECT_EQ(okno->strankaNastaveni().adresar2->currentText(), adresar_.filePath(QStringLiteral("A/")));
    pust(okno->strankaNastaveni().GroupBox2, adresar_.filePath(QStringLiteral("A")));
    EXPECT_EQ(okno->strankaNastaveni().adresar1->currentText(), adresar_.filePath(QStringLiteral("A")));
}

TEST_F(Okno, NeuspesnyZapisIniSeOhlasiAOknoSeZavre)
{
    otevri(QStringLiteral("/neexistujici-adresar-zrc/zrcadlovac.ini"));
    EXPECT_TRUE(okno->close());
    ASSERT_FALSE(zpravy.isEmpty());
    EXPECT_TRUE(zpravy.first().startsWith(QStringLiteral("Unable to write to "))) << zpravy.first().toStdString();
    EXPECT_FALSE(okno->isVisible());
}

TEST_F(Okno, ZavreniUloziUmisteniANastaveniSeObnovi)
{
    otevri();
    okno->resize(790, 561);
    ASSERT_TRUE(pockej([&] { return okno->size() == QSize(790, 561); }));
    okno->strankaNastaveni().ChBHNepridavat->setChecked(true);
    okno->close();
    okno.reset();
    otevri();
    EXPECT_TRUE(okno->strankaNastaveni().ChBHNepridavat->isChecked());
    ASSERT_TRUE(pockej([&] { return okno->size() == QSize(790, 561); })) << okno->width() << "x" << okno->height();
    EXPECT_TRUE(zpravy.isEmpty());
}

} // namespace
} // namespace zrc::test

namespace zrc::test {
namespace {

// The long part of a hint goes to the status bar while the mouse is over the
// control; a hint beginning with the bar shows no tooltip.
TEST_F(Okno, DlouhaNapovedaVeStavovemRadku)
{
    otevri();
    QTest::mouseMove(okno->strankaNastaveni().Button4);
    ASSERT_TRUE(pockej([&] { return !okno->statusBar()->currentMessage().isEmpty(); }));
    EXPECT_EQ(okno->statusBar()->currentMessage(), QStringLiteral("spuštění / zastavení porovnání"));
    EXPECT_TRUE(okno->strankaNastaveni().Button4->toolTip().isEmpty());
    QTest::mouseMove(okno->strankaNastaveni().CB_Filtr_1);
    ASSERT_TRUE(pockej([&] {
        return okno->statusBar()->currentMessage() == QStringLiteral("vyber typ omezení vzniku nebo změny souborů");
    }));
    EXPECT_EQ(okno->strankaNastaveni().CB_Filtr_1->toolTip(), QStringLiteral("vyber typ omezení vzniku nebo změny souborů"));
}

TEST_F(Okno, OProgramuUPravehoDolnihoRohu)
{
    otevri();
    QString titulek, verze;
    QRect ramec;
    QTimer::singleShot(0, [&] {
        QWidget* d = QApplication::activeModalWidget();
        ASSERT_NE(d, nullptr);
        titulek = d->windowTitle();
        verze = d->findChild<QLabel*>(QStringLiteral("verze"))->text();
        ramec = d->frameGeometry();
        QTest::keyClick(d, Qt::Key_Return);
    });
    QTest::mouseClick(okno->strankaNastaveni().Button18, Qt::LeftButton);
    EXPECT_EQ(titulek, QStringLiteral("Zrcadlovač - informace"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")).match(verze).hasMatch()) << verze.toStdString();
    const QRect hlavni = okno->frameGeometry();
    EXPECT_EQ(ramec.right(), hlavni.right());
    EXPECT_EQ(ramec.bottom(), hlavni.bottom());
}

} // namespace
} // namespace zrc::test
