#include "engine/prevod_casu.h"
#include "support/temp_tree.h"
#include "test_cas_pasmo.h"

#include <vector>

#include <limits>

namespace zrc {
namespace {

constexpr DlouhyFormatCasu S = DlouhyFormatCasu::HodinyMinutySekundy;

using CasTest = VPasmu;
using test::localTime;

TEST_F(CasTest, ZUnixDavaKlasickeSlovoPro1980Az2043)
{
    EXPECT_EQ(balenyCasZUnix(localTime(2026, 12, 6, 9, 5, 3)), klasicky(2026, 12, 6, 9, 5, 3));
    EXPECT_EQ(balenyCasZUnix(localTime(1980, 1, 1, 0, 0, 0)), klasicky(1980, 1, 1, 0, 0, 0));
    EXPECT_EQ(balenyCasZUnix(localTime(2043, 12, 31, 23, 59, 58)), klasicky(2043, 12, 31, 23, 59, 58));
    // Summer time: the local wall clock is packed, not UTC.
    EXPECT_EQ(balenyCasZUnix(localTime(2026, 7, 1, 12, 0, 0)), klasicky(2026, 7, 1, 12, 0, 0));
}

TEST_F(CasTest, DvousekundovyKrok)
{
    const std::time_t t = localTime(2026, 12, 6, 9, 5, 2);
    EXPECT_EQ(balenyCasZUnix(t), balenyCasZUnix(t + 1));
    EXPECT_LT(balenyCasZUnix(t + 1), balenyCasZUnix(t + 2));
    EXPECT_LT(balenyCasZUnix(t - 1), balenyCasZUnix(t));
}

TEST_F(CasTest, CasyMimoRozsahExistujiARadiSe)
{
    const BalenyCas r1979 = balenyCasZUnix(localTime(1979, 12, 31, 23, 59, 58));
    const BalenyCas r1980 = balenyCasZUnix(localTime(1980, 1, 1, 0, 0, 0));
    const BalenyCas r2043 = balenyCasZUnix(localTime(2043, 12, 31, 23, 59, 58));
    const BalenyCas r2050 = balenyCasZUnix(localTime(2050, 6, 1, 8, 0, 0));
    const BalenyCas r2120 = balenyCasZUnix(localTime(2120, 1, 1, 0, 0, 0));
    EXPECT_LT(r1979, 0);
    EXPECT_LT(r1979, r1980);
    EXPECT_LT(r1980, r2043);
    EXPECT_LT(r2043, r2050);
    EXPECT_GT(r2050, BalenyCas(std::numeric_limits<std::int32_t>::max()));
    EXPECT_LT(r2050, r2120);
    EXPECT_EQ(textDatumu(r1979, S), QStringLiteral("1979.12.31 23:59:58"));
    EXPECT_EQ(textDatumu(r2120, S), QStringLiteral("2120.01.01"));
}

struct PripadDatumCasu {
    DatumCas d;
    BalenyCas baleny;
};

class ZDatumCasuTest : public VPasmu, public testing::WithParamInterface<PripadDatumCasu> {};

TEST_P(ZDatumCasuTest, Zabali)
{
    EXPECT_EQ(balenyCasZDatumCasu(GetParam().d), GetParam().baleny);
}

// 36717 = 10 July 2000; 29221 = 1 January 1980; 73050 = 31 December 2099.
INSTANTIATE_TEST_SUITE_P(Pripady, ZDatumCasuTest, testing::Values(
    PripadDatumCasu{36717 + 10 / 24.0, klasicky(2000, 7, 10, 10, 0, 0)},
    PripadDatumCasu{36717 + 10 / 24.0 - 1 / 1440.0, klasicky(2000, 7, 10, 9, 59, 0)},
    PripadDatumCasu{36717 + 3 / 86400.0, klasicky(2000, 7, 10, 0, 0, 2)},   // remainder dropped
    PripadDatumCasu{29221, klasicky(1980, 1, 1, 0, 0, 0)},
    // Limits outside 1980-2099 are real limits: 64-bit packed times hold files of any year.
    PripadDatumCasu{29221 - 1 / 86400.0, zabalCas(1979, 12, 31, 23, 59, 59)},
    PripadDatumCasu{73050 + 0.999, klasicky(2099, 12, 31, 23, 58, 33)},
    PripadDatumCasu{73051, zabalCas(2100, 1, 1, 0, 0, 0)},
    PripadDatumCasu{0, zabalCas(1899, 12, 30, 0, 0, 0)}));

// Every second a file system can hold (tmpfs keeps any 64-bit count) packs
// without overflow, in the order of time, to a readable date.
TEST_F(CasTest, KrajniCasyRadiSeAMajiText)
{
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    const std::int64_t rok1e9 = 31'556'952LL * 1'000'000'000LL;
    const std::vector<std::int64_t> casy = {
        min, min + 2, -rok1e9 * 3, -rok1e9 * 2 - 86400 * 3, -rok1e9 * 2, -rok1e9, -86400LL * 400, 0,
        localTime(2026, 12, 6, 9, 5, 2), rok1e9, rok1e9 * 2 - 86400, rok1e9 * 2 + 86400 * 3, rok1e9 * 3, max - 2, max};
    PrevodCasu prevod;
    for (std::size_t i = 0; i < casy.size(); ++i) {
        const BalenyCas b = prevod.baleny(casy[i]);
        EXPECT_EQ(b, balenyCasZUnix(std::time_t(casy[i]))) << casy[i];
        if (i > 0) {
            EXPECT_LT(prevod.baleny(casy[i - 1]), b) << casy[i - 1] << " " << casy[i];
        }
        EXPECT_FALSE(textDatumu(b, S).isEmpty());
    }
    EXPECT_EQ(textDatumu(prevod.baleny(max), S), QStringLiteral("292277026596.12.04 15:30:06"));
    EXPECT_EQ(textDatumu(prevod.baleny(rok1e9), S).left(11), QStringLiteral("1000001970."));
    EXPECT_EQ(textDatumu(prevod.baleny(min), S), QStringLiteral("-292277022657.01.27 08:29:52"));
}

TEST_F(CasTest, PrevodyTamAZpet)
{
    const BalenyCas b = klasicky(2026, 3, 29, 2, 30, 10);   // inside the spring gap
    EXPECT_EQ(balenyCasZDatumCasu(datumCasZBalenehoCasu(b)), b);
    const QDateTime t(QDate(2000, 7, 10), QTime(10, 0));
    EXPECT_DOUBLE_EQ(datumCasZQDateTime(t), 36717 + 10 / 24.0);
    EXPECT_EQ(qDateTimeZDatumCasu(36717 + 10 / 24.0), t);
    EXPECT_EQ(qDateTimeZBalenehoCasu(klasicky(2000, 7, 10, 10, 0, 0)), t);
    EXPECT_FALSE(qDateTimeZBalenehoCasu(0).isValid());
}

struct PripadTextu {
    BalenyCas baleny;
    const char* sekundy;
    const char* minuty;
};

class TextDatumuTest : public VPasmu, public testing::WithParamInterface<PripadTextu> {};

TEST_P(TextDatumuTest, RokNapredPodleFormatu)
{
    EXPECT_EQ(textDatumu(GetParam().baleny, DlouhyFormatCasu::HodinyMinutySekundy),
              QString::fromLatin1(GetParam().sekundy));
    EXPECT_EQ(textDatumu(GetParam().baleny, DlouhyFormatCasu::HodinyMinuty), QString::fromLatin1(GetParam().minuty));
}

INSTANTIATE_TEST_SUITE_P(Pripady, TextDatumuTest, testing::Values(
    PripadTextu{klasicky(2026, 12, 6, 9, 5, 3), "2026.12.06 09:05:02", "2026.12.06 09:05"},
    PripadTextu{klasicky(2026, 12, 6, 0, 0, 0), "2026.12.06", "2026.12.06"},
    PripadTextu{klasicky(2026, 12, 6, 0, 0, 30), "2026.12.06 00:00:30", "2026.12.06 00:00"},
    PripadTextu{klasicky(1999, 1, 31, 23, 59, 58), "1999.01.31 23:59:58", "1999.01.31 23:59"}));

} // namespace
} // namespace zrc
