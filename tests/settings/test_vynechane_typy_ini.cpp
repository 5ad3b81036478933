#include "pomocne.h"
#include "settings/ini_soubor.h"
#include "settings/vynechane_typy_ini.h"

#include <chrono>

namespace zrc {
namespace {

using namespace std::chrono_literals;

struct PripadTypu { const char* nazev; const char* ini; const char* soubor; bool vynechany; };

void PrintTo(const PripadTypu& p, std::ostream* os) { *os << p.nazev; }

class VynechaneTypyZIni : public test::IniTest, public ::testing::WithParamInterface<PripadTypu> {};

TEST_P(VynechaneTypyZIni, rozhodnutiPodlePosledniPripony)
{
    zapisSoubor(GetParam().ini);
    VynechaneTypyIni typy(cesta);
    EXPECT_EQ(typy.jeVynechanyTyp(GetParam().soubor), GetParam().vynechany);
}

const char* const seznam = "[Typ]\npouzit=1\n1=BAK\n2=\n3=TMP\n5=ŽLUŤ\n10=TAR.GZ\n11=TXT\n";

INSTANTIATE_TEST_SUITE_P(Typy, VynechaneTypyZIni, ::testing::Values(
    PripadTypu{"malaPismena", seznam, "zaloha.bak", true},
    PripadTypu{"velkaPismena", seznam, "ZALOHA.BAK", true},
    PripadTypu{"smisena", seznam, "x.TmP", true},
    PripadTypu{"jenPosledniPripona", seznam, "a.bak.gz", false},
    PripadTypu{"posledniZVice", seznam, "a.tar.bak", true},
    PripadTypu{"dvojitaPriponaNikdy", seznam, "a.tar.gz", false},
    PripadTypu{"bezPripony", seznam, "bak", false},
    PripadTypu{"teckovySoubor", seznam, ".bak", true},
    PripadTypu{"teckaNaKonciAVolnySlot", seznam, "soubor.", false},
    PripadTypu{"unicodeVelkaPismena", seznam, "obraz.žluť", true},
    PripadTypu{"jedenactyKlicNeplati", seznam, "a.txt", false},
    PripadTypu{"neplatneUtf8", seznam, "a.\xff\xfe", false},
    PripadTypu{"typSeSrovnavaPresne", "[Typ]\npouzit=1\n1=bak\n", "a.bak", false},
    PripadTypu{"bezPouzitNic", "[Typ]\n1=BAK\n", "a.bak", false},
    PripadTypu{"pouzitNula", "[Typ]\npouzit=0\n1=BAK\n", "a.bak", false},
    PripadTypu{"pouzitJakoCislo", "[typ]\nPOUZIT=0x1\n1=BAK\n", "a.bak", true},
    PripadTypu{"bezSouboru", "", "a.bak", false}),
    [](const auto& info) { return std::string(info.param.nazev); });

using ZmenyTypu = test::IniTest;

TEST_F(ZmenyTypu, zmenaJinymProcesemPlatiHned)
{
    zapisSoubor("[Typ]\npouzit=1\n1=BAK\n");
    VynechaneTypyIni typy(cesta, 0ns);   // looks at the file on every call
    EXPECT_TRUE(typy.jeVynechanyTyp("a.bak"));
    ASSERT_EQ(test::vDetskemProcesu([&] { return IniZapisText(cesta, u"Typ", u"1", QStringLiteral("OLD")).ok() ? 0 : 1; }), 0);
    EXPECT_FALSE(typy.jeVynechanyTyp("a.bak"));
    EXPECT_TRUE(typy.jeVynechanyTyp("a.old"));
    ASSERT_TRUE(IniZapisBool(cesta, u"Typ", u"pouzit", false).ok());
    EXPECT_FALSE(typy.jeVynechanyTyp("a.old"));
    ASSERT_TRUE(IniZapisBool(cesta, u"Typ", u"pouzit", true).ok());
    EXPECT_TRUE(typy.jeVynechanyTyp("a.old"));
}

TEST_F(ZmenyTypu, souborSeNectePriKazdemDotazu)
{
    zapisSoubor("[Typ]\npouzit=1\n1=BAK\n");
    VynechaneTypyIni typy(cesta, 1h);
    ASSERT_TRUE(IniZapisText(cesta, u"Typ", u"1", QStringLiteral("OLD")).ok());
    EXPECT_TRUE(typy.jeVynechanyTyp("a.bak"));   // within the interval the cached list holds
}

} // namespace
} // namespace zrc
