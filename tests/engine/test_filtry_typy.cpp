#include "engine/seznam_vynechanych_typu.h"

#include <gtest/gtest.h>

namespace zrc {
namespace {

struct PripadTypu {
    const char* jmeno;
    bool vynechany;
};

class VynechaneTypyTest : public testing::TestWithParam<PripadTypu> {};

TEST_P(VynechaneTypyTest, BakATmp)
{
    // Free slots ("") are part of every stored list.
    SeznamVynechanychTypu typy({QStringLiteral("BAK"), QString(), QStringLiteral("TMP"),
                                QStringLiteral("ŽÁK"), QStringLiteral("gz")});
    EXPECT_EQ(typy.jeVynechanyTyp(GetParam().jmeno), GetParam().vynechany) << GetParam().jmeno;
}

INSTANTIATE_TEST_SUITE_P(Pripady, VynechaneTypyTest, testing::Values(
    PripadTypu{"x.bak", true},
    PripadTypu{"Y.TMP", true},
    PripadTypu{"z.Bak", true},
    PripadTypu{"x.bak.txt", false},      // only the last extension counts
    PripadTypu{"a.tar.gz", true},        // a type stored in lower case still matches
    PripadTypu{"bak", false},            // no extension, never excluded
    PripadTypu{".bak", true},            // a dot file's whole name is its extension
    PripadTypu{"a.", false},             // a free slot does not exclude a bare dot
    PripadTypu{"úkol.žák", true},        // accented letters are upper-cased too
    PripadTypu{"x.baky", false},
    PripadTypu{"x.\xff\xfe", false}));    // not UTF-8: compared, never matched

TEST(VynechaneTypy, PrazdnySeznamNevynechavaNic)
{
    SeznamVynechanychTypu typy;
    EXPECT_FALSE(typy.jeVynechanyTyp("x.bak"));
    EXPECT_FALSE(typy.jeVynechanyTyp("a."));
}

} // namespace
} // namespace zrc
