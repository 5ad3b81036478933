// Marking on a shown result list: the type submenus from the settings file,
// the mask dialog, "vybrat vše" and the selection summary.

#include "test_okno_pomoc.h"

#include "ui/cesta_text.h"

#include "settings/ini_soubor.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include <string>

namespace zrc::test {
namespace {

class Oznaceni : public OknoTest {
protected:
    std::vector<std::string> jmena{"a.JPG", "b.jpg", "c.png", "d.jpg", "e.txt", "f.txt"};
    std::vector<std::string> adresare{"", "docs/", "docs/img/", "docsold/", "x/img/", "docs/"};

    SeznamVysledku* seznam() { return okno->vysledky().seznam(3); }

    void SetUp() override
    {
        OknoTest::SetUp();
        otevri();
        std::vector<NalezenySoubor> s;
        for (std::size_t i = 0; i < jmena.size(); ++i)
            s.push_back({adresare[i], jmena[i], 0, std::int64_t(1000 * (i + 1))});
        okno->vysledky().model(3)->pridej(s);
        okno->PageControl1->setCurrentIndex(2);
        okno->PageControl1Change();
        seznam()->setFocus();
        seznam()->setCurrentIndex(seznam()->model()->index(1, 0));
        QApplication::processEvents();
    }

    std::vector<int> vybrane() { return seznam()->vybraneRadky(); }
    QAction* akce(const char* jmeno) { return okno->akce(QString::fromUtf8(jmeno)); }
};

TEST_F(Oznaceni, TypyZIniSouboruVPodmenu)
{
    for (auto [klic, typ] : {std::pair{u"1", "JPG"}, std::pair{u"2", "png"}, std::pair{u"5", "txt"}})
        ASSERT_TRUE(IniZapisText(cestaIni(), u"oznaceni", klic, QString::fromLatin1(typ)).ok());
    QMenu* oznac = akce("MOZNAC")->menu();
    emit oznac->aboutToShow();
    QStringList viditelne;
    for (QAction* a : oznac->actions())
        if (a->isVisible())
            viditelne << a->objectName() + QLatin1Char('=') + a->text();
    EXPECT_EQ(viditelne, (QStringList{"vyber1=JPG", "vyber2=png", "vyber5=txt"}));
    seznam()->clearSelection();
    akce("vyber1")->trigger();   // JPG marks jpg too
    EXPECT_EQ(vybrane(), (std::vector<int>{0, 1, 3}));
    akce("vyber5")->trigger();   // key 5, not the fifth visible item
    EXPECT_EQ(vybrane(), (std::vector<int>{0, 1, 3, 4, 5}));
    ASSERT_TRUE(IniZapisText(cestaIni(), u"odznaceni", u"3", QStringLiteral("TXT")).ok());
    akce("pryc3")->trigger();
    EXPECT_EQ(vybrane(), (std::vector<int>{0, 1, 3}));
}

TEST_F(Oznaceni, DleAktivnihoTypuAAdresare)
{
    seznam()->clearSelection();
    seznam()->setCurrentIndex(seznam()->model()->index(1, 0));   // b.jpg in docs/
    seznam()->clearSelection();
    akce("DleVShodnyAdr")->trigger();
    EXPECT_EQ(vybrane(), (std::vector<int>{1, 5}));
    akce("DleVShodnyTyp")->trigger();
    EXPECT_EQ(vybrane(), (std::vector<int>{0, 1, 3, 5}));
    akce("DleVShodnyAdrNe")->trigger();
    EXPECT_EQ(vybrane(), (std::vector<int>{0, 3}));
}

// The mask dialog answered by a person: a text and "&O.K.", or "&Zruš".
struct Odpoved {
    const char* nazev;
    const char* text;   // nullptr: "&Zruš"
    std::vector<int> oznacene;
};

class MaskaVDialogu : public Oznaceni, public ::testing::WithParamInterface<Odpoved> {};

TEST_P(MaskaVDialogu, OznaciPodadresare)
{
    seznam()->clearSelection();
    const Odpoved o = GetParam();
    QString popisek;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TForm3*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        popisek = d->Label1->text() + QLatin1Char('|') + d->Edit1->text();
        if (!o.text) {
            d->Button2->click();
            return;
        }
        d->Edit1->setText(QString::fromLatin1(o.text));
        d->Button1->click();
    });
    akce("MOznVseVAdr")->trigger();
    EXPECT_EQ(popisek, QStringLiteral("Vše v daném (pod)adresáři bude označeno:|docs/"));
    EXPECT_EQ(vybrane(), o.oznacene);
}

