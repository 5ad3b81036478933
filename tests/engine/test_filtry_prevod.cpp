#include "engine/filtry.h"

#include "test_cas_pasmo.h"

namespace zrc {
namespace {

// "Now" of every case: Sunday 6 December 2026, 14:30:20 local time.
const QDateTime ted(QDate(2026, 12, 6), QTime(14, 30, 20));
constexpr int dny = int(JednotkaFiltru::Dny);
constexpr int hodiny = int(JednotkaFiltru::Hodiny);
constexpr int minuty = int(JednotkaFiltru::Minuty);

struct PripadPrevodu {
    int pocet;
    int jednotka;
    QDateTime odData;     // the absolute form of the count
    const char* casText;  // as the time field shows it (hours and minutes)
    int zpet;             // the count read back from date and time text
};

class PrevodTest : public VPasmu, public testing::WithParamInterface<PripadPrevodu> {};

TEST_P(PrevodTest, TamAZpet)
{
    const PripadPrevodu& p = GetParam();
    const QDateTime odData = odDataZPoslednich(p.pocet, p.jednotka, ted);
    EXPECT_EQ(odData, p.odData);
    EXPECT_EQ(odData.time().toString(QStringLiteral("hh:mm")), QString::fromLatin1(p.casText));
    EXPECT_EQ(poslednichZOdData(odData.date(), QString::fromLatin1(p.casText), p.jednotka, ted),
              p.zpet);
}

INSTANTIATE_TEST_SUITE_P(Pripady, PrevodTest, testing::Values(
    PripadPrevodu{3, dny, {{2026, 12, 3}, {0, 0}}, "00:00", 3},
    PripadPrevodu{0, dny, {{2026, 12, 6}, {0, 0}}, "00:00", 0},
    PripadPrevodu{3, hodiny, {{2026, 12, 6}, {11, 30, 20}}, "11:30", 3},
    PripadPrevodu{20, hodiny, {{2026, 12, 5}, {18, 30, 20}}, "18:30", 20},
    PripadPrevodu{90, minuty, {{2026, 12, 6}, {13, 0, 20}}, "13:00", 90},
    PripadPrevodu{0, minuty, {{2026, 12, 6}, {14, 30, 20}}, "14:30", 0}));

struct PripadPoctu {
    QDate datum;
    const char* cas;
    int jednotka;
    std::optional<int> pocet;
};

class PocetZDataTest : public VPasmu, public testing::WithParamInterface<PripadPoctu> {};

TEST_P(PocetZDataTest, ZaokrouhleniNaSude)
{
    const PripadPoctu& p = GetParam();
    EXPECT_EQ(poslednichZOdData(p.datum, QString::fromLatin1(p.cas), p.jednotka, ted), p.pocet);
}

INSTANTIATE_TEST_SUITE_P(Pripady, PocetZDataTest, testing::Values(
    PripadPoctu{{2026, 12, 3}, "12:00", dny, 2},     // 2.5 days -> 2
    PripadPoctu{{2026, 12, 4}, "12:00", dny, 2},     // 1.5 days -> 2
    PripadPoctu{{2026, 12, 3}, "11:59", dny, 3},
    PripadPoctu{{2026, 12, 8}, "00:00", dny, -2},    // a future date counts negative
    PripadPoctu{{2026, 12, 6}, "12:00", hodiny, 3},  // 2 h 30 min 20 s -> 3
    PripadPoctu{{2026, 12, 6}, "12:01", hodiny, 2},
    PripadPoctu{{2026, 12, 6}, "14:30", minuty, 0},  // 20 s -> 0
    PripadPoctu{{2000, 7, 10}, "10:00", dny, 9645},
    PripadPoctu{{2026, 12, 6}, "25:00", dny, std::nullopt},
    PripadPoctu{{}, "10:00", dny, std::nullopt}));

} // namespace
} // namespace zrc
