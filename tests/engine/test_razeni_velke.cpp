// A list long enough that its collation keys are made and sorted on two
// threads: every neighbour in order by the collator, and texts that collate
// equal (the same name in two directories) in their former order.

#include "engine/razeni.h"

#include <QCollator>
#include <gtest/gtest.h>

namespace zrc {
namespace {

struct PripadVelky {
    bool vzestupne;
};

class RazeniVelke : public testing::TestWithParam<PripadVelky> {};

TEST_P(RazeniVelke, SousedeVPoradiAStejneVPuvodnimPoradi)
{
    // 70 000 distinct names, each twice (two directories): 140 000 rows.
    const char* zaklady[] = {"čaj", "Čaj", "citron", "Zebra", "řeka", "a10", "a9", ".profil", "x y"};
    std::vector<std::string> jmena;
    for (int i = 0; i < 70000; ++i)
        jmena.push_back(std::string(zaklady[i % 9]) + " " + std::to_string(i * 7919 % 70000) + ".txt");
    UlozisteVysledku u;
    for (int kopie = 0; kopie < 2; ++kopie)
        for (const std::string& j : jmena)
            u.pridej(1, {kopie ? "b/" : "a/", j, 1, 1});
    const std::vector<Polozka> puvodni = u.seznam(1);
    const std::vector<int> poradi = poradiRazeni(u, puvodni, Sloupec::Nazev, GetParam().vzestupne);
    ASSERT_EQ(poradi.size(), puvodni.size());
    // The sort's collator: the user's locale, English under C.
    QLocale jazyk;
    if (jazyk.language() == QLocale::C)
        jazyk = QLocale(QLocale::English);
    QCollator c(jazyk);
    c.setCaseSensitivity(Qt::CaseSensitive);
    const auto text = [&](int r) { return textPolozky(u, puvodni[std::size_t(r)], Sloupec::Nazev); };
    for (std::size_t i = 1; i < poradi.size(); ++i) {
        const int srovnani = c.compare(text(poradi[i - 1]), text(poradi[i]));
        ASSERT_TRUE(GetParam().vzestupne ? srovnani <= 0 : srovnani >= 0) << i;
        if (srovnani == 0) {
            ASSERT_LT(poradi[i - 1], poradi[i]) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Smery, RazeniVelke, testing::Values(PripadVelky{true}, PripadVelky{false}));

} // namespace
} // namespace zrc
