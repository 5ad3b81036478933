// The walk's cached time conversion agrees with the C library's, second by
// second, across summer-time changes and in zones with half-hour offsets.

#include "engine/prevod_casu.h"
#include "test_cas_pasmo.h"

namespace zrc {
namespace {

class PrevodCasuTest : public VPasmu, public testing::WithParamInterface<const char*> {};

TEST_P(PrevodCasuTest, ShodaSKnihovnou)
{
    setenv("TZ", GetParam(), 1);
    tzset();
    PrevodCasu prevod;
    auto over = [&](std::int64_t od, std::int64_t delka, std::int64_t krok) {
        for (std::int64_t t = od; t < od + delka; t += krok)
            ASSERT_EQ(prevod.baleny(t), balenyCasZUnix(std::time_t(t))) << GetParam() << " " << t;
    };
    // Around the changes of 2026 (every 7 s over two days each), plus single
    // times before 1980, before 1970 and after 2044.
    over(1774738800 - 86400, 2 * 86400, 7);   // 2026-03-29
    over(1792882800 - 86400, 2 * 86400, 7);   // 2026-10-25
    over(1775000000, 366LL * 86400, 3607);
    for (std::int64_t t : {-86400LL * 400, 0LL, 157766400LL, 2524608000LL, 4102444800LL})
        over(t, 1, 1);
}

INSTANTIATE_TEST_SUITE_P(Pasma, PrevodCasuTest,
                         testing::Values("Europe/Prague", "UTC", "America/St_Johns",
                                         "Australia/Lord_Howe", "Asia/Kathmandu"));

} // namespace
} // namespace zrc
