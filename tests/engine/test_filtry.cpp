#include "engine/filtry.h"
#include "engine/prevod_casu.h"

#include "test_cas_pasmo.h"

namespace zrc {
namespace {

// "Now" of every case: Sunday 6 December 2026, 14:30:20 local time.
const QDateTime ted(QDate(2026, 12, 6), QTime(14, 30, 20));

struct PripadLimitu {
    const char* popis;
    int rezim;       // RezimFiltru number
    int pocet;
    int jednotka;    // JednotkaFiltru number
    QDate datum;
    const char* cas;
    BalenyCas limit;
};

void PrintTo(const PripadLimitu& p, std::ostream* os) { *os << p.popis; }

class DopoctilimitTest : public VPasmu, public testing::WithParamInterface<PripadLimitu> {};

TEST_P(DopoctilimitTest, ObaFiltry)
{
    const PripadLimitu& p = GetParam();
    NastaveniPorovnani n;
    n.CB_Filtr_1 = p.rezim;
    n.SE_Filtr_1_Posledni = p.pocet;
    n.ChB_Filtr_1_Posledni = p.jednotka;
    n.DTP_Filtr_1_OdData = p.datum;
    n.ME_Filtr_1_OdData = QString::fromLatin1(p.cas);
    n.SE_Filtr_3 = 3;
    const std::optional<Limity> l = Dopoctilimit(n, ted);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->LimitSouboru, p.limit);
    EXPECT_EQ(l->LimitPodadresaru, klasicky(2026, 12, 6, 0, 0, 0));   // filter 2 at its defaults
    EXPECT_EQ(l->UrovenShody, 3);

