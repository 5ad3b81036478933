// "ověřit obsah", "otevřít", "otevřít umístění", "porovnat obsah v .." and
// dragging out, as a person uses them in the main window on real trees. Each
// directory holds a.txt, b.txt and c.txt, newer in directory 1, so that a
// comparison lists all three in "NOVĚJŠÍ"; a.txt and c.txt have the same
// bytes on both sides, b.txt differs in its last byte.

#include "test_okno_pomoc.h"

#include "support/temp_tree.h"
#include "ui/beh_porovnani.h"
#include "ui/operace_souboru.h"
#include "ui/seznam_vysledku.h"
#include "ui/spoustec.h"
#include "ui/vysledky_model.h"

#include "settings/ini_soubor.h"
#include "settings/klice.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>

namespace zrc::test {
namespace {

const std::time_t starsi = localTime(2024, 1, 10, 12, 0, 0);
const std::time_t novejsi = localTime(2024, 2, 10, 12, 0, 0);

void zapis(const std::string& cesta, const std::string& data, std::time_t cas)
{
    std::ofstream(cesta, std::ios::binary | std::ios::trunc) << data;
    const timespec t[2] = {{cas, 0}, {cas, 0}};
    ::utimensat(AT_FDCWD, cesta.c_str(), t, 0);
}

// What would have been started.
struct Zaznam : Spoustec {
    std::vector<QString> udalosti;
    bool otevri(const QUrl& u) override { return pridej("otevri " + u.toEncoded()); }
    bool ukazUmisteni(const QUrl& u) override { return pridej("ukaz " + u.toEncoded()); }
    bool spust(const QString& p, const QStringList& a) override { return pridej((p + ' ' + a.join(' ')).toUtf8()); }
    bool pridej(const QByteArray& s)
    {
        udalosti.push_back(QString::fromUtf8(s));
        return true;
    }
};

class ObsahOkna : public OknoTest {
protected:
    TempTree t1, t2;
    Zaznam zaznam;

    void SetUp() override
    {
        OknoTest::SetUp();
        for (const auto& [jmeno, data2] : {std::pair{"a.txt", "aaaaa"}, {"b.txt", "bbbbX"}, {"c.txt", "ccccc"}}) {
            zapis(t1.path(jmeno), std::string(5, jmeno[0]), novejsi);
            zapis(t2.path(jmeno), data2, starsi);
        }
        otevri();
        okno->vysledky().nastavSpoustec(zaznam);
        okno->strankaNastaveni().adresar1->setEditText(t1.qroot());
        okno->strankaNastaveni().adresar2->setEditText(t2.qroot());
        QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
        QTest::mouseClick(okno->strankaNastaveni().Button4, Qt::LeftButton);
        ASSERT_TRUE(konec.count() > 0 || konec.wait(20000));
        ASSERT_EQ(model(3)->rowCount(), 3);
        zamer(3);
    }

    ResultListModel* model(int tag) { return okno->vysledky().model(tag); }
    SeznamVysledku* seznam(int tag) { return okno->vysledky().seznam(tag); }

