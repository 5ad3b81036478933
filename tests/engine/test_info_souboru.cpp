// What the file information dialog reads of a file: the attribute word of
// real files (read-only, hidden, plain, directory, links) and its text.

#include "engine/info_souboru.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace zrc {
namespace {

using test::TempTree;

struct SlovoAText {
    int slovo;
    const char* text;
};

class TextyAtributu : public testing::TestWithParam<SlovoAText> {};

TEST_P(TextyAtributu, NazyvajiNejvyssiNastavenyBit)
{
    EXPECT_EQ(TextAtributu(GetParam().slovo), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Slova, TextyAtributu,
    testing::Values(SlovoAText{128, "128"}, SlovoAText{0, "0"}, SlovoAText{1, "pouze pro čtení"},
                    SlovoAText{3, "skrytý"},                 // read-only and hidden: hidden is higher
                    SlovoAText{33, "archívní"},              // read-only with the archive bit
                    SlovoAText{4, "systémový"}, SlovoAText{8, "Identifikátor média"},
                    SlovoAText{16 + 2, "adresář"}, SlovoAText{64, "64"}));

struct Soubor {
    const char* nazev;      // test name
    test::Entry polozka;
    bool existuje;
    int slovo;
    std::int64_t velikost;
};

class InfoSouboruNaDisku : public testing::TestWithParam<Soubor> {};

TEST_P(InfoSouboruNaDisku, CteExistenciVelikostCasASlovo)
{
    const std::time_t cas = test::localTime(2023, 5, 6, 7, 8, 10);
    TempTree t{test::file("cil.txt", 42, cas), test::dir("adr")};
    test::Entry e = GetParam().polozka;
    if (e.kind == test::Kind::File)
        e.mtime = cas;
    t.add({e});
    const InfoSouboru i = CtiInfoSouboru(t.path(e.path));
    EXPECT_EQ(i.existuje, GetParam().existuje);
    if (!i.existuje)
        return;
    EXPECT_EQ(i.atributy, GetParam().slovo);
    EXPECT_EQ(i.velikost, GetParam().velikost);
    EXPECT_EQ(i.cas, cas);
}

INSTANTIATE_TEST_SUITE_P(Druhy, InfoSouboruNaDisku, testing::Values(
    Soubor{"Obycejny", test::file("a.txt", 5), true, 128, 5},
    Soubor{"JenProCteni", test::file("r.txt", 3).withMode(0444), true, 1, 3},
    Soubor{"Skryty", test::file(".skryty", 7), true, 2, 7},
    Soubor{"SkrytyJenProCteni", test::file(".r", 1).withMode(0400), true, 3, 1},
    Soubor{"OdkazNaSoubor", test::symlink("odkaz", "cil.txt"), true, 128, 42},
    Soubor{"Adresar", test::dir("jiny"), false, 0, 0},
    Soubor{"VisiciOdkaz", test::symlink("nikam", "chybi.txt"), false, 0, 0},
    Soubor{"Roura", test::fifo("roura"), false, 0, 0}),
    [](const auto& info) { return std::string(info.param.nazev); });

TEST(InfoSouboru, ChybejiciSouborNeexistuje)
{
    TempTree t;
    EXPECT_FALSE(CtiInfoSouboru(t.path("nic.txt")).existuje);
}

} // namespace
} // namespace zrc
