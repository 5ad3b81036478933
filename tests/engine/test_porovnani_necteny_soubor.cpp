// A file whose status cannot be read (an I/O error on its inode) is named
// with its reason; the rest of its directory is compared, and its namesake on
// the other side is not taken for new.

#include "test_porovnani_pomoc.h"

#include "support/chybova_volani.h"

namespace zrc {
namespace {

struct PripadNectenehoSouboru {
    const char* nazev;
    int strana;       // the side whose "d/b" fails
    int volani;       // the first fstatat naming "b" is side 1's, the second side 2's
};

class NectenySoubor : public PorovnaniTest, public testing::WithParamInterface<PripadNectenehoSouboru> {};

TEST_P(NectenySoubor, JeHlasenSeJmenemAAdresarSePorovnaDal)
{
    const PripadNectenehoSouboru& p = GetParam();
    const std::time_t t = localTime(2026, 12, 1, 10, 0);
    strom1.add({file("d/a", 1, t), file("d/b", 2, t), file("d/novy1", 3, t), file("d/zmeneny", 4, t + 10)});
    strom2.add({file("d/a", 1, t), file("d/b", 2, t), file("d/novy2", 3, t), file("d/zmeneny", 4, t)});
    test::ChyboveVolani sys;
    sys.poruchy.push_back({.druh = platform::Call::FstatAt, .od = p.volani, .err = EIO, .jmeno = "b"});
    const VysledekBehu v = porovnej({.nastaveni = nastaveni(), .hodiny = &hodiny, .vlakna = 1, .sys = &sys},
                                    prijemce);
    EXPECT_EQ(prijemce.radky(), (Radky{"1 d/novy1", "3 d/zmeneny", "2 d/novy2"}));
    ASSERT_EQ(v.nepristupne.size(), 1u);
    const std::string cesta = (p.strana == 1 ? strom1 : strom2).path("d/b");
    EXPECT_EQ(v.nepristupne[0].cesta, cesta);
    EXPECT_EQ(v.nepristupne[0].druh, DruhNepristupneho::Soubor);
    EXPECT_EQ(radekNepristupneho(v.nepristupne[0]).toStdString(),
              "Soubor nelze přečíst: " + cesta + ": chyba čtení z disku");
    EXPECT_TRUE(hlaseniNepristupnych(v.nepristupne).startsWith(QStringLiteral("Některé soubory nelze přečíst (1)")));
}

INSTANTIATE_TEST_SUITE_P(Pripady, NectenySoubor, testing::Values(
    PripadNectenehoSouboru{"Strana1", 1, 1},
    PripadNectenehoSouboru{"Strana2", 2, 2}),
    [](const testing::TestParamInfo<PripadNectenehoSouboru>& i) { return std::string(i.param.nazev); });

} // namespace
} // namespace zrc
