#include "util/retezce.h"

#include <gtest/gtest.h>

namespace zrc {
namespace {

TEST(MalaPismena, CeskaVelkaPismenaATabulkaAscii)
{
    EXPECT_EQ(MalaPismena(u"ČEŠTINA A ŘÍZENÍ"), QStringLiteral("čeština a řízení"));
    EXPECT_EQ(MalaPismena(u""), QString());
    EXPECT_EQ(MalaPismena(u"ÜÉĎÄČĚĹĽŽÔÖŮÝŤÁÍÓÚŇŠŘŔ"),
              QStringLiteral("üéďäčěĺľžôöůýťáíóúňšřŕ"));
    EXPECT_EQ(MalaPismena(u"AZ[@`az09"), QStringLiteral("az[@`az09"));
}

TEST(MalaPismena, JinaPismenaZustavaji)
{
    // Capitals outside the table stay as they are (Ł, À, Ω, Ё).
    EXPECT_EQ(MalaPismena(u"ŁÀΩЁ"), QStringLiteral("ŁÀΩЁ"));
    EXPECT_EQ(MalyZnak(QChar(0xFFFD)), QChar(0xFFFD));
}

struct PripadDoplneni {
    const char16_t* s;
    QChar c;
    int sirka;
    const char16_t* ocekavano;
};

class DoplnZlevaTest : public testing::TestWithParam<PripadDoplneni> {};

TEST_P(DoplnZlevaTest, Doplni)
{
    const PripadDoplneni& p = GetParam();
    EXPECT_EQ(DoplnZleva(p.s, p.c, p.sirka), QString::fromUtf16(p.ocekavano));
}

INSTANTIATE_TEST_SUITE_P(Pripady, DoplnZlevaTest, testing::Values(
    PripadDoplneni{u"7", u'0', 2, u"07"},
    PripadDoplneni{u"123", u'0', 2, u"123"},
    PripadDoplneni{u"12", u'0', 2, u"12"},
    PripadDoplneni{u"", u'x', 3, u"xxx"},
    PripadDoplneni{u"ab", u' ', 0, u"ab"}));

struct PripadSlov {
    const char16_t* s;
    const char16_t* oddelovace;
    int pocet;
    int n;
    const char16_t* slovo;
};

class SlovaTest : public testing::TestWithParam<PripadSlov> {};

TEST_P(SlovaTest, PocetANteSlovo)
{
    const PripadSlov& p = GetParam();
    EXPECT_EQ(PocetSlov(p.s, p.oddelovace), p.pocet);
    EXPECT_EQ(NteSlovo(p.n, p.s, p.oddelovace), QString::fromUtf16(p.slovo));
}

INSTANTIATE_TEST_SUITE_P(Pripady, SlovaTest, testing::Values(
    PripadSlov{u";a;;b;", u";", 2, 2, u"b"},
    PripadSlov{u";a;;b;", u";", 2, 1, u"a"},
    PripadSlov{u";a;;b;", u";", 2, 3, u""},
    PripadSlov{u";;;", u";", 0, 1, u""},
    PripadSlov{u"", u";", 0, 1, u""},
    PripadSlov{u"abc", u"", 1, 1, u"abc"},
    PripadSlov{u"/home/pavel/dokumenty", u"/", 3, 3, u"dokumenty"},
    PripadSlov{u"2026.12.06 09:05:03", u" .:", 6, 4, u"09"},
    PripadSlov{u"a b", u" ", 2, 0, u""}));

TEST(PocetZnaku, Pocita)
{
    EXPECT_EQ(PocetZnaku(u"*a*b*", u'*'), 3);
    EXPECT_EQ(PocetZnaku(u"", u'*'), 0);
}

struct PripadMasky {
    const char16_t* jmeno;
    const char16_t* maska;
    bool shoda;
};

class ShodaMaskyTest : public testing::TestWithParam<PripadMasky> {};

TEST_P(ShodaMaskyTest, Porovna)
{
    const PripadMasky& p = GetParam();
    EXPECT_EQ(ShodaMasky(p.jmeno, p.maska), p.shoda) << QString::fromUtf16(p.jmeno).toStdString()
                                                     << " ~ " << QString::fromUtf16(p.maska).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pripady, ShodaMaskyTest, testing::Values(
    PripadMasky{u"a.txt", u"*.txt", true},
    PripadMasky{u"a.txt.bak", u"*.txt", false},
    PripadMasky{u"xxabcxx", u"*abc*", true},
    PripadMasky{u"xxabxcx", u"*abc*", false},
    PripadMasky{u"abcdef", u"abc*", true},
    PripadMasky{u"xabcdef", u"abc*", false},
    PripadMasky{u"abc", u"abc", true},
    PripadMasky{u"abcd", u"abc", false},
    PripadMasky{u"aab", u"*ab", true},
    PripadMasky{u"x", u"*", true},
    PripadMasky{u"docs/img/", u"*", true},
    PripadMasky{u"ab", u"*abc*", false},            // core longer than the name
    PripadMasky{u"a*b", u"*a*b*", true},            // inner asterisk is a character
    PripadMasky{u"axxb", u"*a*b*", false},
    PripadMasky{u"Abc", u"abc*", false},            // case-sensitive
    PripadMasky{u"abc", u"a*c", false}));           // inner asterisk without a leading one

TEST(OrezMasku, JenKrajniHvezdicky)
{
    EXPECT_EQ(OrezMasku(u"*abc*"), QStringLiteral("abc"));
    EXPECT_EQ(OrezMasku(u"*a*c"), QStringLiteral("a*c"));
    EXPECT_EQ(OrezMasku(u"*"), QString());
    EXPECT_EQ(OrezMasku(u"**"), QString());
    EXPECT_EQ(OrezMasku(u"abc"), QStringLiteral("abc"));
}

} // namespace
} // namespace zrc
