#include "engine/prevod_filtru.h"
#include "engine/nastaveni.h"

#include <gtest/gtest.h>

namespace zrc {
namespace {

// "Now" of every case: Monday 7 December 2026, 14:30:20.
const QDateTime ted(QDate(2026, 12, 7), QTime(14, 30, 20));
constexpr int dny = int(JednotkaFiltru::Dny);
constexpr int hodiny = int(JednotkaFiltru::Hodiny);
constexpr int minuty = int(JednotkaFiltru::Minuty);

struct PripadAbsolutni {
    const char* popis;
    int pocet;
    int jednotka;
    QDate datum;
    const char* cas;
};
void PrintTo(const PripadAbsolutni& p, std::ostream* os) { *os << p.popis; }

class NaAbsolutni : public testing::TestWithParam<PripadAbsolutni> {};

TEST_P(NaAbsolutni, DatumACas)
{
    const PripadAbsolutni& p = GetParam();
    const AbsolutniMez m = absolutniZRelativni(p.pocet, p.jednotka, ted);
    EXPECT_EQ(m.datum, p.datum);
    EXPECT_EQ(m.cas, QString::fromLatin1(p.cas));
}

INSTANTIATE_TEST_SUITE_P(Pripady, NaAbsolutni, testing::Values(
    PripadAbsolutni{"3 dny: pulnoc pred tremi dny", 3, dny, {2026, 12, 4}, "00:00"},
    PripadAbsolutni{"0 dnu: dnes 00:00", 0, dny, {2026, 12, 7}, "00:00"},
    PripadAbsolutni{"neznama jednotka cte dny", 2, 7, {2026, 12, 5}, "00:00"},
    PripadAbsolutni{"3 hodiny, sekundy zahozeny", 3, hodiny, {2026, 12, 7}, "11:30"},
    PripadAbsolutni{"15 hodin pres pulnoc", 15, hodiny, {2026, 12, 6}, "23:30"},
    PripadAbsolutni{"90 minut", 90, minuty, {2026, 12, 7}, "13:00"},
    PripadAbsolutni{"400 dnu pres prestupny rok", 400, dny, {2025, 11, 2}, "00:00"}));

struct PripadRelativni {
    const char* popis;
    QDate datum;
    const char* cas;
    int jednotka;
    std::optional<qint64> pocet;
};
void PrintTo(const PripadRelativni& p, std::ostream* os) { *os << p.popis; }

class NaRelativni : public testing::TestWithParam<PripadRelativni> {};

TEST_P(NaRelativni, Pocet)
{
    const PripadRelativni& p = GetParam();
    EXPECT_EQ(relativniZAbsolutni(p.datum, QString::fromLatin1(p.cas), p.jednotka, ted), p.pocet);
}

INSTANTIATE_TEST_SUITE_P(Pripady, NaRelativni, testing::Values(
    PripadRelativni{"pulnoc pred tremi dny", {2026, 12, 4}, "00:00", dny, 3},
    PripadRelativni{"dny od dnesni pulnoci: 10:00 je blize", {2026, 12, 4}, "10:00", dny, 3},
    PripadRelativni{"pulden 2,5 k sude 2", {2026, 12, 4}, "12:00", dny, 2},
    PripadRelativni{"pulden 3,5 k sude 4", {2026, 12, 3}, "12:00", dny, 4},
    PripadRelativni{"hodiny od ted", {2026, 12, 7}, "11:30", hodiny, 3},
    PripadRelativni{"2 h 30 min 20 s dava 3", {2026, 12, 7}, "12:00", hodiny, 3},
    PripadRelativni{"minuty: sekundy ted zaokrouhli", {2026, 12, 7}, "14:27", minuty, 3},
    PripadRelativni{"budoucnost je zaporna", {2026, 12, 9}, "00:00", dny, -2},
    PripadRelativni{"mezera misto prvni cislice hodin", {2026, 12, 7}, " 9:30", hodiny, 5},
    PripadRelativni{"25:00 neni cas", {2026, 12, 7}, "25:00", hodiny, std::nullopt},
    PripadRelativni{"chybi cislice minut", {2026, 12, 7}, "12:5 ", hodiny, std::nullopt},
    PripadRelativni{"neplatne datum", {}, "10:00", dny, std::nullopt}));

// Now 14:30:20 minus 12:00 is 2 h 30 min 20 s: not a half. Exact halves:
TEST(ZaokrouhliNaSude, PulkyKSudemu)
{
    EXPECT_EQ(zaokrouhliNaSude(5, 2), 2);     // 2.5
    EXPECT_EQ(zaokrouhliNaSude(7, 2), 4);     // 3.5
    EXPECT_EQ(zaokrouhliNaSude(-5, 2), -2);   // -2.5
    EXPECT_EQ(zaokrouhliNaSude(-7, 2), -4);   // -3.5
    EXPECT_EQ(zaokrouhliNaSude(11, 4), 3);    // 2.75
    EXPECT_EQ(zaokrouhliNaSude(-11, 4), -3);  // -2.75
    EXPECT_EQ(zaokrouhliNaSude(9, 4), 2);     // 2.25
}

// There and back: a relative limit shown as an absolute one reads back as the
// same count, except minutes, where the dropped seconds of now count.
TEST(PrevodTamAZpet, DnyAHodinyZustavaji)
{
    for (int n : {0, 1, 3, 30, 365}) {
        for (int j : {dny, hodiny}) {
            const AbsolutniMez m = absolutniZRelativni(n, j, ted);
            EXPECT_EQ(relativniZAbsolutni(m.datum, m.cas, j, ted), n) << n << " " << j;
        }
    }
}

} // namespace
} // namespace zrc
