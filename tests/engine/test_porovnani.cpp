// Classification, passes, scope and the walk filters, each on two real trees.

#include "test_porovnani_pomoc.h"

#include "engine/seznam_vynechanych_typu.h"
#include "engine/zarazeni.h"

namespace zrc {
namespace {

using Polozky = std::vector<test::Entry>;

struct PripadPorovnani {
    const char* nazev;
    std::function<Polozky()> strana1, strana2;   // built under the test's time zone
    std::function<void(NastaveniPorovnani&)> uprava;
    Radky ocekavane;
};

std::time_t T0() { return localTime(2020, 5, 5, 10, 0, 0); }
std::time_t T1() { return T0() + 10; }

class Klasifikace : public PorovnaniTest, public testing::WithParamInterface<PripadPorovnani> {};

TEST_P(Klasifikace, DavaOcekavaneSeznamy)
{
    const PripadPorovnani& p = GetParam();
    strom1.add(p.strana1());
    strom2.add(p.strana2());
    NastaveniPorovnani n = nastaveni();
    if (p.uprava)
        p.uprava(n);
    EXPECT_EQ(radky(n), p.ocekavane);
}

void bezStejnych(NastaveniPorovnani& n)
{
    n.ChB_adresar1 = false;
    n.ChB_adresar2 = false;
}

INSTANTIATE_TEST_SUITE_P(Pripady, Klasifikace, testing::Values(
    PripadPorovnani{"NoveVlevo", [] { return Polozky{file("a.txt", 1, T0())}; }, [] { return Polozky{}; }, {}, {"1 a.txt"}},
    PripadPorovnani{"NoveVpravo", [] { return Polozky{}; }, [] { return Polozky{file("a.txt", 1, T0())}; }, {}, {"2 a.txt"}},
    PripadPorovnani{"NovejsiVlevo", [] { return Polozky{file("a", 1, T1())}; }, [] { return Polozky{file("a", 9, T0())}; }, {}, {"3 a"}},
    PripadPorovnani{"NovejsiVpravo", [] { return Polozky{file("a", 9, T0())}; }, [] { return Polozky{file("a", 1, T1())}; }, {}, {"4 a"}},
    PripadPorovnani{"VetsiAMensi", [] { return Polozky{file("a", 10, T0())}; }, [] { return Polozky{file("a", 5, T0())}; }, {}, {"5 a", "8 a"}},
    PripadPorovnani{"MensiAVetsi", [] { return Polozky{file("a", 5, T0())}; }, [] { return Polozky{file("a", 10, T0())}; }, {}, {"7 a", "6 a"}},
    PripadPorovnani{"StejneNic", [] { return Polozky{file("a", 5, T0())}; }, [] { return Polozky{file("a", 5, T0())}; }, {}, {}},
    // 10:00:00 and 10:00:01 are the same 2-second step.
    PripadPorovnani{"StejnyDvousekundovyKrok", [] { return Polozky{file("a", 5, T0() + 1)}; }, [] { return Polozky{file("a", 5, T0())}; }, {}, {}},
    PripadPorovnani{"DalsiDvousekundovyKrok", [] { return Polozky{file("a", 5, T0() + 2)}; }, [] { return Polozky{file("a", 5, T0())}; }, {}, {"3 a"}},
    PripadPorovnani{"AdresarNeniProtejsek", [] { return Polozky{file("x", 1, T0())}; }, [] { return Polozky{file("x/y", 1, T0())}; }, {}, {"1 x"}},
    PripadPorovnani{"JenAdresar1", [] { return Polozky{file("a", 1, T0()), file("c", 5, T0())}; }, [] { return Polozky{file("b", 1, T0()), file("c", 9, T0())}; },
                    [](NastaveniPorovnani& n) { n.CBOmez = int(Omezeni::JenAdresar1); }, {"1 a", "7 c"}},
    PripadPorovnani{"JenAdresar2", [] { return Polozky{file("a", 1, T0()), file("c", 5, T0())}; }, [] { return Polozky{file("b", 1, T0()), file("c", 9, T0())}; },
                    [](NastaveniPorovnani& n) { n.CBOmez = int(Omezeni::JenAdresar2); }, {"2 b", "6 c"}},
    PripadPorovnani{"StejnePodadresareNechodiDoChybejicich", [] { return Polozky{file("sub/x", 1, T0())}; }, [] { return Polozky{}; }, {}, {}},
    PripadPorovnani{"BezStejnychPodadresaru", [] { return Polozky{file("sub/x", 1, T0())}; }, [] { return Polozky{}; },
                    [](NastaveniPorovnani& n) { n.ChB_adresar1 = false; }, {"1 sub/x"}},
    PripadPorovnani{"PoradiPoUrovnichAPodleBajtu",
                    [] { return Polozky{file("b/x"), file("a/c/x"), file("a/x"), file("B/x"), file("x"), file("a/c/\xc3\xa4"), file("a/c/z")}; },
                    [] { return Polozky{dir("a/c"), dir("b"), dir("B")}; }, {},
                    {"1 x", "1 B/x", "1 a/x", "1 b/x", "1 a/c/x", "1 a/c/z", "1 a/c/\xc3\xa4"}},
    PripadPorovnani{"HloubkaJedna", [] { return Polozky{file("a/b/x"), file("c/d/x"), file("y")}; }, [] { return Polozky{dir("a")}; },
                    [](NastaveniPorovnani& n) { bezStejnych(n); n.ChB_Filtr_3 = true; n.SE_Filtr_3 = 1; }, {"1 y", "1 a/b/x"}},
    PripadPorovnani{"HloubkaDve", [] { return Polozky{file("a/b/x"), file("c/d/x"), file("y")}; }, [] { return Polozky{dir("a")}; },
                    [](NastaveniPorovnani& n) { bezStejnych(n); n.ChB_Filtr_3 = true; n.SE_Filtr_3 = 2; }, {"1 y"}},
    PripadPorovnani{"HloubkaPredekNaUrovni", [] { return Polozky{file("a/b/c/x"), file("a/q/c/x")}; }, [] { return Polozky{dir("a/b")}; },
                    [](NastaveniPorovnani& n) { bezStejnych(n); n.ChB_Filtr_3 = true; n.SE_Filtr_3 = 2; }, {"1 a/b/c/x"}},
    PripadPorovnani{"HloubkaNulaNechaVse", [] { return Polozky{file("a/b/x"), file("c/d/x"), file("y")}; }, [] { return Polozky{dir("a")}; },
                    [](NastaveniPorovnani& n) { bezStejnych(n); n.ChB_Filtr_3 = true; n.SE_Filtr_3 = 0; }, {"1 y", "1 a/b/x", "1 c/d/x"}},
    // "now" is 2026-12-06 12:00; one day back is 2026-12-05 00:00, and a time in
    // the same 2-second step as the limit does not pass.
    PripadPorovnani{"SouboryZaPosledniDen",
                    [] { return Polozky{file("hranice", 1, localTime(2026, 12, 5, 0, 0, 1)), file("nad", 1, localTime(2026, 12, 5, 0, 0, 2))}; },
                    [] { return Polozky{}; },
                    [](NastaveniPorovnani& n) { n.ChB_Filtr_1 = true; n.SE_Filtr_1_Posledni = 1; }, {"1 nad"}},
    PripadPorovnani{"SouboryZaPosledniDveHodiny",
                    [] { return Polozky{file("hranice", 1, localTime(2026, 12, 6, 10, 0, 0)), file("nad", 1, localTime(2026, 12, 6, 10, 0, 2))}; },
                    [] { return Polozky{}; },
                    [](NastaveniPorovnani& n) { n.ChB_Filtr_1 = true; n.SE_Filtr_1_Posledni = 2; n.ChB_Filtr_1_Posledni = 2; }, {"1 nad"}},
    PripadPorovnani{"SouboryPoDatu",
                    [] { return Polozky{file("hranice", 1, localTime(2020, 1, 1, 10, 0, 1)), file("nad", 1, localTime(2020, 1, 1, 10, 0, 2))}; },
                    [] { return Polozky{}; },
                    [](NastaveniPorovnani& n) { n.ChB_Filtr_1 = true; n.CB_Filtr_1 = 2; n.DTP_Filtr_1_OdData = QDate(2020, 1, 1); n.ME_Filtr_1_OdData = "10:00"; }, {"1 nad"}},
    PripadPorovnani{"VetsiAMensiIgnorujiCasovyFiltr", [] { return Polozky{file("a", 10, T0()), file("n", 1, T0())}; }, [] { return Polozky{file("a", 5, T0())}; },
                    [](NastaveniPorovnani& n) { n.ChB_Filtr_1 = true; n.SE_Filtr_1_Posledni = 1; }, {"5 a", "8 a"}},
    PripadPorovnani{"VetsiAMensiSCasovymFiltrem", [] { return Polozky{file("a", 10, T0()), file("n", 1, T0())}; }, [] { return Polozky{file("a", 5, T0())}; },
                    [](NastaveniPorovnani& n) { n.ChB_Filtr_1 = true; n.SE_Filtr_1_Posledni = 1; n.ChBIgnorCasFiltr = false; }, {}},
    // Each directory is judged by its own time: an old one is skipped, a newer
    // one inside it is still compared, and the source directory always is.
    PripadPorovnani{"PodadresareZaPosledniDen",
                    [] { return Polozky{file("r", 1, T0()), file("stary/x", 1, T0()), file("stary/novy/y", 1, T0()),
                                        dir("stary/novy", localTime(2026, 12, 6, 1, 0, 0)), dir("stary", T0()), dir("", T0())}; },
                    [] { return Polozky{dir("stary/novy", T0()), dir("stary", T0())}; },
                    [](NastaveniPorovnani& n) { n.ChB_Filtr_2 = true; n.SE_Filtr_2_Posledni = 1; }, {"1 r", "1 stary/novy/y"}}),
    [](const testing::TestParamInfo<PripadPorovnani>& i) { return std::string(i.param.nazev); });

TEST_F(PorovnaniTest, VynechaneTypyPlatiVeVsechSeznamech)
{
    strom1.add({file("x.bak"), file("Y.TMP"), file("z.Bak"), file("x.bak.txt"), file("prosty"), file("s.tmp", 9, T0())});
    strom2.add({file("s.tmp", 1, T0())});
    SeznamVynechanychTypu vynechane({QStringLiteral("BAK"), QStringLiteral("TMP")});
    typy = &vynechane;
    EXPECT_EQ(radky(nastaveni()), (Radky{"1 prosty", "1 x.bak.txt"}));
}

TEST_F(PorovnaniTest, PolozkaNeseCasAVelikost)
{
    const std::time_t t = localTime(2026, 12, 6, 9, 5, 3);
    const std::int64_t triGiB = std::int64_t{3} << 30;
    strom1.add({file("d/velky.iso", triGiB, t)});
    strom2.add({dir("d")});
    radky(nastaveni());
    ASSERT_EQ(prijemce.polozky.size(), 1u);
    EXPECT_EQ(prijemce.polozky[0].podadresar, "d/");
    EXPECT_EQ(prijemce.polozky[0].velikost, triGiB);
    EXPECT_EQ(prijemce.polozky[0].cas, balenyCasZUnix(t));
}

TEST(ShodaUrovneTest, UrovenNulaNechaVseJinakRozhodujeProtejsekNeboPredek)
{
    EXPECT_TRUE(ShodaUrovne(3, 0, false, false));
    EXPECT_FALSE(ShodaUrovne(0, 1, true, true));
    EXPECT_TRUE(ShodaUrovne(2, 2, true, false));
    EXPECT_FALSE(ShodaUrovne(2, 2, false, true));
    EXPECT_TRUE(ShodaUrovne(3, 2, false, true));
    EXPECT_FALSE(ShodaUrovne(3, 2, true, false));
}

} // namespace
} // namespace zrc
