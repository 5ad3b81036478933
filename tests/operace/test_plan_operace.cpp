// The plan line of the confirmations and the mass-deletion threshold.

#include "operace/hromadne_mazani.h"
#include "operace/plan_operace.h"

#include <gtest/gtest.h>

namespace zrc::test {
namespace {

struct PlanPripad {
    std::int64_t soubory, bajty;
    KamSmazane kam;
    const char* text;
};

class PlanovaRadka : public testing::TestWithParam<PlanPripad> {};

TEST_P(PlanovaRadka, CeskyTvarAVelikost)
{
    const auto& p = GetParam();
    EXPECT_EQ(textPlanu({.soubory = p.soubory, .bajty = p.bajty}, p.kam), p.text);
}

constexpr std::int64_t KiB = 1024, MiB = KiB * KiB, GiB = MiB * KiB;

INSTANTIATE_TEST_SUITE_P(
    Plan, PlanovaRadka,
    testing::Values(
        PlanPripad{3, 6 * MiB, KamSmazane::Nic, "3 soubory, 6,0 MiB"},
        PlanPripad{1, 0, KamSmazane::Nic, "1 soubor, 0 B"},
        PlanPripad{2, 1023, KamSmazane::Nic, "2 soubory, 1023 B"},
        PlanPripad{4, 1024, KamSmazane::Nic, "4 soubory, 1,0 KiB"},
        PlanPripad{5, 1536, KamSmazane::Nic, "5 souborů, 1,5 KiB"},
        PlanPripad{0, 0, KamSmazane::Nic, "0 souborů, 0 B"},
        PlanPripad{11, MiB - 1, KamSmazane::Nic, "11 souborů, 1,0 MiB"},   // not "1024,0 KiB"
        PlanPripad{21, 10 * MiB + MiB / 10, KamSmazane::Nic, "21 souborů, 10,1 MiB"},
        PlanPripad{23, 10 * MiB + MiB / 20, KamSmazane::Nic, "23 souborů, 10,0 MiB"},   // 10,0499
        PlanPripad{22, GiB + GiB / 2, KamSmazane::Nic, "22 souborů, 1,5 GiB"},
        PlanPripad{1000, 3 * GiB * KiB, KamSmazane::Nic, "1000 souborů, 3,0 TiB"},
        PlanPripad{3, 6 * MiB, KamSmazane::DoKose, "3 soubory, 6,0 MiB, do koše"},
        PlanPripad{1, 10, KamSmazane::Natrvalo, "1 soubor, 10 B, natrvalo"},
        PlanPripad{2, 2 * KiB, KamSmazane::StareDoKose, "2 soubory, 2,0 KiB, staré verze do koše"}));

struct HromadnePripad {
    std::int64_t mazanych, naStrane;
    bool natrvalo, ptat;
};

class HromadneMazani : public testing::TestWithParam<HromadnePripad> {};

TEST_P(HromadneMazani, Prah)
{
    const auto& p = GetParam();
    EXPECT_EQ(hromadneMazani({.mazanych = p.mazanych, .naStrane = p.naStrane, .natrvalo = p.natrvalo}),
              p.ptat);
}

INSTANTIATE_TEST_SUITE_P(
    Plan, HromadneMazani,
    testing::Values(HromadnePripad{9, 10, true, false},      // 9 files: below the count
                    HromadnePripad{10, 10, true, true},      // 10 of 10
                    HromadnePripad{10, 20, true, true},      // exactly 50 %
                    HromadnePripad{49, 100, true, false},    // 49 %
                    HromadnePripad{50, 100, true, true},     // 50 %
                    HromadnePripad{10, 21, true, false},     // 47.6 %
                    HromadnePripad{100, 100, false, false},  // into the trash: no question
                    HromadnePripad{9, 9, true, false}));

TEST(HromadneMazani, TextSPocty)
{
    EXPECT_EQ(textHromadnehoMazani(12, 20),
              "Natrvalo se odstraní 12 souborů z 20 uvedených na této straně.\rOpravdu pokračovat?");
}

} // namespace
} // namespace zrc::test
