// The safety catches of the file operations through the real main window, on
// real trees: where deleted files go ("mazat do koše"), the plan line of the
// confirmations, the guard of the base directories, the mass-deletion
// question, the log of failed items and the question when no trash is usable.

#include "test_okno_pomoc.h"

#include "settings/ini_soubor.h"
#include "support/soubory.h"
#include "support/temp_tree.h"
#include "support/tmpfs.h"
#include "ui/beh_porovnani.h"
#include "ui/kniha_chyb_okno.h"
#include "ui/operace_souboru.h"
#include "ui/pojistky_operace.h"
#include "ui/seznam_vysledku.h"
#include "ui/vysledky_model.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QScreen>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>

namespace zrc::test {
namespace {

namespace fs = std::filesystem;

const std::time_t rano = localTime(2021, 3, 4, 8, 0, 0);
const std::time_t poledne = localTime(2021, 3, 4, 12, 0, 0);

std::string domovskyKos()
{
    return qEnvironmentVariable("XDG_DATA_HOME").toStdString() + "/Trash";
}

class Pojistky : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        fs::remove_all(domovskyKos());
    }
    void TearDown() override
    {
        skriptovane_.reset();   // answerers stack: the newest goes first
        OknoTest::TearDown();
    }

    StrankyVysledku& vysledky() { return okno->vysledky(); }

    void porovnej(const QString& adr1, const QString& adr2)
    {
        okno->strankaNastaveni().adresar1->setEditText(adr1);
        okno->strankaNastaveni().adresar2->setEditText(adr2);
        QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
        QTest::mouseClick(okno->strankaNastaveni().Button4, Qt::LeftButton);
        ASSERT_TRUE(konec.count() > 0 || konec.wait(20000));
    }
    void porovnej(const TempTree& a, const TempTree& b) { porovnej(a.qroot(), b.qroot()); }

