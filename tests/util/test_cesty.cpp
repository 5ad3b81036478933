#include "util/cesty.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace zrc {
namespace {

struct PripadAdresare {
    const char16_t* cesta;
    const char16_t* adresar;
};

class AdresarCestyTest : public testing::TestWithParam<PripadAdresare> {};

TEST_P(AdresarCestyTest, VseDoPoslednihoLomitka)
{
    EXPECT_EQ(AdresarCesty(GetParam().cesta), QString::fromUtf16(GetParam().adresar));
}

INSTANTIATE_TEST_SUITE_P(Pripady, AdresarCestyTest, testing::Values(
    PripadAdresare{u"/A/b.txt", u"/A"},
    PripadAdresare{u"/A/B/", u"/A/B"},
    PripadAdresare{u"b.txt", u""},
    PripadAdresare{u"", u""},
    PripadAdresare{u"/b.txt", u"/"},               // the root stays the root
    PripadAdresare{u"/", u"/"},
    PripadAdresare{u"a/b", u"a"}));

TEST(AdresarProgramu, AdresarTestu)
{
    const QString adresar = AdresarProgramu();
    EXPECT_TRUE(adresar.startsWith(u'/'));
    EXPECT_FALSE(adresar.endsWith(u'/'));
    EXPECT_TRUE(QFileInfo(adresar + QStringLiteral("/test_util")).isExecutable());
}

struct PripadZkraceni {
    int maxDelka;
    const char16_t* cesta;
    const char16_t* vysledek;
};

class ZkratCestuTest : public testing::TestWithParam<PripadZkraceni> {};

TEST_P(ZkratCestuTest, Zkrati)
{
    const PripadZkraceni& p = GetParam();
    const QString vysledek = ZkratCestu(p.maxDelka, p.cesta);
    EXPECT_EQ(vysledek, QString::fromUtf16(p.vysledek));
    if (QStringView(p.cesta).size() >= p.maxDelka) {
        EXPECT_LT(vysledek.size(), p.maxDelka);
    }
}

INSTANTIATE_TEST_SUITE_P(Pripady, ZkratCestuTest, testing::Values(
    PripadZkraceni{20, u"/home/a/b.txt", u"/home/a/b.txt"},
    PripadZkraceni{20, u"/", u"/"},
    PripadZkraceni{20, u"", u""},
    PripadZkraceni{20, u"/home/pavel/Dir/Sub/file.txt", u"/../Sub/file.txt"},
    PripadZkraceni{22, u"/home/pavel/Dokumenty/Účty", u"/../Dokumenty/Účty"},
    // exactly m characters is already too long
    PripadZkraceni{10, u"/aaa/bbbbb", u"/../bbbbb"},
    // the last component alone does not fit: its tail is kept
    PripadZkraceni{12, u"/home/velmi_dlouhe_jmeno.txt", u"/..meno.txt"},
    PripadZkraceni{12, u"velmi_dlouhe_jmeno.txt", u"..jmeno.txt"}));

} // namespace
} // namespace zrc
