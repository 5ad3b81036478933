// How a run begins and ends: validation, stop, options changed while it runs,
// status and progress, and identical output whatever the number of threads.

#include "test_porovnani_pomoc.h"

#include <QFile>
#include <algorithm>
#include <chrono>
#include <thread>
#include <sys/stat.h>

#include <random>

namespace zrc {
namespace {

struct PripadOvereni {
    const char* nazev;
    std::function<void(NastaveniPorovnani&, const TempTree&)> uprava;
    QString zprava;
};

class Overeni : public PorovnaniTest, public testing::WithParamInterface<PripadOvereni> {};

TEST_P(Overeni, OdmitneSeZpravouANicNehlasi)
{
    strom1.add({file("a")});
    NastaveniPorovnani n = nastaveni();
    GetParam().uprava(n, strom1);
    const VysledekBehu v = spust(n);
    EXPECT_EQ(v.konec, KonecBehu::Neplatny);
    EXPECT_EQ(v.zprava, GetParam().zprava);
    EXPECT_TRUE(prijemce.polozky.empty());
    EXPECT_TRUE(prijemce.overeneAdresare.first.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Pripady, Overeni, testing::Values(
    PripadOvereni{"Adresar1Chybi", [](NastaveniPorovnani& n, const TempTree& t) { n.adresar1 = t.qroot() + "/nic"; }, zpravy::adresar1Neexistuje},
    PripadOvereni{"Adresar1JeSoubor", [](NastaveniPorovnani& n, const TempTree& t) { n.adresar1 = t.qroot() + "/a"; }, zpravy::adresar1Neexistuje},
    PripadOvereni{"Adresar1Prazdny", [](NastaveniPorovnani& n, const TempTree&) { n.adresar1.clear(); }, zpravy::adresar1Neexistuje},
    // A name that is not UTF-8, as a lossy text (the chooser, the window's command line) gives it.
    PripadOvereni{"JmenoMimoUtf8", [](NastaveniPorovnani& n, const TempTree& t) {
        ::mkdir((t.root() + "/A\xff").c_str(), 0755);
        n.adresar2 = QFile::decodeName(QByteArray::fromStdString(t.root() + "/A\xff"));
    }, zpravy::neplatneJmeno(2)},
    PripadOvereni{"Adresar2Chybi", [](NastaveniPorovnani& n, const TempTree& t) { n.adresar2 = t.qroot() + "/nic"; }, zpravy::adresar2Neexistuje},
    PripadOvereni{"StejnyText", [](NastaveniPorovnani& n, const TempTree&) { n.adresar2 = n.adresar1; }, zpravy::stejneAdresare},
    PripadOvereni{"ChybnyCasFiltru", [](NastaveniPorovnani& n, const TempTree&) { n.CB_Filtr_2 = 2; n.ME_Filtr_2_OdData = "25:00"; }, QStringLiteral("Chybný formát")}),
    [](const testing::TestParamInfo<PripadOvereni>& i) { return std::string(i.param.nazev); });

TEST_F(PorovnaniTest, StejnyAdresarJinakZapsanyNeniRozdil)
{
    strom1.add({file("a/b", 3), file("c")});
    NastaveniPorovnani n = nastaveni();
    n.adresar2 = n.adresar1 + "/";
    const VysledekBehu v = spust(n);
    EXPECT_EQ(v.konec, KonecBehu::Dokonceno);
    EXPECT_EQ(v.zprava, zpravy::nicNenalezeno);
    EXPECT_TRUE(prijemce.polozky.empty());
    EXPECT_EQ(prijemce.overeneAdresare, std::make_pair(strom1.qroot(), strom1.qroot()));
}

TEST_F(PorovnaniTest, KorenZustavaLomitkem)
{
    strom2.add({file("tmp-neni-v-koreni-\x01")});
    NastaveniPorovnani n = nastaveni();
    n.adresar1 = "/";
    n.CBOmez = int(Omezeni::JenAdresar2);
    const VysledekBehu v = spust(n);
    EXPECT_EQ(v.cestaAdr1, QStringLiteral("/"));
    EXPECT_EQ(prijemce.radky(), (Radky{"2 tmp-neni-v-koreni-\x01"}));
}

TEST_F(PorovnaniTest, StopPoPolozceKonciSDosavadnimiPolozkami)
{
    strom1.add({file("a"), file("b"), file("c"), file("d/e")});
    strom2.add({dir("d")});
    prijemce.poPolozce = [&](std::size_t n) { if (n == 2) stop = true; };
    const VysledekBehu v = spust(nastaveni());
    EXPECT_EQ(v.konec, KonecBehu::Zastaveno);
    EXPECT_EQ(prijemce.radky(), (Radky{"1 a", "1 b"}));
    EXPECT_TRUE(v.zprava.isEmpty());
}

TEST_F(PorovnaniTest, StopVeStruktureDokonciStrukturuANicNeporovna)
{
    strom1.add({file("a"), file("d/e")});
    strom2.add({dir("d")});
    prijemce.poStavu = [&](const QString& s) { if (s.startsWith("vytvářím")) stop = true; };
    const VysledekBehu v = spust(nastaveni());
    EXPECT_EQ(v.konec, KonecBehu::Zastaveno);
    EXPECT_TRUE(prijemce.polozky.empty());
    for (const QString& s : prijemce.stavy)
        EXPECT_FALSE(s.startsWith("vyhledávání")) << s.toStdString();
}

TEST_F(PorovnaniTest, ZmenaVolbyBehemBehuPlatiOdDalsihoSouboru)
{
    const std::time_t stary = localTime(2001, 1, 1);
    strom1.add({file("a", 1, stary), file("b", 1, stary), file("c", 1, stary)});
    ZiveVolby zive;
    NastaveniPorovnani n = nastaveni();
    n.SE_Filtr_1_Posledni = 1;   // limit yesterday; the filter itself is off at the start
    zive.prevezmi(n);
    volby = &zive;
    prijemce.poPolozce = [&](std::size_t) { zive.ChB_Filtr_1 = true; };
    spust(n);
    EXPECT_EQ(prijemce.radky(), (Radky{"1 a"}));
}

// The trees are read while the subdirectory time filter is off, so their
// directories' own times are not; the second pass finds the filter on and
// judges its directories by times it reads then.
TEST_F(PorovnaniTest, FiltrPodadresaruZapnutyPoCteniStromu)
{
    const std::time_t stary = localTime(2001, 1, 1);
    const std::time_t novy = localTime(2026, 12, 6, 8, 0, 0);
    strom2.add({file("s/x"), file("n/y"), file("n/s/z"), file("r"),
                dir("n/s", stary), dir("s", stary), dir("n", novy)});
    ZiveVolby zive;
    NastaveniPorovnani n = nastaveni();
    n.SE_Filtr_2_Posledni = 1;
    n.ChB_adresar2 = false;   // side 1 is empty
    zive.prevezmi(n);
    volby = &zive;
    prijemce.poStavu = [&](const QString& s) {
        if (s.endsWith(QStringLiteral("souborů - ADRESÁŘ 1")))
            zive.ChB_Filtr_2 = true;
    };
    spust(n);
    EXPECT_EQ(prijemce.radky(), (Radky{"2 r", "2 n/y"}));
}

TEST_F(PorovnaniTest, StavyAPrubehObouPruchodu)
{
    strom1.add({file("a"), file("s/b")});
    strom2.add({file("c"), dir("s")});
    const VysledekBehu v = spust(nastaveni());
    EXPECT_EQ(v.pocetPolozek, 3u);
    const std::vector<QString> hlavni = {
        "příprava záložky s výsledky",
        "vytvářím strukturu podaresářů pro ADRESÁŘ 1",
        "vyhledávání a porovnávání jednotlivých souborů - ADRESÁŘ 1",
        "vytvářím strukturu podaresářů pro ADRESÁŘ 2",
        "vyhledávání a porovnávání jednotlivých souborů - ADRESÁŘ 2"};
    std::vector<QString> videne;
    for (const QString& s : prijemce.stavy)
        if (!s.startsWith("přidávám: ") && !s.startsWith("soubory v: ") && !s.contains("přečteno adresářů: "))
            videne.push_back(s);
    EXPECT_EQ(videne, hlavni);
    // Two directories per pass: half of each pass's 50 after the first.
    EXPECT_EQ(prijemce.prubehy, (std::vector<int>{0, 25, 50, 75, 100}));
}

// A tree of files only still names what the structure stage meets.
TEST_F(PorovnaniTest, PridavamUkazujeISoubory)
{
    strom1.add({file("jediny")});
    prijemce.poStavu = [](const QString& text) {
        if (text.contains(QStringLiteral("přečteno adresářů: ")))
            std::this_thread::sleep_for(std::chrono::milliseconds(110));   // past the status throttle
    };
    spust(nastaveni(), 1);
    const QString ocekavany = QStringLiteral("přidávám: ") + strom1.qroot() + QStringLiteral("/jediny");
    EXPECT_NE(std::find(prijemce.stavy.begin(), prijemce.stavy.end(), ocekavany), prijemce.stavy.end());
}

// Reading the trees shows how many directories are read so far.
TEST_F(PorovnaniTest, CteniStromuUkazujePocetAdresaru)
{
    strom1.add({dir("a/b"), dir("c")});
    spust(nastaveni(), 1);   // the run's own thread lists, so it is the one that reports
    const auto pocet = std::count_if(prijemce.stavy.begin(), prijemce.stavy.end(), [](const QString& s) {
        return s.startsWith(QStringLiteral("vytvářím strukturu podaresářů pro ADRESÁŘ 1 - přečteno adresářů: "));
    });
    EXPECT_GE(pocet, 1);
}

TEST_F(PorovnaniTest, JenDruhyPruchodZacinaPadesati)
{
    strom2.add({file("c")});
    NastaveniPorovnani n = nastaveni();
    n.CBOmez = int(Omezeni::JenAdresar2);
    spust(n);
    EXPECT_EQ(prijemce.prubehy, (std::vector<int>{0, 50, 100}));
}

// A random pair of trees: shared and one-sided directories, files that differ in
// time or size, names in mixed case and with non-ASCII bytes.
void nahodnyPar(TempTree& a, TempTree& b, unsigned seed)
{
    std::mt19937 rng(seed);
    const char* jmena[] = {"a", "B", "c.txt", "\xc3\xa9", "Z.bak", "d.TXT", "e", "\xff"};
    std::vector<std::string> adresare = {""};
    std::vector<test::Entry> ea, eb;
    for (int i = 0; i < 60; ++i) {
        const std::string rodic = adresare[rng() % adresare.size()];
        const std::string cesta = (rodic.empty() ? "" : rodic + "/") + jmena[rng() % 8] + std::to_string(i % 7);
        adresare.push_back(cesta);
        if (rng() % 4 != 0) ea.push_back(dir(cesta));
        if (rng() % 4 != 0) eb.push_back(dir(cesta));
    }
    const std::time_t t = localTime(2024, 3, 1);
    for (int i = 0; i < 400; ++i) {
        const std::string& d = adresare[rng() % adresare.size()];
        const std::string cesta = (d.empty() ? "" : d + "/") + jmena[rng() % 8] + "f" + std::to_string(i % 13);
        const int co = int(rng() % 5);
        if (co != 1) ea.push_back(file(cesta, rng() % 3, t + 2 * (rng() % 2)));
        if (co != 0) eb.push_back(file(cesta, rng() % 3, t + 2 * (rng() % 2)));
    }
    auto bezKoliziDir = [](std::vector<test::Entry>& v) {
        // A path that is a file in one entry and a directory prefix in another cannot exist.
        std::vector<test::Entry> ok;
        for (const auto& e : v) {
            const bool predponou = std::any_of(v.begin(), v.end(), [&](const test::Entry& x) {
                return x.path.starts_with(e.path + "/") && e.kind == test::Kind::File;
            });
            const bool podSouborem = std::any_of(ok.begin(), ok.end(), [&](const test::Entry& x) {
                return x.kind == test::Kind::File && e.path.starts_with(x.path + "/");
            });
            if (!predponou && !podSouborem && std::none_of(ok.begin(), ok.end(), [&](const test::Entry& x) { return x.path == e.path; }))
                ok.push_back(e);
        }
        v = ok;
    };
    bezKoliziDir(ea);
    bezKoliziDir(eb);
    a.add(ea);
    b.add(eb);
}

TEST_F(PorovnaniTest, JednoAZctyriVlaknaDavajiTotez)
{
    nahodnyPar(strom1, strom2, 7);
    NastaveniPorovnani n = nastaveni();
    n.ChB_adresar1 = false;
    const Radky jedno = radky(n, 1);
    const Radky ctyri = radky(n, 4);
    EXPECT_GT(jedno.size(), 50u);
    EXPECT_EQ(jedno, ctyri);
    n.ChB_adresar1 = true;
    n.ChB_Filtr_3 = true;
    n.SE_Filtr_3 = 2;
    EXPECT_EQ(radky(n, 1), radky(n, 4));
}

} // namespace
} // namespace zrc

namespace zrc {

// A temporary file left by a copy that was killed is not a file of the tree.
TEST_F(PorovnaniTest, ZbytekPrerusenehoKopirovaniSeNevypise)
{
    strom1.add({file(".x.txt.k3j9qa.zrtmp", 3), file(".x.txt.zrtmp", 3)});
    EXPECT_EQ(radky(nastaveni()), (Radky{"1 .x.txt.zrtmp"}));
}

} // namespace zrc

namespace zrc {

// A pair of directories of thousands of entries is examined in ranges by
// every idle thread; what the lists say may not depend on who examined what.
TEST_F(PorovnaniTest, VelkyAdresarVeViceVlaknechDavaTotez)
{
    const std::time_t t = localTime(2024, 3, 1);
    std::vector<test::Entry> a, b;
    for (int i = 0; i < 3000; ++i) {
        const std::string jmeno = "velky/f" + std::to_string(i);
        a.push_back(file(jmeno, i % 7, t + (i % 3) * 2));
        if (i % 5)
            b.push_back(file(jmeno, i % 11, t));
    }
    a.push_back(file("velky/.f7.k3j9qa.zrtmp", 3));
    a.push_back(file("velky/pod/x", 1));
    b.push_back(file("velky/pod/x", 2));
    // Three directories too large to be listed at once on two cores.
    for (int d = 0; d < 3; ++d)
        for (int i = 0; i < 16500; ++i)
            a.push_back(file("obri" + std::to_string(d) + "/s" + std::to_string(i)));
    strom1.add(a);
    strom2.add(b);
    NastaveniPorovnani n = nastaveni();
    n.ChB_adresar1 = false;
    const Radky jedno = radky(n, 1);
    EXPECT_GT(jedno.size(), 3000u + 3 * 16500);
    EXPECT_EQ(jedno, radky(n, 4));
}

} // namespace zrc
