// Leftover temporary files of interrupted copies: the walk records where it
// met them (never listing them), and their deletion removes only what still
// is such a file.

#include "engine/docasne_soubory.h"
#include "test_porovnani_pomoc.h"

#include <sys/stat.h>

namespace zrc {
namespace {

bool existuje(const std::string& cesta)
{
    struct stat st {};
    return ::lstat(cesta.c_str(), &st) == 0;
}

class Docasne : public PorovnaniTest, public testing::WithParamInterface<int> {};

// In both trees, at the top and in a subdirectory both have; with one listing
// thread and with several the same record, each path once.
TEST_P(Docasne, BehJeZaznamenaANevypise)
{
    const std::time_t t = localTime(2021, 1, 1);
    strom1.add({file("a/x.txt", 3, t), file("a/.x.txt.k3j9qa.zrtmp", 2), file(".y.bin.000000.zrtmp", 1)});
    strom2.add({file("a/x.txt", 3, t), file(".z.doc.abcdef.zrtmp", 1)});
    SberDocasnych sber;
    ParametryBehu p{.nastaveni = nastaveni(), .hodiny = &hodiny, .stop = &stop, .vlakna = GetParam()};
    p.docasne = &sber;
    const VysledekBehu v = porovnej(p, prijemce);
    EXPECT_EQ(v.konec, KonecBehu::Dokonceno);
    EXPECT_TRUE(prijemce.radky().empty()) << prijemce.radky().front();
    std::vector<std::string> ocekavane{strom1.path(".y.bin.000000.zrtmp"), strom1.path("a/.x.txt.k3j9qa.zrtmp"),
                                       strom2.path(".z.doc.abcdef.zrtmp")};
    std::sort(ocekavane.begin(), ocekavane.end());
    EXPECT_EQ(sber.cesty(), ocekavane);
}

INSTANTIATE_TEST_SUITE_P(Vlakna, Docasne, testing::Values(1, 4));

// Only regular files of the pattern go: a link with such a name and a file of
// another name stay and are reported; one gone meanwhile is no failure.
TEST(SmazDocasne, JenSkutecneDocasne)
{
    TempTree t{{file("a/.x.txt.k3j9qa.zrtmp", 2), file("cil.txt", 1), file("x.txt.k3j9qa.zrtmp", 1),
                symlink("a/.o.txt.aaaaaa.zrtmp", "../cil.txt")}};
    const auto chyby = smazDocasne({t.path("a/.x.txt.k3j9qa.zrtmp"), t.path("a/.o.txt.aaaaaa.zrtmp"),
                                    t.path("x.txt.k3j9qa.zrtmp"), t.path("a/.pryc.txt.bbbbbb.zrtmp")});
    EXPECT_FALSE(existuje(t.path("a/.x.txt.k3j9qa.zrtmp")));
    EXPECT_TRUE(existuje(t.path("a/.o.txt.aaaaaa.zrtmp")));
    EXPECT_TRUE(existuje(t.path("cil.txt")));
    EXPECT_TRUE(existuje(t.path("x.txt.k3j9qa.zrtmp")));
    ASSERT_EQ(chyby.size(), 2u);
    EXPECT_EQ(chyby[0].cesta, t.path("a/.o.txt.aaaaaa.zrtmp"));
    EXPECT_EQ(chyby[1].cesta, t.path("x.txt.k3j9qa.zrtmp"));
}

} // namespace
} // namespace zrc
