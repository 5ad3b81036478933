#include "pomocne.h"
#include "settings/historie.h"

#include <csignal>
#include <sys/resource.h>

namespace zrc {
namespace {

using Historie = test::IniTest;

const QDate dnes{2026, 3, 10};

// A record in which every field differs from the initial values and the
// defaults, so that a lost or swapped key shows.
NastaveniPorovnani zaznam(const QString& adr1)
{
    NastaveniPorovnani n;
    n.adresar1 = adr1;
    n.ChB_adresar1 = false;
    n.adresar2 = QStringLiteral(" /druhý=;[x]\n\"");
    n.ChB_adresar2 = false;
    n.ChB_Filtr_1 = true;
    n.CB_Filtr_1 = 2;
    n.SE_Filtr_1_Posledni = 17;
    n.ChB_Filtr_1_Posledni = 3;
    n.DTP_Filtr_1_OdData = dnes.addDays(-3);
    n.ME_Filtr_1_OdData = QStringLiteral("07:45");
    n.ChB_Filtr_2 = true;
    n.CB_Filtr_2 = 2;
    n.SE_Filtr_2_Posledni = 5;
    n.ChB_Filtr_2_Posledni = 2;
    n.DTP_Filtr_2_OdData = dnes.addDays(2);
    n.ME_Filtr_2_OdData = QStringLiteral(" 9:05");
    n.ChB_Filtr_3 = true;
    n.SE_Filtr_3 = 4;
    n.CBOmez = 3;
    n.ChBIgnorCasFiltr = false;
    n.SEMazUroven = 6;
    n.CBMazPodAdr = false;
    return n;
}

TEST_F(Historie, kazdyKlicSeVratiPresne)
{
    const NastaveniPorovnani z = zaznam(QStringLiteral("/první "));
    ASSERT_TRUE(HistoriePridej(cesta, z, dnes).ok());
    EXPECT_EQ(HistoriePocet(cesta), 1);
    EXPECT_EQ(HistorieNacti(cesta, 1, false, dnes, NastaveniPorovnani{}), z);
}

TEST_F(Historie, klicePoradiAZapisPrvniho)
{
    ASSERT_TRUE(HistoriePridej(cesta, NastaveniPorovnani{}, dnes).ok());
    EXPECT_EQ(obsah(),
        "[H1]\nzapsano=1\nadr1=\nChB_adresar1=1\nadr2=\nChB_adresar2=1\nChB_Filtr_1=0\nCB_Filtr_1=1\n"
        "SE_Filtr_1_Posledni=0\nChB_Filtr_1_Posledni=1\nDTP_Filtr_1_OdData=9374\nME_Filtr_1_OdData=10:00\n"
        "ChB_Filtr_2=0\nCB_Filtr_2=1\nSE_Filtr_2_Posledni=0\nChB_Filtr_2_Posledni=1\nDTP_Filtr_2_OdData=9374\n"
        "ME_Filtr_2_OdData=10:00\nChB_Filtr_3=0\nSE_Filtr_3=0\nCBOmez=1\nChBIgnorCasFiltr=1\nSEMazUroven=0\n"
        "CBMazPodAdr=1\n");
}

TEST_F(Historie, datumyTydenPoteRelativneKeDniNacteni)
{
    ASSERT_TRUE(HistoriePridej(cesta, zaznam(QStringLiteral("/a")), dnes).ok());
    const QDate tydenPote = dnes.addDays(7);
    const auto n = HistorieNacti(cesta, 1, false, tydenPote, NastaveniPorovnani{});
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(n->DTP_Filtr_1_OdData, tydenPote.addDays(-3));
    EXPECT_EQ(n->DTP_Filtr_2_OdData, tydenPote.addDays(2));
}

TEST_F(Historie, tricetZaznamuSePosune)
{
    for (int i = 1; i <= 31; ++i)
        ASSERT_TRUE(HistoriePridej(cesta, zaznam(QStringLiteral("/z%1").arg(i)), dnes).ok());
    EXPECT_EQ(HistoriePocet(cesta), MaxHistorie);
    for (int n = 1; n <= MaxHistorie; ++n) {
        const auto z = HistorieNacti(cesta, n, false, dnes, NastaveniPorovnani{});
        ASSERT_TRUE(z.has_value()) << n;
        EXPECT_EQ(*z, zaznam(QStringLiteral("/z%1").arg(32 - n))) << n;   // every key survives the moves
    }
    EXPECT_FALSE(nactiIni(cesta).maSekci(u"H31"));
}

TEST_F(Historie, chybejiciKliceNactouVychoziHodnoty)
{
    zapisSoubor("[H1]\nzapsano=1\n");
    NastaveniPorovnani soucasny = zaznam(QStringLiteral("/ted"));
    soucasny.SEMazUroven = 8;
    const auto z = HistorieNacti(cesta, 1, false, dnes, soucasny);
    ASSERT_TRUE(z.has_value());
    NastaveniPorovnani ocekavany;
    ocekavany.adresar1 = QString();
    ocekavany.ChB_adresar1 = false;
    ocekavany.ChB_adresar2 = false;
    ocekavany.SE_Filtr_1_Posledni = 0;
    ocekavany.DTP_Filtr_1_OdData = dnes;
    ocekavany.ME_Filtr_1_OdData = QStringLiteral("00:00");
    ocekavany.DTP_Filtr_2_OdData = dnes;
    ocekavany.ME_Filtr_2_OdData = QStringLiteral("00:00");
    ocekavany.ChBIgnorCasFiltr = false;
    ocekavany.SEMazUroven = 8;          // the current value
    ocekavany.CBMazPodAdr = false;
    EXPECT_EQ(*z, ocekavany);
}

TEST_F(Historie, posunPouzijeVychoziHodnotyKopie)
{
    zapisSoubor("[H1]\nzapsano=1\nSE_Filtr_3=abc\nCBOmez=0x2\n");
    ASSERT_TRUE(HistoriePridej(cesta, NastaveniPorovnani{}, dnes).ok());
    const IniDokument d = nactiIni(cesta);
    EXPECT_EQ(d.hodnota(u"H2", u"ChB_adresar1"), QStringLiteral("1"));
    EXPECT_EQ(d.hodnota(u"H2", u"SE_Filtr_1_Posledni"), QStringLiteral("1"));
    EXPECT_EQ(d.hodnota(u"H2", u"ME_Filtr_1_OdData"), QString());
    EXPECT_EQ(d.hodnota(u"H2", u"SE_Filtr_3"), QStringLiteral("1"));
    EXPECT_EQ(d.hodnota(u"H2", u"CBOmez"), QStringLiteral("2"));
    EXPECT_EQ(d.hodnota(u"H2", u"ChBIgnorCasFiltr"), QStringLiteral("1"));
    EXPECT_EQ(d.hodnota(u"H2", u"SEMazUroven"), QStringLiteral("0"));
    EXPECT_EQ(d.hodnota(u"H2", u"CBMazPodAdr"), QStringLiteral("0"));
}

TEST_F(Historie, bezAdresaruNechaAdresare)
{
    ASSERT_TRUE(HistoriePridej(cesta, zaznam(QStringLiteral("/ulozeny")), dnes).ok());
    NastaveniPorovnani soucasny;
    soucasny.adresar1 = QStringLiteral("/z prikazove radky");
    soucasny.adresar2 = QStringLiteral("/druhy");
    const auto z = HistorieNacti(cesta, 1, true, dnes, soucasny);
    ASSERT_TRUE(z.has_value());
    NastaveniPorovnani ocekavany = zaznam(QString());
    ocekavany.adresar1 = soucasny.adresar1;
    ocekavany.adresar2 = soucasny.adresar2;
    EXPECT_EQ(*z, ocekavany);
}

TEST_F(Historie, sekceBezZapsanoNeniZaznam)
{
    zapisSoubor("[H1]\nzapsano=1\n[H2]\nadr1=/x\n[H3]\nzapsano=0\n");
    EXPECT_EQ(HistoriePocet(cesta), 1);
    EXPECT_FALSE(HistorieNacti(cesta, 2, false, dnes, {}).has_value());
    EXPECT_FALSE(HistorieNacti(cesta, 0, false, dnes, {}).has_value());
    EXPECT_FALSE(HistorieNacti(cesta, 31, false, dnes, {}).has_value());
    EXPECT_EQ(HistoriePocet(cesta + QStringLiteral(".chybi")), 0);
}

TEST_F(Historie, mazaniSeZapiseDoH1)
{
    ASSERT_TRUE(HistorieUlozMazani(cesta, true, 3).ok());
    EXPECT_EQ(obsah(), "[H1]\nCBMazPodAdr=1\nSEMazUroven=3\n");
    EXPECT_EQ(HistoriePocet(cesta), 0);
    ASSERT_TRUE(HistoriePridej(cesta, NastaveniPorovnani{}, dnes).ok());
    ASSERT_TRUE(HistorieUlozMazani(cesta, false, 9).ok());
    const auto z = HistorieNacti(cesta, 1, false, dnes, {});
    ASSERT_TRUE(z.has_value());
    EXPECT_FALSE(z->CBMazPodAdr);
    EXPECT_EQ(z->SEMazUroven, 9);
}

// A failed write during the shift leaves the history as it was: never half moved.
TEST_F(Historie, nepovedenyZapisNecha30ZaznamuBezeZmeny)
{
    for (int i = 1; i <= 30; ++i)
        ASSERT_TRUE(HistoriePridej(cesta, zaznam(QStringLiteral("/z%1").arg(i)), dnes).ok());
    const QByteArray pred = obsah();
    const int vysledek = test::vDetskemProcesu([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(pred.size() / 2);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return HistoriePridej(cesta, zaznam(QStringLiteral("/novy")), dnes).ok() ? 1 : 0;
    });
    EXPECT_EQ(vysledek, 0);
    EXPECT_EQ(obsah(), pred);
}

struct PripadTlacitek { int a, k; int p; bool predchozi, dalsi; const char* popis; };

void PrintTo(const PripadTlacitek& p, std::ostream* os) { *os << p.a << "/" << p.k; }

class TlacitkaHistorie : public ::testing::TestWithParam<PripadTlacitek> {};

TEST_P(TlacitkaHistorie, stavOdpovidaPoziciAPoctu)
{
    const PripadTlacitek& c = GetParam();
    const StavHistorie s = HistorieButton(c.a, c.k);
    EXPECT_EQ(s.pozice, c.p);
    EXPECT_EQ(s.predchozi, c.predchozi);
    EXPECT_EQ(s.dalsi, c.dalsi);
    EXPECT_EQ(s.popis, QString::fromUtf8(c.popis));
}

INSTANTIATE_TEST_SUITE_P(Historie, TlacitkaHistorie, ::testing::Values(
    PripadTlacitek{0, 0, 0, false, false, "-"},
    PripadTlacitek{1, 0, 1, false, false, "-"},
    PripadTlacitek{0, 5, 0, false, true, "-"},
    PripadTlacitek{1, 1, 1, false, true, "1/1"},
    PripadTlacitek{1, 5, 1, false, true, "1/5"},
    PripadTlacitek{3, 5, 3, true, true, "3/5"},
    PripadTlacitek{5, 5, 5, true, false, "5/5"},
    PripadTlacitek{9, 5, 5, true, false, "5/5"}));

struct PripadKroku { int p, krok, k; std::optional<int> cil; };

void PrintTo(const PripadKroku& p, std::ostream* os) { *os << p.p << (p.krok > 0 ? "+" : "-") << " of " << p.k; }

class KrokHistorie : public ::testing::TestWithParam<PripadKroku> {};

TEST_P(KrokHistorie, cilKroku)
{
    const PripadKroku& c = GetParam();
    EXPECT_EQ(HistorieCilKroku(c.p, c.krok, c.k), c.cil);
}

INSTANTIATE_TEST_SUITE_P(Historie, KrokHistorie, ::testing::Values(
    PripadKroku{0, +1, 5, 1},
    PripadKroku{0, -1, 5, std::nullopt},
    PripadKroku{1, +1, 1, 1},
    PripadKroku{1, -1, 1, 1},
    PripadKroku{4, +1, 5, 5},
    PripadKroku{5, +1, 5, std::nullopt},
    PripadKroku{3, -1, 0, std::nullopt}));

} // namespace
} // namespace zrc
