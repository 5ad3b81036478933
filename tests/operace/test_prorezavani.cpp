// Pruning of emptied directories after a delete or a move.

#include "engine/docasne_soubory.h"
#include "operace/kopie_souboru.h"
#include "operace_pomoc.h"

#include <unistd.h>

namespace zrc::test {
namespace {

struct PrunePripad {
    const char* nazev;
    int uroven;
    std::vector<Entry> navic;              // beside base/a/b/f.txt
    std::vector<std::string> zustanou;     // directories that must remain
    std::vector<std::string> zmizi;        // directories that must be gone
};

class Prorezavani : public testing::TestWithParam<PrunePripad> {};

TEST_P(Prorezavani, PoSmazaniSouboru)
{
    const auto p = GetParam();
    TempTree t{file("base/a/b/f.txt", 3)};
    t.add(p.navic);
    Skript s;
    const auto v = ProvedOperaci({.zdroj = t.path("base"), .cil = t.path("base"),
                                  .operace = OperaceKodu(3, 2),
                                  .prorezavani = {.zapnuto = true, .uroven = p.uroven},
                                  .polozky = {{"a/b/f.txt", 3}}}, s);
    ASSERT_EQ(v.vyrizene, std::vector<std::size_t>{0});
    EXPECT_TRUE(existuje(t.path("base")));
    for (const auto& d : p.zustanou)
        EXPECT_TRUE(existuje(t.path(d))) << d;
    for (const auto& d : p.zmizi)
        EXPECT_FALSE(existuje(t.path(d))) << d;
}

INSTANTIATE_TEST_SUITE_P(
    Operace, Prorezavani,
    testing::Values(
        PrunePripad{"uroven0", 0, {}, {"base"}, {"base/a/b", "base/a"}},
        PrunePripad{"uroven1", 1, {}, {"base/a"}, {"base/a/b"}},
        PrunePripad{"uroven2", 2, {}, {"base/a/b"}, {}},
        PrunePripad{"sourozenec", 0, {file("base/a/b/jiny.txt")}, {"base/a/b", "base/a"}, {}},
        PrunePripad{"sourozenecVyse", 0, {file("base/a/jiny.txt")}, {"base/a"}, {"base/a/b"}},
        PrunePripad{"odkaz", 0, {symlink("base/a/odkaz", "b")}, {"base/a", "base/a/odkaz"},
                    {"base/a/b"}}),
    [](const auto& i) { return std::string(i.param.nazev); });

TEST(Operace, ProrezavaniVypnuteNicNemaze)
{
    TempTree t{file("base/a/b/f.txt", 3)};
    Skript s;
    ProvedOperaci({.zdroj = t.path("base"), .cil = t.path("base"), .operace = OperaceKodu(3, 2),
                   .polozky = {{"a/b/f.txt", 3}}}, s);
    EXPECT_TRUE(existuje(t.path("base/a/b")));
}

// A symbolic link to a directory in the middle of the path is never followed:
// the directory it points to (outside the tree) stays.
TEST(Operace, ProrezavaniNesledujeOdkaz)
{
    TempTree t{dir("venku/b"), symlink("base/a", "../venku")};
    SmazPrazdneAdresare(t.path("base/a/b"), t.path("base"), 0);
    EXPECT_TRUE(existuje(t.path("venku/b")));
    EXPECT_TRUE(existuje(t.path("base/a")));
    SmazPrazdneAdresare(t.path("base"), t.path("base"), 0);
    EXPECT_TRUE(existuje(t.path("base")));
}

// A delete never goes through a symbolic link below the base either.
TEST(Operace, MazaniNeprochaziOdkazem)
{
    TempTree t{file("venku/f.txt", 3), symlink("base/a", "../venku")};
    Skript s;
    const auto v = ProvedOperaci({.zdroj = t.path("base"), .cil = t.path("base"),
                                  .operace = OperaceKodu(3, 2), .polozky = {{"a/f.txt", 3}}}, s);
    EXPECT_TRUE(v.vyrizene.empty());
    EXPECT_TRUE(existuje(t.path("venku/f.txt")));
    ASSERT_EQ(s.udalosti.size(), 2u);
    EXPECT_EQ(s.udalosti[1], "chyba-mazani f.txt: cesta vede přes symbolický odkaz");
}

TEST(Operace, JmenoDocasnehoSouboru)
{
    EXPECT_TRUE(jeDocasnySoubor(".x.txt.k3j9qa.zrtmp"));
    EXPECT_FALSE(jeDocasnySoubor("x.txt.k3j9qa.zrtmp"));
    EXPECT_FALSE(jeDocasnySoubor(".x.txt.K3J9QA.zrtmp"));
    EXPECT_FALSE(jeDocasnySoubor(".k3j9qa.zrtmp"));
    // 250 bytes of two-byte letters: cut to 255 in all, never inside a letter.
    std::string dlouhe;
    for (int i = 0; i < 125; ++i)
        dlouhe += "č";
    const std::string j = jmenoDocasneho(dlouhe, "abc123");
    EXPECT_LE(j.size(), 255u);
    EXPECT_TRUE(jeDocasnySoubor(j));
    EXPECT_EQ((j.size() - 14) % 2, 0u);
}

} // namespace
} // namespace zrc::test
