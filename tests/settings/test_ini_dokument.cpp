#include "settings/ini_dokument.h"

#include <gtest/gtest.h>

namespace zrc {
namespace {

TEST(IniDokument, jmenaSekciAKliciBezOhleduNaVelikost)
{
    const auto d = IniDokument::zTextu("[Serazeni]\nPodle=3\n[TYP]\npouzit = 1 \n");
    EXPECT_EQ(d.ctiCislo(u"serazeni", u"podle", 0), 3);
    EXPECT_TRUE(d.ctiBool(u"Typ", u"POUZIT", false));
}

TEST(IniDokument, chybejiciSouborSekceKlicDavajiVychozi)
{
    const auto d = IniDokument::zTextu("[Okno]\nState=2\n");
    EXPECT_EQ(d.ctiCislo(u"Okno", u"Left", 1), 1);
    EXPECT_EQ(d.ctiText(u"Nic", u"x", QStringLiteral("v")), QStringLiteral("v"));
    EXPECT_EQ(IniDokument().ctiCislo(u"Okno", u"State", 7), 7);
}

TEST(IniDokument, neznameRadkyPrezijiPrepis)
{
    const QByteArray puvodni =
        "; komentář na začátku\n"
        "volny radek bez rovnitka\n"
        "[Okno]\n"
        "  ; komentář v sekci\n"
        "Jiny=zustava\n"
        "State=1\n"
        "\n"
        "[Cizi sekce]\n"
        "klic=hodnota = s rovnitkem\n";
    auto d = IniDokument::zTextu(puvodni);
    d.zapisCislo(u"okno", u"state", 2);
    d.zapisCislo(u"Okno", u"Left", 5);
    d.zapisText(u"Nova", u"k", QStringLiteral("v"));
    EXPECT_EQ(d.text(),
        "; komentář na začátku\n"
        "volny radek bez rovnitka\n"
        "[Okno]\n"
        "  ; komentář v sekci\n"
        "Jiny=zustava\n"
        "State=2\n"
        "Left=5\n"
        "\n"
        "[Cizi sekce]\n"
        "klic=hodnota = s rovnitkem\n"
        "\n"
        "[Nova]\n"
        "k=v\n");
}

TEST(IniDokument, prazdnyTextZapiseKlicSPrazdnouHodnotou)
{
    IniDokument d;
    d.zapisText(u"Adresar1", u"1", QString());
    EXPECT_EQ(d.text(), "[Adresar1]\n1=\n");
    EXPECT_EQ(IniDokument::zTextu(d.text()).hodnota(u"Adresar1", u"1"), QString());
}

TEST(IniDokument, prvniShodnaSekceAKlicPlati)
{
    auto d = IniDokument::zTextu("[S]\nk=1\nK=2\n[s]\nk=3\n");
    EXPECT_EQ(d.ctiCislo(u"S", u"k", 0), 1);
    d.zapisCislo(u"S", u"k", 9);
    EXPECT_EQ(d.text(), "[S]\nk=9\nK=2\n[s]\nk=3\n");
}

TEST(IniDokument, koncovkyCrLfABomSeCtou)
{
    auto d = IniDokument::zTextu("\xEF\xBB\xBF[Typ]\r\npouzit=1\r\n1=BAK\r\n");
    EXPECT_TRUE(d.ctiBool(u"Typ", u"pouzit", false));
    EXPECT_EQ(d.ctiText(u"Typ", u"1"), QStringLiteral("BAK"));
    d.zapisText(u"Typ", u"2", QStringLiteral("TMP"));
    EXPECT_EQ(d.text(), "\xEF\xBB\xBF[Typ]\r\npouzit=1\r\n1=BAK\r\n2=TMP\r\n");
}

TEST(IniDokument, novyKlicZaPoslednimKlicemSekce)
{
    auto d = IniDokument::zTextu("[A]\nx=1\n\n; o sekci B\n[B]\n");
    d.zapisCislo(u"A", u"y", 2);
    EXPECT_EQ(d.text(), "[A]\nx=1\ny=2\n\n; o sekci B\n[B]\n");
}

TEST(IniDokument, hodnotyCizichZapisovatelu)
{
    // Quotes and blanks as other INI writers leave them.
    const auto d = IniDokument::zTextu("[S]\na = \"  x  \" \nb='y'\nc=  z\t\nd=\"\ne=\\\"bad\n");
    EXPECT_EQ(d.hodnota(u"S", u"a"), QStringLiteral("  x  "));
    EXPECT_EQ(d.hodnota(u"S", u"b"), QStringLiteral("y"));
    EXPECT_EQ(d.hodnota(u"S", u"c"), QStringLiteral("z"));
    EXPECT_EQ(d.hodnota(u"S", u"d"), QStringLiteral("\""));
    EXPECT_EQ(d.hodnota(u"S", u"e"), QStringLiteral("\\\"bad"));
}

} // namespace
} // namespace zrc
