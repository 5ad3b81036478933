// Leftover temporary files of interrupted copies: the walk records where it
// met them and never lists them.

#include "engine/docasne_soubory.h"
#include "test_porovnani_pomoc.h"

namespace zrc {
namespace {

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
    std::vector<std::string> cesty;
    for (const NalezenyDocasny& d : sber.nalezene())
        cesty.push_back(d.cesta());
    std::sort(cesty.begin(), cesty.end());
    EXPECT_EQ(cesty, ocekavane);
}

INSTANTIATE_TEST_SUITE_P(Vlakna, Docasne, testing::Values(1, 4));

} // namespace
} // namespace zrc
