// The walk's cached time conversion agrees with the C library's, second by
// second, across summer-time changes and in zones with half-hour offsets.

#include "engine/prevod_casu.h"
#include "engine/zarazeni.h"
#include "test_cas_pasmo.h"

#include <random>

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
    // Times of a real tree in no order, 1900-2100: the cache's blocks are filled,
    // evicted and filled again.
    std::mt19937_64 nahoda(20261207);
    std::uniform_int_distribution<std::int64_t> rozsah(-2208988800LL, 4102444800LL);
    for (int i = 0; i < 20000; ++i)
        over(rozsah(nahoda), 1, 1);
}

INSTANTIATE_TEST_SUITE_P(Pasma, PrevodCasuTest,
                         testing::Values("Europe/Prague", "UTC", "America/St_Johns",
                                         "Australia/Lord_Howe", "Asia/Kathmandu",
                                         // a day left out (2011-12-30) and a summer time
                                         // suspended for a month every year
                                         "Pacific/Apia", "Africa/Casablanca"));

} // namespace
} // namespace zrc

namespace zrc {
namespace {

// A file against its counterpart compares by packed local time (to two
// seconds), although times are packed only where the seconds differ.
struct PripadRozdilu {
    const char* nazev;
    std::int64_t sekundyA, velikostA, sekundyB, velikostB;
    std::optional<Trida> trida;
};

class RozdilTest : public VPasmu, public testing::WithParamInterface<PripadRozdilu> {};

TEST_P(RozdilTest, PodleBalenehoCasu)
{
    setenv("TZ", "Europe/Prague", 1);
    tzset();
    const PripadRozdilu& p = GetParam();
    PrevodCasu prevod;
    const SouborVypisu a{.velikost = p.velikostA, .sekundy = p.sekundyA};
    const SouborVypisu b{.velikost = p.velikostB, .sekundy = p.sekundyB};
    const std::optional<Rozdil> r = tridaRozdilu(a, &b, prevod);
    ASSERT_EQ(r.has_value(), p.trida.has_value());
    if (r) {
        EXPECT_EQ(r->trida, *p.trida);
        EXPECT_EQ(r->cas, balenyCasZUnix(std::time_t(p.sekundyA)));
    }
}

constexpr std::int64_t sudy = 1775000000;    // an even second
constexpr std::int64_t zmena = 1792890000;  // 2026-10-25 01:00 UTC: 03:00 CEST becomes 02:00 CET

INSTANTIATE_TEST_SUITE_P(Pripady, RozdilTest, testing::Values(
    PripadRozdilu{"stejne", sudy, 10, sudy, 10, std::nullopt},
    PripadRozdilu{"stejnyCasVetsi", sudy, 11, sudy, 10, Trida::Vetsi},
    PripadRozdilu{"stejnyCasMensi", sudy, 9, sudy, 10, Trida::Mensi},
    PripadRozdilu{"sekundaVeStejnychDvou", sudy + 1, 11, sudy, 10, Trida::Vetsi},
    PripadRozdilu{"sekundaVeStejnychDvouStejne", sudy + 1, 10, sudy, 10, std::nullopt},
    PripadRozdilu{"novejsi", sudy + 2, 5, sudy, 10, Trida::Novejsi},
    PripadRozdilu{"starsi", sudy - 2, 50, sudy, 10, std::nullopt},
    // 02:30 CEST and, an hour later, 02:30 CET pack the same.
    PripadRozdilu{"opakovanaHodina", zmena - 1800, 11, zmena + 1800, 10, Trida::Vetsi},
    PripadRozdilu{"opakovanaHodinaObracene", zmena + 1800, 10, zmena - 1800, 10, std::nullopt}),
    [](const auto& info) { return std::string(info.param.nazev); });

TEST_F(VPasmu, BezProtejskuJeNovy)
{
    PrevodCasu prevod;
    const SouborVypisu a{.velikost = 1, .sekundy = 1775000001};
    const std::optional<Rozdil> r = tridaRozdilu(a, nullptr, prevod);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->trida, Trida::Nove);
    EXPECT_EQ(r->cas, balenyCasZUnix(std::time_t(1775000001)));
}

} // namespace
} // namespace zrc