    // Selects the rows of list tag whose name passes (all when none given)
    // and presses the action button tlacitko (2 = F5, 4 = F8, 5 = Ctrl+F5).
    void stiskni(int tag, int tlacitko, const std::function<bool(const QString&)>& vyber = {})
    {
        okno->UpravVelikostList(tag);
        SeznamVysledku* s = vysledky().seznam(tag);
        s->clearSelection();
        for (int r = 0; r < s->model()->rowCount(); ++r)
            if (!vyber || vyber(s->model()->index(r, 0).data().toString()))
                s->selectionModel()->select(s->model()->index(r, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        okno->MPBB1Click(tlacitko);
    }

    // Every message answered by the script in order (Ano when it runs out).
    void odpovidej(std::vector<Odpoved> skript)
    {
        skript_ = std::move(skript);
        skriptovane_.reset();
        skriptovane_ = std::make_unique<NahradaHlaseni>([this](const ZadostHlaseni& z) {
            zpravy << z.text;
            if (skript_.empty())
                return Odpoved::Ano;
            const Odpoved o = skript_.front();
            skript_.erase(skript_.begin());
            return o;
        });
    }

    QString stavovyRadek() const { return okno->statusBar()->currentMessage(); }

    std::vector<Odpoved> skript_;
    std::unique_ptr<NahradaHlaseni> skriptovane_;
};

// F8 on "NOVÉ": the confirmation's second line counts the files, sums their
// size and says where they go; with the trash on they are in the home trash
// with their original path, with it off they are gone.
class KamSmazat : public Pojistky, public testing::WithParamInterface<bool> {};

TEST_P(KamSmazat, OdstraneniSPlanemAKosem)
{
    const bool kos = GetParam();
    TempTree strom1{{file("a.txt", 3072, rano), file("b.txt", 3072, rano)}};
    TempTree strom2{{file("jiny.txt", 1, rano)}};
    ASSERT_TRUE(IniZapisBool(cestaIni(), u"Nastaveni", u"kos", kos).ok());
    otevri();
    porovnej(strom1, strom2);
    odpovidej({Odpoved::Ano});
    stiskni(1, 4);
    ASSERT_EQ(zpravy.size(), 1) << zpravy.join('|').toStdString();
    EXPECT_EQ(zpravy[0], QStringLiteral("Opravdu odstranit vybrané soubory?\r2 soubory, 6,0 KiB, ") +
                             (kos ? QStringLiteral("do koše") : QStringLiteral("natrvalo")) +
                             QStringLiteral("\rv adresáři 1: ") + strom1.qroot());
    EXPECT_FALSE(existuje(strom1.path("a.txt")));
    EXPECT_FALSE(existuje(strom1.path("b.txt")));
    EXPECT_EQ(vysledky().model(1)->rowCount(), 0);
    EXPECT_EQ(existuje(domovskyKos() + "/files/a.txt"), kos);
    if (kos) {
        EXPECT_NE(obsah(domovskyKos() + "/info/b.txt.trashinfo").find("Path=" + strom1.path("b.txt")),
                  std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Kos, KamSmazat, testing::Bool(),
                         [](const auto& i) { return i.param ? "DoKose" : "Natrvalo"; });

// A missing "kos" key counts as ticked: Ctrl+F5 on "NOVĚJŠÍ" tells that the old
// versions go to the trash, and the replaced newer file is there afterwards.
TEST_F(Pojistky, NahrazeniUlozStarouVerziDoKose)
{
    TempTree strom1{{file("zmena.doc", 10, poledne)}};
    TempTree strom2{{file("zmena.doc", 10, rano)}};
    otevri();
    porovnej(strom1, strom2);
    ASSERT_EQ(vysledky().model(3)->rowCount(), 1);
    odpovidej({Odpoved::Ano});
    stiskni(3, 5);
    ASSERT_EQ(zpravy.size(), 1);
    EXPECT_EQ(zpravy[0], QStringLiteral("Opravdu nahradit vybrané soubory?\r1 soubor, 10 B, staré verze do koše"
                                        "\rv adresáři 1: ") + strom1.qroot());
    struct stat st {};
    ASSERT_EQ(::stat(strom1.path("zmena.doc").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, rano);
    ASSERT_EQ(::stat((domovskyKos() + "/files/zmena.doc").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, poledne);
}

// The same keys act on either directory, so the confirmations name the one
// they change; a path too long for the message loses its middle, never its
// ends.
TEST(RadekAdresare, DlouhaCestaSeZkratiUprostred)
{
    const std::string dlouha = "/home/pavel/" + std::string(300, 'x') + "/zaloha";
    const QString radek = radekAdresare(Strana::Adresar2, dlouha);
    EXPECT_TRUE(radek.startsWith(QStringLiteral("v adresáři 2: /home/"))) << radek.toStdString();
    EXPECT_TRUE(radek.endsWith(QStringLiteral("/zaloha"))) << radek.toStdString();
    EXPECT_TRUE(radek.contains(QChar(0x2026)));
    EXPECT_LE(QFontMetrics(QApplication::font()).horizontalAdvance(radek),
              QGuiApplication::primaryScreen()->availableGeometry().width() / 2);
}

// F8 on the right list empties "NOVÉ": on the page shown next the keyboard is
// in the right list again, so the next F8 deletes in directory 2 too, and its
// question says so. (Qt gave the focus to the page's first list, the left one.)
TEST_F(Pojistky, PoSkrytiStrankyZustavaFokusNaStejneStrane)
{
    TempTree strom1{{file("zmena.doc", 10, poledne), file("starsi.doc", 10, rano)}};
    TempTree strom2{{file("novy.txt", 5, rano), file("zmena.doc", 10, rano), file("starsi.doc", 10, poledne)}};
    otevri();
    porovnej(strom1, strom2);
    ASSERT_EQ(vysledky().model(2)->rowCount(), 1);
    ASSERT_EQ(vysledky().model(1)->rowCount(), 0);
    ASSERT_EQ(vysledky().model(4)->rowCount(), 1);
    const auto vyberVse = [this](int tag) {
        SeznamVysledku* s = vysledky().seznam(tag);
        s->setFocus();
        s->selectAll();
    };
    okno->PageControl1->setCurrentIndex(1);
    vyberVse(2);
    odpovidej({});
    okno->MPBB1Click(4);
    ASSERT_FALSE(existuje(strom2.path("novy.txt")));
    EXPECT_EQ(okno->PageControl1->currentIndex(), 2);
    EXPECT_EQ(vysledky().AktivniSeznam(), vysledky().seznam(4));

    zpravy.clear();
    vysledky().AktivniSeznam()->selectAll();
    okno->MPBB1Click(4);
    ASSERT_EQ(zpravy.size(), 1);
    EXPECT_TRUE(zpravy[0].endsWith(QStringLiteral("\rv adresáři 2: ") + strom2.qroot())) << zpravy[0].toStdString();
    EXPECT_FALSE(existuje(strom2.path("starsi.doc")));
    EXPECT_TRUE(existuje(strom1.path("zmena.doc")));
}

// After every operation the status line says what was done, also when nothing
// failed: a small copy shows its progress window for a blink, and after
// "vybrané zkopíruj do .." (tlacitko 0) the items stay selected.
struct Souhrn {
    const char* nazev;
    bool kos;
    int tag;
    int tlacitko;   // 2 = F5, 3 = F6, 4 = F8, 5 = Ctrl+F5, 0 = "vybrané zkopíruj do .."
    const char* radek;
};

class SouhrnPoOperaci : public Pojistky, public testing::WithParamInterface<Souhrn> {};

TEST_P(SouhrnPoOperaci, StavovyRadekRikaCoSeStalo)
{
    const Souhrn& p = GetParam();
    TempTree strom1{{file("a.txt", 3072, rano), file("b.txt", 3072, rano), file("zmena.doc", 10, poledne)}};
    TempTree strom2{{file("zmena.doc", 10, rano)}};
    TempTree jinam;
    ASSERT_TRUE(IniZapisBool(cestaIni(), u"Nastaveni", u"kos", p.kos).ok());
    otevri();
    porovnej(strom1, strom2);
    odpovidej({});
    okno->operace().nastavVolbuCile(
        [&jinam](QWidget*, const QString&, const QString&) { return std::optional<QString>(jinam.qroot()); });
    if (p.tlacitko == 0) {
        SeznamVysledku* s = vysledky().seznam(p.tag);
        s->setFocus();
        s->selectAll();
        okno->akce(QStringLiteral("MKopiruj"))->trigger();
    } else {
        stiskni(p.tag, p.tlacitko);
    }
    EXPECT_EQ(stavovyRadek(), QString::fromUtf8(p.radek));
    // The pointer entering a list (its hint, the selection summary) leaves it.
    QStatusTipEvent vstup(vysledky().seznam(p.tag)->hint());
    QApplication::sendEvent(vysledky().seznam(p.tag), &vstup);
    EXPECT_EQ(stavovyRadek(), QString::fromUtf8(p.radek));
}

INSTANTIATE_TEST_SUITE_P(
    Operace, SouhrnPoOperaci,
    testing::Values(Souhrn{"Kopie", true, 1, 2, "Zkopírováno: 2 soubory, 6,0 KiB."},
                    Souhrn{"Presun", true, 1, 3, "Přesunuto: 2 soubory, 6,0 KiB."},
                    Souhrn{"DoKose", true, 1, 4, "Přesunuto do koše: 2 soubory, 6,0 KiB."},
                    Souhrn{"Natrvalo", false, 1, 4, "Smazáno: 2 soubory, 6,0 KiB."},
                    Souhrn{"Nahrazeni", true, 3, 5, "Nahrazeno: 1 soubor, 10 B, staré verze v koši."},
                    Souhrn{"KopieDoAdresare", true, 1, 0, "Zkopírováno: 2 soubory, 6,0 KiB."}),
    [](const auto& i) { return std::string(i.param.nazev); });

// A base that is gone since the comparison: F5 does nothing, not even create
// the missing base, and the message names it.
TEST_F(Pojistky, ZmizelyZakladNicNeudela)
{
    TempTree strom1{{file("a.txt", 5, rano)}};
    TempTree strom2{{file("b.txt", 5, rano)}};
    otevri();
    porovnej(strom1, strom2);
    const std::string jinam = strom2.root() + ".pryc";
    fs::rename(strom2.root(), jinam);
    zpravy.clear();
    stiskni(1, 2);
    const bool vytvoren = existuje(strom2.root());
    fs::remove_all(strom2.root());
    fs::rename(jinam, strom2.root());
    EXPECT_FALSE(vytvoren);
    ASSERT_EQ(zpravy.size(), 1);
    EXPECT_TRUE(zpravy[0].startsWith(QStringLiteral("Adresář 2 \"") + strom2.qroot() + QStringLiteral("\"")))
        << zpravy[0].toStdString();
    EXPECT_TRUE(zpravy[0].endsWith(QStringLiteral("Nic nebylo provedeno."))) << zpravy[0].toStdString();
    EXPECT_EQ(vysledky().model(1)->rowCount(), 1);
    EXPECT_FALSE(existuje(strom2.path("a.txt")));
}

// Root only: a tmpfs mounted over directory 2 after the comparison. The copy
// would land on the new disk and the deletion on the other side would hit
// files the lists do not describe: both are refused.
TEST_F(Pojistky, ZakladPrekrytyPripojenimNicNeudela)
{
    TempTree strom1{{file("a.txt", 5, rano), file("stejny.txt", 5, rano)}};
    TempTree strom2{{file("b.txt", 5, rano), file("stejny.txt", 5, poledne)}};
    otevri();
    porovnej(strom1, strom2);
    Tmpfs m(strom2.root());
    if (!m.pripojeno())
        GTEST_SKIP() << m.proc();
    zpravy.clear();
    odpoved = Odpoved::Ano;
    stiskni(1, 2);
    ASSERT_EQ(zpravy.size(), 1);
    EXPECT_TRUE(zpravy[0].contains(QStringLiteral("leží nyní na jiném svazku (tmpfs"))) << zpravy[0].toStdString();
    EXPECT_FALSE(existuje(strom2.path("a.txt")));   // on the tmpfs
    stiskni(4, 5);   // "kop.pův." on directory 2's newer stejny.txt: its file is hidden now
    ASSERT_EQ(zpravy.size(), 3);   // the confirmation, then the guard
    EXPECT_TRUE(zpravy[2].startsWith(QStringLiteral("Adresář 2 "))) << zpravy[2].toStdString();
    m.odpoj();
    EXPECT_TRUE(existuje(strom2.path("stejny.txt")));
    EXPECT_FALSE(existuje(strom2.path("a.txt")));
    EXPECT_EQ(vysledky().model(1)->rowCount(), 1);
}

// The mass-deletion question: permanent deletion of at least 10 files that are
// at least half of the list; asked also with "potvrzodstr" off. "Ne" keeps all.
struct HromadnyPripad {
    const char* nazev;
    int naSeznamu, vybranych;
    bool kos, otazka;
};

class Hromadne : public Pojistky, public testing::WithParamInterface<HromadnyPripad> {};

TEST_P(Hromadne, PtaSeOdDesetiAPoloviny)
{
    const auto& p = GetParam();
    TempTree strom1;
    std::vector<Entry> soubory;
    for (int i = 0; i < p.naSeznamu; ++i)
        soubory.push_back(file("f" + std::to_string(100 + i) + ".txt", 1, rano));
    strom1.add(soubory);
    TempTree strom2{{file("jiny.txt", 1, rano)}};
    ASSERT_TRUE(IniZapisBool(cestaIni(), u"Nastaveni", u"potvrzodstr", false).ok());
    ASSERT_TRUE(IniZapisBool(cestaIni(), u"Nastaveni", u"kos", p.kos).ok());
    otevri();
    porovnej(strom1, strom2);
    ASSERT_EQ(vysledky().model(1)->rowCount(), p.naSeznamu);
    odpovidej({Odpoved::Ne});
    stiskni(1, 4, [&](const QString& n) { return n.mid(1).toInt() < 100 + p.vybranych; });
    int zbyva = 0;
    for (int i = 0; i < p.naSeznamu; ++i)
        zbyva += existuje(strom1.path("f" + std::to_string(100 + i) + ".txt"));
    if (p.otazka) {
        ASSERT_EQ(zpravy.size(), 1);
        EXPECT_EQ(zpravy[0], QStringLiteral("Natrvalo se odstraní %1 souborů z %2 uvedených na této straně.\r"
                                            "v adresáři 1: %3\rOpravdu pokračovat?")
                                 .arg(p.vybranych)
                                 .arg(p.naSeznamu)
                                 .arg(strom1.qroot()));
        EXPECT_EQ(zbyva, p.naSeznamu);
    } else {
        EXPECT_TRUE(zpravy.isEmpty()) << zpravy.join('|').toStdString();
        EXPECT_EQ(zbyva, p.naSeznamu - p.vybranych);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pojistky, Hromadne,
    testing::Values(HromadnyPripad{"DesetZDvaceti", 20, 10, false, true},
                    HromadnyPripad{"DevetZOsmnacti", 18, 9, false, false},
                    HromadnyPripad{"DesetZDvacetiJedna", 21, 10, false, false},
                    HromadnyPripad{"DoKoseSeNepta", 20, 10, true, false}),
    [](const auto& i) { return std::string(i.param.nazev); });

// A copy whose source vanished since the comparison, ignored: the status line
// says what was done and what not, the context menu shows the log, and the
// saved log is the same text in UTF-8.
TEST_F(Pojistky, KnihaChybVNabidceAUlozeni)
{
    TempTree strom1{{file("a.txt", 5, rano), file("žluťoučký.txt", 5, rano)}};
    TempTree strom2{{file("jiny.txt", 1, rano)}};
    otevri();
    porovnej(strom1, strom2);
    strom1.remove("žluťoučký.txt");
    odpovidej({Odpoved::Ignoruj});
    stiskni(1, 2);
    ASSERT_EQ(zpravy.size(), 1);
    EXPECT_TRUE(zpravy[0].contains(QStringLiteral("nelze zkopírovat")));
    EXPECT_EQ(stavovyRadek(), QStringLiteral("Zkopírováno: 1 soubor, 5 B, neprovedeno: 1 (viz chyby operace)."));

    emit okno->PopupMenu1->aboutToShow();
    QAction* zobraz = okno->findChild<QAction*>(QStringLiteral("MChyby"));
    ASSERT_NE(zobraz, nullptr);
    EXPECT_TRUE(zobraz->isEnabled());
    QString text;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<OknoKnihyChyb*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        text = d->text->toPlainText();
        EXPECT_TRUE(d->text->isReadOnly());
        d->BZavri->click();
    });
    zobraz->trigger();
    EXPECT_TRUE(text.contains(QStringLiteral("Kopírování"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("zdroj: ") + QString::fromStdString(strom1.path("žluťoučký.txt"))));
    EXPECT_TRUE(text.contains(QStringLiteral("cíl:   ") + QString::fromStdString(strom2.path("žluťoučký.txt"))));
    EXPECT_TRUE(text.contains(QStringLiteral("odpověď: Ignorovat")));

    const KnihaChyb& kniha = okno->operace().pojistky().kniha();
    const std::string soubor = strom2.path("chyby.txt");
    ASSERT_TRUE(ulozKnihu(kniha, QString::fromStdString(soubor)));
    EXPECT_EQ(QString::fromUtf8(obsah(soubor)), text + (text.endsWith('\n') ? "" : "\n"));
    zpravy.clear();
    EXPECT_FALSE(ulozKnihu(kniha, QString::fromStdString(strom2.path("neni/chyby.txt"))));
    ASSERT_EQ(zpravy.size(), 1);
    EXPECT_TRUE(zpravy[0].startsWith(QStringLiteral("Záznam chyb nelze uložit do souboru")));

    // An operation without failures empties the log.
    odpovidej({});
    stiskni(2, 2);
    emit okno->PopupMenu1->aboutToShow();
    EXPECT_FALSE(zobraz->isEnabled());
}

// "Zruš" at a failed copy: the status line keeps the interrupted step and adds
// the counts; the files never reached count as not done.
TEST_F(Pojistky, ZrusitNechaKrokAPridaPocty)
{
    TempTree strom1{{file("a.txt", 5, rano), file("b.txt", 5, rano), file("c.txt", 5, rano)}};
    TempTree strom2{{file("jiny.txt", 1, rano)}};
    otevri();
    porovnej(strom1, strom2);
    strom1.remove("b.txt");
    odpovidej({Odpoved::Zrus});
    stiskni(1, 2);
    ASSERT_EQ(zpravy.size(), 1);
    EXPECT_EQ(stavovyRadek(), QStringLiteral("Kopíruji: ") + QString::fromStdString(strom1.path("b.txt")) +
                                  QStringLiteral(" — Zkopírováno: 1 soubor, 5 B, neprovedeno: 2 (viz chyby operace)."));
    EXPECT_FALSE(existuje(strom2.path("c.txt")));
}

// Root only: a disk whose trash cannot be made (a file named .Trash-0 where
// the directory would be, and no .Trash). Asked once for the disk, naming its
// mount point; "Ne" keeps the files and logs them, "Ano" deletes them.
class BezKose : public Pojistky, public testing::WithParamInterface<bool> {};

TEST_P(BezKose, PtaSeJednouZaSvazek)
{
    const bool ano = GetParam();
    TempTree strom1, strom2{{file("jiny.txt", 1, rano)}};
    Tmpfs m(strom1.path("disk"));
    if (!m.pripojeno())
        GTEST_SKIP() << m.proc();
    for (const char* j : {"x1.txt", "x2.txt", ".Trash-0"})
        std::ofstream(strom1.path(std::string("disk/") + j)) << "data";
    otevri();
    porovnej(QString::fromStdString(strom1.path("disk")), strom2.qroot());
    odpovidej({Odpoved::Ano, ano ? Odpoved::Ano : Odpoved::Ne});
    stiskni(1, 4, [](const QString& n) { return n.startsWith('x'); });
    ASSERT_EQ(zpravy.size(), 2) << zpravy.join('|').toStdString();
    EXPECT_TRUE(zpravy[1].startsWith(QStringLiteral("Na svazku %1 (tmpfs) nelze použít koš")
                                         .arg(QString::fromStdString(strom1.path("disk")))))
        << zpravy[1].toStdString();
    EXPECT_EQ(existuje(strom1.path("disk/x1.txt")), !ano);
    EXPECT_EQ(existuje(strom1.path("disk/x2.txt")), !ano);
    EXPECT_EQ(stavovyRadek(), ano ? QStringLiteral("Smazáno: 2 soubory, 8 B.")
                                   : QStringLiteral("Přesunuto do koše: 0 souborů, 0 B, neprovedeno: 2 (viz chyby operace)."));
    EXPECT_EQ(okno->operace().pojistky().kniha().zaznamy().size(), ano ? 0u : 2u);
}

// Root only: many files on a disk without a usable trash. After "Ano" to
// deleting them permanently the mass-deletion question follows with the
// counts; its "Ne" keeps every file.
TEST_F(Pojistky, BezKoseHromadnePtaSeZnovu)
{
    TempTree strom1, strom2{{file("jiny.txt", 1, rano)}};
    Tmpfs m(strom1.path("disk"));
    if (!m.pripojeno())
        GTEST_SKIP() << m.proc();
    std::ofstream(strom1.path("disk/.Trash-0")) << "blokuje";
    for (int i = 0; i < 12; ++i)
        std::ofstream(strom1.path("disk/x" + std::to_string(i) + ".txt")) << i;
    otevri();
    porovnej(QString::fromStdString(strom1.path("disk")), strom2.qroot());
    ASSERT_EQ(vysledky().model(1)->rowCount(), 13);
    odpovidej({Odpoved::Ano, Odpoved::Ano, Odpoved::Ne});
    stiskni(1, 4, [](const QString& n) { return n.startsWith('x'); });
    ASSERT_EQ(zpravy.size(), 3) << zpravy.join('|').toStdString();
    EXPECT_TRUE(zpravy[1].startsWith(QStringLiteral("Na svazku ")));
    EXPECT_EQ(zpravy[2], QStringLiteral("Natrvalo se odstraní 12 souborů z 13 uvedených na této straně.\r"
                                        "v adresáři 1: %1\rOpravdu pokračovat?")
                             .arg(QString::fromStdString(strom1.path("disk"))));
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(existuje(strom1.path("disk/x" + std::to_string(i) + ".txt"))) << i;
}

INSTANTIATE_TEST_SUITE_P(Pojistky, BezKose, testing::Bool(),
                         [](const auto& i) { return i.param ? "AnoSmaze" : "NePonecha"; });

// Leftovers of an interrupted copy in both trees: never listed; after the run
// one question that names them as left out of the comparison; "Ano" moves them
// to the trash when "mazat do koše" is on (a user's own file of such a name
// comes back from there), else deletes them; "Ne" keeps them.
struct ZbytkyPripad {
    const char* nazev;
    bool ano, kos;
};

class Zbytky : public Pojistky, public testing::WithParamInterface<ZbytkyPripad> {};

TEST_P(Zbytky, NabidkaPoPorovnani)
{
    const auto [nazev, ano, kos] = GetParam();
    TempTree strom1{{file("a.txt", 5, rano), file(".notes.abc123.zrtmp", 2)}};
    TempTree strom2{{file("jiny.txt", 1, rano), file(".a.txt.000aaa.zrtmp", 3)}};
    ASSERT_TRUE(IniZapisBool(cestaIni(), u"Nastaveni", u"kos", kos).ok());
    odpoved = ano ? Odpoved::Ano : Odpoved::Ne;
    otevri();
    porovnej(strom1, strom2);
    std::vector<std::string> zbytky{strom1.path(".notes.abc123.zrtmp"), strom2.path(".a.txt.000aaa.zrtmp")};
    std::sort(zbytky.begin(), zbytky.end());
    ASSERT_EQ(zpravy.size(), 1) << zpravy.join('|').toStdString();
    EXPECT_EQ(zpravy[0], QStringLiteral("Porovnání vynechalo 2 dočasné soubory přerušeného kopírování "
                                        "(jména tvaru .jméno.xxxxxx.zrtmp), v seznamech nejsou:\r%1\r%2\r%3")
                             .arg(QString::fromStdString(zbytky[0]), QString::fromStdString(zbytky[1]),
                                  kos ? QStringLiteral("Přesunout je do koše?") : QStringLiteral("Smazat je natrvalo?")))
        << zpravy[0].toStdString();
    EXPECT_EQ(vysledky().model(1)->rowCount(), 1);   // a.txt only
    EXPECT_EQ(vysledky().model(2)->rowCount(), 1);   // jiny.txt only
    EXPECT_EQ(existuje(strom1.path(".notes.abc123.zrtmp")), !ano);
    EXPECT_EQ(existuje(strom2.path(".a.txt.000aaa.zrtmp")), !ano);
    EXPECT_EQ(obsah(domovskyKos() + "/files/.notes.abc123.zrtmp").size(), ano && kos ? 2u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Pojistky, Zbytky,
                         testing::Values(ZbytkyPripad{"NePonecha", false, true},
                                         ZbytkyPripad{"AnoDoKose", true, true},
                                         ZbytkyPripad{"AnoNatrvalo", true, false}),
                         [](const auto& i) { return std::string(i.param.nazev); });

// Path -> content and modification time of every file of a tree.
std::map<std::string, std::pair<std::string, std::time_t>> soubory(const TempTree& t)
{
    std::map<std::string, std::pair<std::string, std::time_t>> m;
    for (const auto& e : fs::recursive_directory_iterator(t.root())) {
        struct stat st {};
        if (e.is_regular_file() && ::stat(e.path().c_str(), &st) == 0)
            m[fs::relative(e.path(), t.root()).string()] = {obsah(e.path().string()), st.st_mtime};
    }
    return m;
}

// A copy, a replacement and a deletion, each taken back by Ctrl+Z: the
// confirmation carries its plan line, the status line says what came back,
// "Ano" to comparing again refreshes the lists, and both trees are byte for
// byte (and to the second) as they started.
TEST_F(Pojistky, CtrlZVratiKopiiNahrazeniAOdstraneni)
{
    TempTree strom1{{file("novy.txt", 100, rano), file("zmena.doc", 10, poledne), file("smaz.txt", 5, rano)}};
    TempTree strom2{{file("zmena.doc", 12, rano), file("jiny.txt", 1, rano)}};
    const auto puvodne1 = soubory(strom1), puvodne2 = soubory(strom2);
    otevri();
    porovnej(strom1, strom2);
    const std::pair<int, int> kroky[] = {{1, 2}, {3, 5}, {1, 4}};   // F5 on NOVÉ, Ctrl+F5 on NOVĚJŠÍ, F8
    const char* jmena[] = {"novy", "zmena", "smaz"};
    for (std::size_t i = 0; i < std::size(kroky); ++i) {
        odpovidej({});
        stiskni(kroky[i].first, kroky[i].second, [&](const QString& n) { return n == QLatin1String(jmena[i]); });
        ASSERT_TRUE(soubory(strom1) != puvodne1 || soubory(strom2) != puvodne2) << "krok " << i << " nic nezměnil";
        QString stavPoVraceni;
        skriptovane_.reset();   // answerers stack: the old one goes first
        skriptovane_ = std::make_unique<NahradaHlaseni>([&](const ZadostHlaseni& z) {
            zpravy << z.text;
            if (z.text == QStringLiteral("Porovnat adresáře znovu?"))
                stavPoVraceni = stavovyRadek();
            return Odpoved::Ano;
        });
        zpravy.clear();
        QSignalSpy porovnano(&okno->beh(), &BehPorovnani::dokonceno);
        okno->activateWindow();   // the progress window was the active one
        ASSERT_TRUE(pockej([&] { return QApplication::activeWindow() == okno.get(); }));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : okno.get(), Qt::Key_Z,
                        Qt::ControlModifier);
        ASSERT_TRUE(porovnano.count() > 0 || porovnano.wait(20000)) << zpravy.join('|').toStdString();
        ASSERT_EQ(zpravy.size(), 2) << zpravy.join('|').toStdString();
        EXPECT_EQ(zpravy[0], QStringLiteral("Opravdu vrátit poslední operaci?\rvrátí 1 soubor"));
        EXPECT_EQ(stavPoVraceni, QStringLiteral("Vráceno: 1 soubor."));
        EXPECT_EQ(soubory(strom1), puvodne1) << "krok " << i;
        EXPECT_EQ(soubory(strom2), puvodne2) << "krok " << i;
    }
    EXPECT_EQ(vysledky().model(1)->rowCount(), 2);   // novy.txt and smaz.txt listed again
}

} // namespace
} // namespace zrc::test
