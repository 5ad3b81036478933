#include "util/datum_text.h"

#include <gtest/gtest.h>

namespace zrc {
namespace {

struct PripadDatumu {
    const char16_t* vstup;
    const char16_t* vystup;
};

class UpravDatumTest : public testing::TestWithParam<PripadDatumu> {};

TEST_P(UpravDatumTest, RokNapred)
{
    EXPECT_EQ(UpravDatum(GetParam().vstup), QString::fromUtf16(GetParam().vystup));
}

INSTANTIATE_TEST_SUITE_P(Pripady, UpravDatumTest, testing::Values(
    PripadDatumu{u"6.12.2026 9:05:03", u"2026.12.06 09:05:03"},
    PripadDatumu{u"6.12.2026 09:05", u"2026.12.06 09:05"},
    PripadDatumu{u"6.12.2026", u"2026.12.06"},
    PripadDatumu{u"31.1.1999 23:59:58", u"1999.01.31 23:59:58"},
    PripadDatumu{u"1.1.80", u"0080.01.01"},
    PripadDatumu{u"", u""}));

} // namespace
} // namespace zrc
