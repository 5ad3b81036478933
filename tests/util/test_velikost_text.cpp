// The one formatter of sizes: the status bar's fixed field, the readable form
// of the plan and progress lines, and the transfer rate of the progress line.

#include "util/velikost_text.h"

#include <gtest/gtest.h>

namespace zrc::test {
namespace {

constexpr std::int64_t KiB = 1024, MiB = KiB * KiB, GiB = MiB * KiB;

struct Velikost {
    std::int64_t s;
    const char* pole;     // the selection summary's field
    const char* radek;    // the lines' readable form
    const char* rychlost; // the same number as bytes per second
};

class TextyVelikosti : public testing::TestWithParam<Velikost> {};

TEST_P(TextyVelikosti, TriTvaryJednohoCisla)
{
    const Velikost& p = GetParam();
    EXPECT_EQ(TextVelikosti(p.s), QString::fromLatin1(p.pole));
    EXPECT_EQ(velikostTextem(p.s), p.radek);
    EXPECT_EQ(rychlostTextem(p.s), p.rychlost);
}

INSTANTIATE_TEST_SUITE_P(Hranice, TextyVelikosti, testing::Values(
    Velikost{0, "   0byte ", "0 B", "0 B/s"},
    Velikost{1023, "1023byte ", "1023 B", "1023 B/s"},
    Velikost{1024, "    1kB ", "1,0 KiB", "1,0 KiB/s"},
    Velikost{5000, "    4kB ", "4,9 KiB", "4,9 KiB/s"},
    Velikost{10 * KiB - 52, "    9kB ", "9,9 KiB", "9,9 KiB/s"},
    Velikost{10 * KiB - 51, "    9kB ", "10,0 KiB", "10 KiB/s"},   // whole units from 10 on
    Velikost{1023999, "  999kB ", "1000,0 KiB", "1000 KiB/s"},
    Velikost{1024000, "   1.0MB ", "1000,0 KiB", "1000 KiB/s"},
    Velikost{MiB - 1, "   1.0MB ", "1,0 MiB", "1,0 MiB/s"},       // never "1024,0 KiB"
    Velikost{85 * MiB + MiB / 2, "  85.5MB ", "85,5 MiB", "86 MiB/s"},
    Velikost{5 * GiB, "5120.0MB ", "5,0 GiB", "5,0 GiB/s"},       // above 4 GiB: no overflow
    Velikost{10 * KiB * GiB, "10485760.0MB ", "10,0 TiB", "10 TiB/s"}));   // never cut

TEST(RychlostTextem, ZapornaJeNula)
{
    EXPECT_EQ(rychlostTextem(-5), "0 B/s");
}

} // namespace
} // namespace zrc::test
