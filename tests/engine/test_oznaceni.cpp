// Marking by type, by directory mask, and the size text of the selection summary.

#include "engine/oznaceni.h"

#include <gtest/gtest.h>

#include <string>

namespace zrc {
namespace {

class Oznaceni : public testing::Test {
protected:
    UlozisteVysledku u;
    void SetUp() override
    {
        const std::pair<const char*, const char*> soubory[] = {
            {"", "a.JPG"}, {"docs/", "b.jpg"}, {"docs/img/", "c.png"}, {"docsold/", "d.jpg"},
            {"x/img/", "e.jpeg"}, {"docs/", "f"}, {"Docs/", "g.txt"}, {"img/", "h.jpg"},
        };
        for (const auto& [podadr, jmeno] : soubory)
            u.pridej(3, NalezenySoubor{podadr, jmeno, 0, 1});
    }
};

TEST_F(Oznaceni, TypBezOhleduNaVelikostPismenAscii)
{
    EXPECT_EQ(RadkyDleSloupce(u, 3, Sloupec::Typ, u"JPG"), (std::vector<int>{0, 1, 3, 7}));
    EXPECT_EQ(RadkyDleSloupce(u, 3, Sloupec::Typ, u""), (std::vector<int>{5}));
    EXPECT_EQ(RadkyDleSloupce(u, 3, Sloupec::Podadr, u"DOCS/"), (std::vector<int>{1, 5, 6}));
    EXPECT_TRUE(RadkyDleSloupce(u, 4, Sloupec::Typ, u"jpg").empty());
}

struct Maska {
    const char* nazev;
    const char16_t* maska;
    std::vector<int> radky;
};

class MaskyAdresaru : public Oznaceni, public testing::WithParamInterface<Maska> {};

TEST_P(MaskyAdresaru, OznaciPodadresare)
{
    EXPECT_EQ(RadkyDleAdresare(u, 3, GetParam().maska), GetParam().radky);
}

INSTANTIATE_TEST_SUITE_P(Masky, MaskyAdresaru, testing::Values(
    Maska{"presne", u"docs/", {1, 5, 6}},          // "Docs/" is shown as "docs/"
    Maska{"zacatek", u"docs*", {1, 2, 3, 5, 6}},
    Maska{"konec", u"*img/", {2, 4, 7}},
    Maska{"uprostred", u"*img*", {2, 4, 7}},
    Maska{"velkaPismena", u"DOCS/IMG/", {2}},
    Maska{"zadnaShoda", u"nic/", {}},
    Maska{"prazdnaMaskaBereZaklad", u"", {0}}),
    [](const auto& info) { return std::string(info.param.nazev); });

TEST(SouhrnVyberu, SlozeniTextu)
{
    EXPECT_EQ(SouhrnVyberu(3, 120, 5000, QStringLiteral("/zaloha")),
              QStringLiteral("vybráno:3 z 120 velikost:    4kB    /zaloha"));
}

} // namespace
} // namespace zrc