    void zamer(int tag)
    {
        okno->PageControl1->setCurrentIndex(strankaSeznamu(tag));
        seznam(tag)->setFocus();
        ASSERT_TRUE(pockej([&] { return seznam(tag)->hasFocus(); }));
    }
    std::vector<std::string> jmena(int tag)
    {
        std::vector<std::string> v;
        for (int r = 0; r < model(tag)->rowCount(); ++r)
            v.emplace_back(model(tag)->polozka(r).jmeno);
        return v;
    }
    void radek(int tag, const char* jmeno)
    {
        for (int r = 0; r < model(tag)->rowCount(); ++r)
            if (model(tag)->polozka(r).jmeno == jmeno)
                seznam(tag)->setCurrentIndex(model(tag)->index(r, 0));
    }
};

struct PripadOvereni {
    const char* nazev;
    std::vector<int> vybrane;                // rows of list 3 (a, b, c); none: every row
    std::vector<std::string> zbyle;          // the list afterwards
    QString stav;                            // the status line
};

class OvereniOkna : public ObsahOkna, public testing::WithParamInterface<PripadOvereni> {};

// The pairs with equal bytes leave the list; b.txt stays, selected alone.
TEST_P(OvereniOkna, ShodneOdchaziOdlisneZustavajiVybrane)
{
    const PripadOvereni& p = GetParam();
    seznam(3)->vyber()->vyberRadky(p.vybrane, QItemSelectionModel::Select);
    QSignalSpy hotovo(&okno->operace(), &OvladacOperaci::hotovo);
    QTest::keyClick(seznam(3), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(hotovo.count() > 0 || hotovo.wait(20000));
    EXPECT_EQ(jmena(3), p.zbyle);
    EXPECT_EQ(seznam(3)->vybraneRadky(), std::vector<int>{int(std::find(p.zbyle.begin(), p.zbyle.end(), "b.txt") - p.zbyle.begin())});
    EXPECT_EQ(okno->statusBar()->currentMessage(), p.stav);
}

INSTANTIATE_TEST_SUITE_P(
    Vyber, OvereniOkna,
    testing::Values(PripadOvereni{"nicVybrano", {}, {"b.txt"}, QStringLiteral("shodný obsah: 2 soubory, 10 B")},
                    PripadOvereni{"aAb", {0, 1}, {"b.txt", "c.txt"}, QStringLiteral("shodný obsah: 1 soubor, 5 B")}),
    [](const auto& i) { return std::string(i.param.nazev); });

// "ověřit obsah" belongs to "NOVĚJŠÍ": hidden on the other pages' lists.
TEST_F(ObsahOkna, OvereniJenNaNovejsich)
{
    emit okno->PopupMenu1->aboutToShow();
    EXPECT_TRUE(okno->akce(QStringLiteral("MOverObsah"))->isVisible());
    zamer(1);
    emit okno->PopupMenu1->aboutToShow();
    EXPECT_FALSE(okno->akce(QStringLiteral("MOverObsah"))->isVisible());
}

struct PripadSpusteni {
    const char* nazev;
    const char* prikaz;     // objectName of the menu item
    int seznam;
    const char* chybi;      // "" or the side's file removed first: "1" or "2"
    const char* ocekavane;  // the recorded start, with %1/%2 for the roots; "" nothing
};

class SpusteniOkna : public ObsahOkna, public testing::WithParamInterface<PripadSpusteni> {};

TEST_P(SpusteniOkna, CoBySeSpustilo)
{
    const PripadSpusteni& p = GetParam();
    ASSERT_TRUE(IniZapisText(cestaIni(), ini::Nastaveni, ini::porovnavac, QStringLiteral("/bin/true")).ok());
    if (*p.chybi)
        (std::string(p.chybi) == "1" ? t1 : t2).remove("b.txt");
    zamer(p.seznam);
    radek(p.seznam, "b.txt");
    okno->akce(QString::fromUtf8(p.prikaz))->trigger();
    const QString ocekavane = QString::fromUtf8(p.ocekavane).arg(t1.qroot(), t2.qroot());
    EXPECT_EQ(zaznam.udalosti, ocekavane.isEmpty() ? std::vector<QString>{} : std::vector<QString>{ocekavane});
    EXPECT_EQ(zpravy.size(), ocekavane.isEmpty() ? 1U : 0U);
    if (ocekavane.isEmpty() && !zpravy.isEmpty()) {
        EXPECT_TRUE(zpravy.front().startsWith(QStringLiteral("Soubor neexistuje:\r"))) << zpravy.front().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Prikazy, SpusteniOkna,
    testing::Values(PripadSpusteni{"otevrit", "MOtevrit", 3, "", "otevri file://%1/b.txt"},
                    PripadSpusteni{"umisteni", "MUmisteni", 3, "", "ukaz file://%1/b.txt"},
                    PripadSpusteni{"porovnat", "MPorovnat", 3, "", "/bin/true %1/b.txt %2/b.txt"},
                    PripadSpusteni{"otevritChybi", "MOtevrit", 3, "1", ""},
                    PripadSpusteni{"porovnatChybiDruha", "MPorovnat", 3, "2", ""}),
    [](const auto& i) { return std::string(i.param.nazev); });

// A double click on an item, as the mouse gives it to the list, opens that
// item's file with the desktop's application (not the row that was current).
TEST_F(ObsahOkna, DvojklikOtevreSoubor)
{
    SeznamVysledku* s = seznam(3);
    int r = 0;
    while (model(3)->polozka(r).jmeno != "c.txt")
        ++r;
    s->setCurrentIndex(model(3)->index(r == 0 ? 1 : 0, 0));
    const QModelIndex polozka = model(3)->index(r, 0);
    s->scrollTo(polozka);
    const QPoint stred = s->visualRect(polozka).center();
    // As the window system gives a double click: press, release, and the
    // second press as a double click (the view opens only the pressed row).
    QTest::mouseClick(s->viewport(), Qt::LeftButton, Qt::NoModifier, stred);
    QTest::mouseDClick(s->viewport(), Qt::LeftButton, Qt::NoModifier, stred);
    QTest::mouseRelease(s->viewport(), Qt::LeftButton, Qt::NoModifier, stred);
    EXPECT_EQ(zaznam.udalosti, std::vector<QString>{"otevri file://" + t1.qroot() + "/c.txt"});
}

// Dragged out: file URLs and the paths' bytes, a name that is not UTF-8 too.
TEST_F(ObsahOkna, TazeniNeseCestyVBajtech)
{
    const std::string jmeno = "n\xff.txt";
    const std::vector<NalezenySoubor> s{{"", jmeno, 0, 1}};
    model(3)->pridej(s);
    const int r = model(3)->rowCount() - 1;
    std::unique_ptr<QMimeData> d(model(3)->mimeData({model(3)->index(r, 0), model(3)->index(r, 2)}));
    ASSERT_EQ(d->urls().size(), 1);
    EXPECT_EQ(d->urls()[0].toEncoded(), "file://" + QByteArray::fromStdString(t1.root()) + "/n%FF.txt");
    EXPECT_EQ(d->data(QStringLiteral("text/plain")), QByteArray::fromStdString(t1.path(jmeno)) + '\n');
    EXPECT_TRUE(d->hasFormat(QStringLiteral("text/uri-list")));
}

} // namespace
} // namespace zrc::test
