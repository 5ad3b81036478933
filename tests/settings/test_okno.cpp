#include "pomocne.h"
#include "settings/klice.h"
#include "settings/okno.h"

namespace zrc {
namespace {

using Okno = test::IniTest;

TEST_F(Okno, bezSouboruVychoziVelikostAPuvodniPozice)
{
    const UmisteniOkna u = NactiOkno(cesta, ini::Okno, 632, 449);
    EXPECT_FALSE(u.left.has_value());
    EXPECT_EQ(u.sirka, 632);
    EXPECT_EQ(u.vyska, 449);
    EXPECT_FALSE(u.maximalizovat);
}

TEST_F(Okno, bezStateSeUlozenaVelikostIgnoruje)
{
    zapisSoubor("[Okno]\nWidth=640\nHeight=480\n");
    const UmisteniOkna u = NactiOkno(cesta, ini::Okno, 632, 449);
    EXPECT_EQ(u.sirka, 632);
    EXPECT_EQ(u.vyska, 449);
    EXPECT_FALSE(u.top.has_value());
}

TEST_F(Okno, zapornaPoziceJeNula)
{
    zapisSoubor("[Okno]\nState=2\nLeft=-20\nTop=15\nWidth=800\n");
    const UmisteniOkna u = NactiOkno(cesta, ini::Okno, 632, 449);
    EXPECT_EQ(u.left, 0);
    EXPECT_EQ(u.top, 15);
    EXPECT_EQ(u.sirka, 800);
    EXPECT_EQ(u.vyska, 449);
    EXPECT_FALSE(u.maximalizovat);
}

TEST_F(Okno, nulovaVychoziSirkaSirkuNemeni)
{
    zapisSoubor("[Okno]\nState=2\nWidth=800\n");
    const UmisteniOkna u = NactiOkno(cesta, ini::Okno, 0, 449);
    EXPECT_FALSE(u.sirka.has_value());
    EXPECT_EQ(u.left, 1);
}

TEST_F(Okno, maximalizovaneUloziJenStateAPakSeObnovi)
{
    ASSERT_TRUE(UlozOkno(cesta, ini::Okno, {.stav = StavOkna::Normalni, .left = 10, .top = 20, .sirka = 700, .vyska = 500}).ok());
    ASSERT_TRUE(UlozOkno(cesta, ini::Okno, {.stav = StavOkna::Maximalizovane, .left = 0, .top = 0, .sirka = 1900, .vyska = 1000}).ok());
    EXPECT_EQ(obsah(), "[Okno]\nState=1\nLeft=10\nTop=20\nWidth=700\nHeight=500\n");
    const UmisteniOkna u = NactiOkno(cesta, ini::Okno, 632, 449);
    EXPECT_EQ(u.left, 10);
    EXPECT_EQ(u.sirka, 700);
    EXPECT_EQ(u.vyska, 500);
    EXPECT_TRUE(u.maximalizovat);
}

TEST_F(Okno, minimalizovaneNezapiseState)
{
    zapisSoubor("[Okno]\nState=1\n");
    ASSERT_TRUE(UlozOkno(cesta, ini::Okno, {.stav = StavOkna::Minimalizovane, .left = 3, .top = 4, .sirka = 5, .vyska = 6}).ok());
    EXPECT_EQ(obsah(), "[Okno]\nState=1\nLeft=3\nTop=4\nWidth=5\nHeight=6\n");
}

TEST_F(Okno, startovniNastaveni)
{
    StartovniNastaveni s = NactiNastaveni(cesta);
    EXPECT_TRUE(s.ChB_adresar1);
    EXPECT_TRUE(s.ChB_adresar2);
    EXPECT_EQ(s.okno.sirka, ini::vychoziSirka);
    zapisSoubor("[Podadresare]\npouzit=0\npouzit2=abc\n[Okno]\nState=2\nHeight=300\n");
    s = NactiNastaveni(cesta);
    EXPECT_FALSE(s.ChB_adresar1);
    EXPECT_TRUE(s.ChB_adresar2);
    EXPECT_EQ(s.okno.vyska, 300);
}

} // namespace
} // namespace zrc
