#include "settings/ini_dokument.h"
#include "settings/ini_hodnoty.h"
#include "util/bajty_cesty.h"

#include <gtest/gtest.h>

namespace zrc {
namespace {

struct PripadCisla { const char* text; int vychozi; int ocekavano; };

void PrintTo(const PripadCisla& p, std::ostream* os) { *os << p.text; }

class CteniCisla : public ::testing::TestWithParam<PripadCisla> {};

TEST_P(CteniCisla, cteSeJakoVTabulce)
{
    const PripadCisla& p = GetParam();
    EXPECT_EQ(ctiCislo(QString::fromUtf8(p.text), p.vychozi), p.ocekavano) << p.text;
}

INSTANTIATE_TEST_SUITE_P(Hodnoty, CteniCisla, ::testing::Values(
    PripadCisla{"2", -1, 2},
    PripadCisla{"  12", -1, 12},
    PripadCisla{"-5", 0, -5},
    PripadCisla{"+7", 0, 7},
    PripadCisla{" -3", 0, -3},
    PripadCisla{"- 3", 9, 9},
    PripadCisla{"0x1F", 0, 31},
    PripadCisla{"0X10", 0, 16},
    PripadCisla{"$ff", 0, 255},
    PripadCisla{"$FFFFFFFF", 0, -1},
    PripadCisla{"0x100000000", 9, 9},
    PripadCisla{"0x", 9, 9},
    PripadCisla{"$", 9, 9},
    PripadCisla{"0xg", 9, 9},
    PripadCisla{"abc", 9, 9},
    PripadCisla{"", 9, 9},
    PripadCisla{"-", 9, 9},
    PripadCisla{"12a", 9, 9},
    PripadCisla{"1.5", 9, 9},
    PripadCisla{"2147483647", 0, 2147483647},
    PripadCisla{"2147483648", 9, 9},
    PripadCisla{"-2147483648", 0, -2147483647 - 1},
    PripadCisla{"-2147483649", 9, 9},
    PripadCisla{"99999999999999999999", 9, 9},
    PripadCisla{"٣", 9, 9}));   // a digit of another script is no digit here

struct PripadBoolu { const char* text; bool vychozi; bool ocekavano; };

void PrintTo(const PripadBoolu& p, std::ostream* os) { *os << p.text; }

class CteniBoolu : public ::testing::TestWithParam<PripadBoolu> {};

TEST_P(CteniBoolu, jeToCisloANenulaJePravda)
{
    const PripadBoolu& p = GetParam();
    EXPECT_EQ(ctiBool(QString::fromUtf8(p.text), p.vychozi), p.ocekavano) << p.text;
}

INSTANTIATE_TEST_SUITE_P(Hodnoty, CteniBoolu, ::testing::Values(
    PripadBoolu{"1", false, true},
    PripadBoolu{"0", true, false},
    PripadBoolu{"2", false, true},
    PripadBoolu{"-1", false, true},
    PripadBoolu{"0x1", false, true},
    PripadBoolu{"$0", true, false},
    PripadBoolu{"abc", false, false},
    PripadBoolu{"abc", true, true},
    PripadBoolu{"", true, true},
    PripadBoolu{"true", false, false}));

// Values that must come back exactly, through the file's text.
class NavratHodnoty : public ::testing::TestWithParam<QString> {};

TEST_P(NavratHodnoty, hodnotaSeVratiPresne)
{
    IniDokument d;
    d.zapisText(u"S", u"k", GetParam());
    d.zapisText(u"S", u"dalsi", QStringLiteral("x"));
    const IniDokument znovu = IniDokument::zTextu(d.text());
    EXPECT_EQ(znovu.hodnota(u"S", u"k"), GetParam()) << d.text().toStdString();
    EXPECT_EQ(znovu.hodnota(u"S", u"dalsi"), QStringLiteral("x"));
}

INSTANTIATE_TEST_SUITE_P(Hodnoty, NavratHodnoty, ::testing::Values(
    QString(), QStringLiteral("/home/a/b"), QStringLiteral("/data/adresář s mezerou "),
    QStringLiteral(" leading"), QStringLiteral("\ttab\t"), QStringLiteral("  "),
    QStringLiteral("\"quoted\""), QStringLiteral("\"lead"), QStringLiteral("trail'"),
    QStringLiteral("'"), QStringLiteral("\""), QStringLiteral("a=b=c"), QStringLiteral("=x"),
    QStringLiteral(";not a comment"), QStringLiteral("[Sekce]"), QStringLiteral("line\nbreak"),
    QStringLiteral("cr\r\nlf"), QStringLiteral("\r"), QStringLiteral("end\n"),
    QStringLiteral("back\\slash"), QStringLiteral("\\\"x\""), QStringLiteral("\\\"x"),
    QStringLiteral("\\n is text"), QStringLiteral("nul\u0000in"), QStringLiteral("C:\\Users\\x"),
    QStringLiteral("ěščřžýáíé ĚŠČŘŽ 😀"),
    // Directories whose names are not UTF-8 (the command line, the history).
    textZBajtu("/data/zdroj\xe9"), textZBajtu(" c\xedl\n\xff")));

struct PripadZapisu { QString hodnota; QByteArray radek; };

void PrintTo(const PripadZapisu& p, std::ostream* os) { *os << p.radek.constData(); }

class TvarZapisu : public ::testing::TestWithParam<PripadZapisu> {};

// Everyday values stay readable, so the file can be edited by hand.
TEST_P(TvarZapisu, bezneHodnotyZustavajiProste)
{
    EXPECT_EQ(kodujHodnotu(GetParam().hodnota), GetParam().radek);
}

INSTANTIATE_TEST_SUITE_P(Hodnoty, TvarZapisu, ::testing::Values(
    PripadZapisu{QStringLiteral("/home/jana/Fotky"), "/home/jana/Fotky"},
    PripadZapisu{QStringLiteral("a=b;c[d]"), "a=b;c[d]"},
    PripadZapisu{QStringLiteral("C:\\Data"), "C:\\Data"},
    PripadZapisu{QStringLiteral("Květodílna"), "Květodílna"},
    PripadZapisu{QStringLiteral("dir "), "\"dir \""},
    PripadZapisu{QStringLiteral("\"x"), "\"\"x\""},
    PripadZapisu{QStringLiteral("a\nb\\"), "\\\"a\\nb\\\\\""},
    // A name that is not UTF-8 is written as its own bytes.
    PripadZapisu{textZBajtu("/data/zdroj\xe9"), "/data/zdroj\xe9"}));

TEST(DelkaTextu, textSeCteNejvyse1023Znaku)
{
    IniDokument d;
    const QString dlouhy = QString(1022, u'a') + QStringLiteral("😀😀");
    d.zapisText(u"S", u"k", dlouhy);
    const QString precteny = IniDokument::zTextu(d.text()).ctiText(u"S", u"k");
    EXPECT_EQ(precteny, QString(1022, u'a') + QStringLiteral("😀"));   // code points, never half a pair
    EXPECT_EQ(IniDokument::zTextu(d.text()).hodnota(u"S", u"k"), dlouhy);
    d.zapisText(u"S", u"k", QString(1023, u'b'));
    EXPECT_EQ(d.ctiText(u"S", u"k"), QString(1023, u'b'));
}

} // namespace
} // namespace zrc
