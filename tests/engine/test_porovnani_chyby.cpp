// Trees that a run must survive: unreadable and looping directories, special
// files, odd names, very many directories, times outside the packed range.

#include "test_porovnani_pomoc.h"

#include <chrono>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zrc {
namespace {

// A directory that cannot be read is named with its reason; the walk goes on
// and the lists hold what could be read.
struct PripadNecitelneho {
    const char* nazev;
    int strana;          // the tree that holds the closed directory
    const char* cesta;   // relative; "" is the base directory itself
    mode_t mod;
    Radky ocekavane;
};

class NecitelnyAdresar : public PorovnaniTest, public testing::WithParamInterface<PripadNecitelneho> {};

TEST_P(NecitelnyAdresar, JeHlasenSDuvodemABehPokracuje)
{
    const PripadNecitelneho& p = GetParam();
    strom1.add({file("a"), file("zavreny/x"), file("z/y")});
    strom2.add({dir("zavreny"), dir("z"), file("zavreny/x")});
    TempTree& strom = p.strana == 1 ? strom1 : strom2;
    if (*p.cesta)
        strom.add({dir(p.cesta).withMode(p.mod)});
    else
        ASSERT_EQ(::chmod(strom.root().c_str(), p.mod), 0);
    VysledekBehu v;
    {
        BezPrav bezPrav;
        v = spust(nastaveni());
    }
    ::chmod(strom.root().c_str(), 0755);
    EXPECT_EQ(v.konec, KonecBehu::Dokonceno);
    EXPECT_EQ(prijemce.radky(), p.ocekavane);
    ASSERT_EQ(v.nepristupne.size(), 1u);
    EXPECT_EQ(v.nepristupne[0].cesta, strom.path(p.cesta));
    EXPECT_EQ(v.nepristupne[0].duvod, std::errc::permission_denied);
}

INSTANTIATE_TEST_SUITE_P(Pripady, NecitelnyAdresar, testing::Values(
    PripadNecitelneho{"Mod000", 1, "zavreny", 0, {"1 a", "1 z/y"}},
    PripadNecitelneho{"Mod711CiziVlastnik", 1, "zavreny", 0711, {"1 a", "1 z/y"}},
    PripadNecitelneho{"BezHledani", 1, "zavreny", 0644, {"1 a", "1 z/y"}},
    // Files whose counterpart directory cannot be read are not "new": they are
    // left out with the directory reported.
    PripadNecitelneho{"ProtejsekNecitelny", 2, "zavreny", 0, {"1 a", "1 z/y"}},
    PripadNecitelneho{"ZakladStrany2", 2, "", 0, {}},
    PripadNecitelneho{"ZakladStrany1", 1, "", 0, {}}),
    [](const testing::TestParamInfo<PripadNecitelneho>& i) { return std::string(i.param.nazev); });

// Paths far beyond PATH_MAX: every directory is opened relative to its parent.
TEST_F(PorovnaniTest, StromLibovolneHloubky)
{
    const std::string hluboko = test::deepChain(strom1.root(), "adresar_x", 2000, {"nejhlubsi"});
    test::deepChain(strom2.root(), "adresar_x", 2000);
    NastaveniPorovnani n = nastaveni();
    const VysledekBehu v = spust(n);
    EXPECT_TRUE(v.nepristupne.empty());
    EXPECT_EQ(prijemce.radky(), (Radky{"1 " + hluboko + "/nejhlubsi"}));
}

// A directory swapped for a link to a place outside the tree while the run
// goes: the walk goes on from the descriptors it holds and never lists the
// link's target.
TEST_F(PorovnaniTest, OdkazPodstrcenyBehemBehuSeNesleduje)
{
    TempTree venku{file("b/c/tajny")};
    strom1.add({file("a/b/c/vlastni")});
    NastaveniPorovnani n = nastaveni();
    n.ChB_adresar1 = false;
    const std::string a = strom1.path("a");
    bool vymeneno = false;
    prijemce.poStavu = [&](const QString& text) {
        if (vymeneno)
            return;
        if (!text.endsWith(QStringLiteral("/a/b"))) {
            std::this_thread::sleep_for(std::chrono::milliseconds(110));   // past the status throttle
            return;
        }
        // "a" is listed, "a/b" not yet.
        ASSERT_EQ(::rename(a.c_str(), (a + "_puvodni").c_str()), 0);
        ASSERT_EQ(::symlink(venku.root().c_str(), a.c_str()), 0);
        vymeneno = true;
    };
    const VysledekBehu v = spust(n, 1);
    for (const std::string& r : prijemce.radky())
        EXPECT_EQ(r.find("tajny"), std::string::npos) << r;
    EXPECT_TRUE(vymeneno);
    EXPECT_EQ(prijemce.radky(), (Radky{"1 a/b/c/vlastni"}));
    EXPECT_TRUE(v.nepristupne.empty());
}

TEST_F(PorovnaniTest, FifoSeNikdyNeotevreANepocita)
{
    strom1.add({fifo("p"), file("q", 1), fifo("r")});
    strom2.add({fifo("p"), fifo("q"), file("r", 1)});
    EXPECT_EQ(radky(nastaveni()), (Radky{"1 q", "2 r"}));
}

TEST_F(PorovnaniTest, OdkazyNaSouboryPlatiOstatniNe)
{
    strom1.add({file("cil", 7), symlink("odkaz", "cil"), symlink("visici", "nikam"),
                symlink("smycka", "smycka"), file("a/x"), symlink("a/nahoru", ".."),
                symlink("adresar", "a")});
    strom2.add({dir("a")});
    radky(nastaveni());
    EXPECT_EQ(prijemce.radky(), (Radky{"1 cil", "1 odkaz", "1 a/x"}));
    EXPECT_EQ(prijemce.polozky[1].velikost, 7);
}

TEST_F(PorovnaniTest, OdkazNaAdresarNeniAdresar)
{
    strom1.add({file("skutecny/x"), symlink("odkaz", "skutecny")});
    strom2.add({file("odkaz/y"), dir("skutecny")});
    NastaveniPorovnani n = nastaveni();
    EXPECT_EQ(radky(n), (Radky{"1 skutecny/x"}));
    n.ChB_adresar2 = false;
    EXPECT_EQ(radky(n), (Radky{"1 skutecny/x", "2 odkaz/y"}));
}

TEST_F(PorovnaniTest, JmenaMimoUtf8)
{
    strom1.add({file("\xff\xfe.txt", 2), file("d\xe9/\x80", 1)});
    strom2.add({dir("d\xe9")});
    EXPECT_EQ(radky(nastaveni()), (Radky{"1 \xff\xfe.txt", "1 d\xe9/\x80"}));
}

TEST_F(PorovnaniTest, VicNezDesetTisicAdresaru)
{
    std::vector<test::Entry> e;
    for (int i = 0; i < 10050; ++i)
        e.push_back(dir("d" + std::to_string(i)));
    e.push_back(file("d10049/posledni"));
    strom1.add(e);
    NastaveniPorovnani n = nastaveni();
    n.ChB_adresar1 = false;
    EXPECT_EQ(radky(n), (Radky{"1 d10049/posledni"}));
}

TEST_F(PorovnaniTest, CasyPred1980APo2044)
{
    strom1.add({file("pred1980", 1, localTime(1975, 6, 1)), file("stary", 1, localTime(1975, 6, 1)),
                file("budouci", 1, localTime(2050, 1, 1)), file("hranice", 1, localTime(2044, 1, 1))});
    strom2.add({file("stary", 1, localTime(1970, 6, 1)), file("budouci", 1, localTime(2045, 1, 1)),
                file("hranice", 1, localTime(2043, 12, 31, 23, 59, 58))});
    EXPECT_EQ(radky(nastaveni()), (Radky{"3 budouci", "3 hranice", "1 pred1980", "3 stary"}));
}

} // namespace
} // namespace zrc