    // The same settings on filter 2 give the same limit.
    NastaveniPorovnani m;
    m.CB_Filtr_2 = p.rezim;
    m.SE_Filtr_2_Posledni = p.pocet;
    m.ChB_Filtr_2_Posledni = p.jednotka;
    m.DTP_Filtr_2_OdData = p.datum;
    m.ME_Filtr_2_OdData = n.ME_Filtr_1_OdData;
    const std::optional<Limity> l2 = Dopoctilimit(m, ted);
    ASSERT_TRUE(l2);
    EXPECT_EQ(l2->LimitPodadresaru, p.limit);
}

constexpr int relativni = int(RezimFiltru::ZaPoslednich);
constexpr int absolutni = int(RezimFiltru::PoDatu);
constexpr int dny = int(JednotkaFiltru::Dny);
constexpr int hodiny = int(JednotkaFiltru::Hodiny);
constexpr int minuty = int(JednotkaFiltru::Minuty);

INSTANTIATE_TEST_SUITE_P(Pripady, DopoctilimitTest, testing::Values(
    PripadLimitu{"0 dnu = dnes 00:00", relativni, 0, dny, {}, "10:00", klasicky(2026, 12, 6, 0, 0, 0)},
    PripadLimitu{"1 den pridava vcerejsek", relativni, 1, dny, {}, "10:00", klasicky(2026, 12, 5, 0, 0, 0)},
    PripadLimitu{"40 dnu pres hranici mesice", relativni, 40, dny, {}, "", klasicky(2026, 10, 27, 0, 0, 0)},
    PripadLimitu{"0 hodin = ted", relativni, 0, hodiny, {}, "10:00", klasicky(2026, 12, 6, 14, 30, 20)},
    PripadLimitu{"3 hodiny", relativni, 3, hodiny, {}, "10:00", klasicky(2026, 12, 6, 11, 30, 20)},
    PripadLimitu{"0 minut = ted", relativni, 0, minuty, {}, "10:00", klasicky(2026, 12, 6, 14, 30, 20)},
    PripadLimitu{"90 minut", relativni, 90, minuty, {}, "10:00", klasicky(2026, 12, 6, 13, 0, 20)},
    PripadLimitu{"neznama jednotka = dny", relativni, 2, 7, {}, "10:00", klasicky(2026, 12, 4, 0, 0, 0)},
    PripadLimitu{"zapadly cas se v rezimu 1 necte", relativni, 0, dny, {}, "25:00", klasicky(2026, 12, 6, 0, 0, 0)},
    PripadLimitu{"po datu", absolutni, 0, dny, {2000, 7, 10}, "10:00", klasicky(2000, 7, 10, 10, 0, 0)},
    PripadLimitu{"po datu, prazdna prvni cislice", absolutni, 0, dny, {2026, 1, 2}, " 9:05", klasicky(2026, 1, 2, 9, 5, 0)},
    PripadLimitu{"po datu 1980", absolutni, 0, dny, {1980, 1, 1}, "00:00", klasicky(1980, 1, 1, 0, 0, 0)},
    PripadLimitu{"po datu 1979", absolutni, 0, dny, {1979, 12, 31}, "23:59", zabalCas(1979, 12, 31, 23, 59, 0)},
    PripadLimitu{"po datu 2100", absolutni, 0, dny, {2100, 1, 1}, "00:00", zabalCas(2100, 1, 1, 0, 0, 0)},
    PripadLimitu{"po datu bez data = bez limitu", absolutni, 0, dny, {}, "10:00", 0}));

class ChybnyCasTest : public VPasmu, public testing::WithParamInterface<const char*> {};

TEST_P(ChybnyCasTest, CasZTextuOdmitne)
{
    EXPECT_FALSE(casZTextu(QString::fromLatin1(GetParam())));
}

TEST_P(ChybnyCasTest, BehNezacneAniSVypnutymFiltrem)
{
    // Both limits are computed whether their filters are on or not.
    NastaveniPorovnani n;
    n.ChB_Filtr_1 = false;
    n.CB_Filtr_1 = absolutni;
    n.ME_Filtr_1_OdData = QString::fromLatin1(GetParam());
    EXPECT_FALSE(Dopoctilimit(n, ted));

    NastaveniPorovnani m;
    m.CB_Filtr_2 = absolutni;
    m.ME_Filtr_2_OdData = n.ME_Filtr_1_OdData;
    EXPECT_FALSE(Dopoctilimit(m, ted));
}

INSTANTIATE_TEST_SUITE_P(Pripady, ChybnyCasTest, testing::Values(
    "25:00", "24:00", "12:60", "1:5", "1:05", "", "ab:cd", "  :05", "9 :05", "-1:00",
    "12: 5", "12:5 ", "1\xb2:00"));

struct PripadCasu {
    const char* text;
    int hodiny;
    int minuty;
};

class PlatnyCasTest : public testing::TestWithParam<PripadCasu> {};

TEST_P(PlatnyCasTest, CasZTextu)
{
    const std::optional<QTime> cas = casZTextu(QString::fromLatin1(GetParam().text));
    ASSERT_TRUE(cas);
    EXPECT_EQ(*cas, QTime(GetParam().hodiny, GetParam().minuty));
}

INSTANTIATE_TEST_SUITE_P(Pripady, PlatnyCasTest, testing::Values(
    PripadCasu{"10:00", 10, 0}, PripadCasu{" 9:05", 9, 5}, PripadCasu{"09:05", 9, 5},
    PripadCasu{"00:00", 0, 0}, PripadCasu{"23:59", 23, 59}, PripadCasu{"07.30", 7, 30}));

struct PripadTestuCasu {
    BalenyCas cas;
    BalenyCas limit;
    bool vyhovuje;
};

class TestCasuTest : public testing::TestWithParam<PripadTestuCasu> {};

TEST_P(TestCasuTest, OstrePorovnani)
{
    const PripadTestuCasu& p = GetParam();
    EXPECT_EQ(VyhovujeSoubor(p.cas, Limity{.LimitSouboru = p.limit}), p.vyhovuje);
    EXPECT_EQ(VyhovujePodadresar(p.cas, Limity{.LimitPodadresaru = p.limit}), p.vyhovuje);
}

const BalenyCas limit = klasicky(2026, 12, 6, 0, 0, 0);
constexpr BalenyCas rok1979 = -(BalenyCas(1) << 25) + klasicky(1980, 6, 1, 12, 0, 0);

INSTANTIATE_TEST_SUITE_P(Pripady, TestCasuTest, testing::Values(
    PripadTestuCasu{limit, limit, false},                              // the same 2-second step
    PripadTestuCasu{limit + 1, limit, true},
    PripadTestuCasu{klasicky(2026, 12, 5, 23, 59, 58), limit, false},
    PripadTestuCasu{klasicky(2050, 1, 1, 0, 0, 0), limit, true},
    PripadTestuCasu{rok1979, limit, false},
    PripadTestuCasu{rok1979, 0, true},                                 // limit 0 passes all
    PripadTestuCasu{0, 0, true}));

struct PripadPripony {
    const char* jmeno;
    const char* pripona;
};

class PriponaTest : public testing::TestWithParam<PripadPripony> {};

TEST_P(PriponaTest, PosledniPripona)
{
    EXPECT_EQ(priponaSouboru(GetParam().jmeno), GetParam().pripona);
}

INSTANTIATE_TEST_SUITE_P(Pripady, PriponaTest, testing::Values(
    PripadPripony{"a.tar.gz", ".gz"}, PripadPripony{"readme", ""},
    PripadPripony{".bashrc", ".bashrc"}, PripadPripony{"a.", "."},
    PripadPripony{"", ""}, PripadPripony{"ŘÍZENÍ.TXT", ".TXT"}));

} // namespace
} // namespace zrc
