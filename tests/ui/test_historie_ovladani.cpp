#include "ui/historie_ovladani.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zrc {
namespace {

class OvladaniHistorieTest : public testing::Test {
protected:
    QTemporaryDir adresar;
    QString cesta = adresar.filePath(QStringLiteral("zrcadlovac.ini"));

    void zapisZaznamy(int pocet)
    {
        for (int i = 0; i < pocet; ++i) {
            NastaveniPorovnani n;
            n.SE_Filtr_3 = i;
            ASSERT_TRUE(HistoriePridej(cesta, n, QDate(2026, 12, 7)).ok());
        }
    }
    static std::vector<int> nactene(const QSignalSpy& spy)
    {
        std::vector<int> v;
        for (const QList<QVariant>& s : spy)
            v.push_back(s.at(0).toInt());
        return v;
    }
};

TEST_F(OvladaniHistorieTest, PrazdnaHistorieNicNenacte)
{
    OvladaniHistorie h(cesta);
    QSignalSpy nacist(&h, &OvladaniHistorie::nacist);
    h.HistorieButton(1);
    EXPECT_EQ(h.stav().popis, QStringLiteral("-"));
    EXPECT_FALSE(h.stav().predchozi);
    EXPECT_FALSE(h.stav().dalsi);
    h.SBHDClick();
    h.SBHPClick();
    EXPECT_EQ(nacist.count(), 0);
}

TEST_F(OvladaniHistorieTest, StrankovaniOd1Do5)
{
    zapisZaznamy(5);
    OvladaniHistorie h(cesta);
    QSignalSpy nacist(&h, &OvladaniHistorie::nacist);
    h.HistorieButton(1);
    EXPECT_EQ(h.stav().popis, QStringLiteral("1/5"));
    EXPECT_FALSE(h.stav().predchozi);
    EXPECT_TRUE(h.stav().dalsi);
    for (int i = 0; i < 3; ++i)
        h.SBHDClick();
    EXPECT_EQ(h.stav().popis, QStringLiteral("4/5"));
    EXPECT_TRUE(h.stav().predchozi && h.stav().dalsi);
    h.SBHDClick();
    EXPECT_EQ(h.stav().popis, QStringLiteral("5/5"));
    EXPECT_FALSE(h.stav().dalsi);
    h.SBHDClick();   // past the oldest: nothing
    EXPECT_EQ(h.pozice(), 5);
    EXPECT_EQ(nactene(nacist), (std::vector<int>{2, 3, 4, 5}));
}

TEST_F(OvladaniHistorieTest, ZmenaVratiPomlckuAKrokVpredNacte1)
{
    zapisZaznamy(5);
    OvladaniHistorie h(cesta);
    QSignalSpy nacist(&h, &OvladaniHistorie::nacist);
    h.HistorieButton(3);
    h.HistorieZmena();
    EXPECT_EQ(h.stav().popis, QStringLiteral("-"));
    EXPECT_FALSE(h.stav().predchozi);
    EXPECT_TRUE(h.stav().dalsi);
    h.SBHPClick();   // from 0 there is nothing newer
    EXPECT_EQ(nacist.count(), 0);
    h.SBHDClick();
    EXPECT_EQ(h.stav().popis, QStringLiteral("1/5"));
    EXPECT_EQ(nactene(nacist), (std::vector<int>{1}));
}

TEST_F(OvladaniHistorieTest, JedinyZaznamSeKazdymKrokemZnovuNacte)
{
    zapisZaznamy(1);
    OvladaniHistorie h(cesta);
    QSignalSpy nacist(&h, &OvladaniHistorie::nacist);
    h.HistorieButton(1);
    h.SBHDClick();
    h.SBHPClick();
    EXPECT_EQ(h.stav().popis, QStringLiteral("1/1"));
    EXPECT_EQ(nactene(nacist), (std::vector<int>{1, 1}));
}

TEST_F(OvladaniHistorieTest, PoziceNadPoctemSeOrizne)
{
    zapisZaznamy(2);
    OvladaniHistorie h(cesta);
    h.HistorieButton(9);
    EXPECT_EQ(h.pozice(), 2);
    EXPECT_EQ(h.stav().popis, QStringLiteral("2/2"));
}

} // namespace
} // namespace zrc