INSTANTIATE_TEST_SUITE_P(Masky, MaskaVDialogu, ::testing::Values(
    Odpoved{"presne", "docs/", {1, 5}},
    Odpoved{"zacatek", "docs*", {1, 2, 3, 5}},
    Odpoved{"konec", "*img/", {2, 4}},
    Odpoved{"zrus", nullptr, {}},
    Odpoved{"jednaMezera", " ", {}}),
    [](const auto& info) { return std::string(info.param.nazev); });

// A type submenu tried while its list is empty opens once the configuration
// has added a type, in the same run, and never as an empty window.
class PrazdnePodmenu : public Oznaceni, public ::testing::WithParamInterface<std::pair<const char*, const char16_t*>> {
protected:
    // Opens PopupMenu1 on the list and its submenu from the keyboard; true
    // when the submenu shows.
    bool otevriPodmenu(QAction* podmenu)
    {
        okno->PopupMenu1->popup(seznam()->viewport()->mapToGlobal(QPoint(10, 10)));
        if (!pockej([&] { return okno->PopupMenu1->isVisible(); }, 2000))
            return false;
        okno->PopupMenu1->setActiveAction(podmenu);
        QTest::keyClick(okno->PopupMenu1, Qt::Key_Right);
        return pockej([&] { return podmenu->menu()->isVisible(); }, 500);
    }

    void zavri()
    {
        okno->PopupMenu1->hide();
        pockej([&] { return !okno->PopupMenu1->isVisible(); }, 2000);
    }
};

TEST_P(PrazdnePodmenu, OtevreSeZnovuSNovymTypem)
{
    QAction* podmenu = akce(GetParam().first);
    // Empty, it never shows as a window of no size.
    const bool ukazano = otevriPodmenu(podmenu);
    EXPECT_FALSE(ukazano && podmenu->menu()->size().isEmpty());
    zavri();
    ASSERT_TRUE(IniZapisText(cestaIni(), GetParam().second, u"1", QStringLiteral("txt")).ok());
    ASSERT_TRUE(otevriPodmenu(podmenu));
    QStringList viditelne;
    for (QAction* a : podmenu->menu()->actions())
        if (a->isVisible())
            viditelne << a->text();
    EXPECT_EQ(viditelne, QStringList{QStringLiteral("txt")});
    EXPECT_FALSE(podmenu->menu()->size().isEmpty());
    // Its item's hint reaches the status bar.
    podmenu->menu()->setActiveAction(podmenu->menu()->actions().front());
    EXPECT_FALSE(okno->statusBar()->currentMessage().isEmpty());
    zavri();
}

INSTANTIATE_TEST_SUITE_P(Podmenu, PrazdnePodmenu,
                         ::testing::Values(std::pair{"MOZNAC", u"oznaceni"}, std::pair{"MODZNAC", u"odznaceni"}),
                         [](const auto& i) { return std::string(i.param.first); });

TEST_F(Oznaceni, VybratVseASouhrnVyberu)
{
    okno->UpravVelikostList(3);
    okno->vysledky().BB[0]->click();
    EXPECT_EQ(vybrane().size(), jmena.size());
    EXPECT_TRUE(seznam()->hasFocus());
    okno->Timer1Timer();
    // 1000 + ... + 6000 = 21 000 bytes: 20 kB
    EXPECT_EQ(seznam()->hint(), QStringLiteral("vybráno:6 z 6 velikost:   20kB    ") +
                                    okno->vysledky().uloziste().cestaAdr(1));
}

TEST_F(Oznaceni, MenuNaNovemSkryvaStarsiVerziAPrazdnySeznamZakazuje)
{
    emit okno->PopupMenu1->aboutToShow();
    EXPECT_TRUE(akce("alt_pryc")->isVisible());
    EXPECT_TRUE(akce("MOznVseVAdr")->isEnabled());
    okno->PageControl1->setTabVisible(1, true);
    okno->vysledky().seznam(1)->setFocus();
    QApplication::processEvents();
    emit okno->PopupMenu1->aboutToShow();
    EXPECT_FALSE(akce("alt_pryc")->isVisible());
    EXPECT_FALSE(akce("MOZNAC")->isEnabled());   // ListView1 is empty
    EXPECT_FALSE(akce("z_nab_pryc")->isEnabled());
    EXPECT_FALSE(akce("MOznVseVAdr")->isEnabled());
}

} // namespace
} // namespace zrc::test
