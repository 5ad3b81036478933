// The composite writes on real temporary trees, each hit by a fault at every
// call that may fail: what is on the disk afterwards.

#include "platform/zapisy.h"
#include "support/chybova_volani.h"
#include "support/soubory.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace zrc::test {
namespace {

void napis(const std::string& cesta, const std::string& data)
{
    std::ofstream(cesta, std::ios::binary) << data;
}

std::vector<std::string> jmena(const std::string& adresar)
{
    std::vector<std::string> v;
    for (const auto& e : std::filesystem::directory_iterator(adresar))
        v.push_back(e.path().filename().string());
    return v;
}

// A replaced file keeps its old content byte for byte when any step fails, and
// no temporary sibling stays; a new file does not appear at all.
struct NahradaPripad {
    const char* nazev;
    Porucha porucha;
    bool existuje;
};

class NahradaSouboru : public testing::TestWithParam<NahradaPripad> {};

TEST_P(NahradaSouboru, StaryObsahNeboNic)
{
    const auto& p = GetParam();
    TempTree t;
    if (p.existuje)
        napis(t.path("a.ini"), "stary");
    ChyboveVolani sys;
    sys.poruchy.push_back(p.porucha);
    const auto r = platform::nahradSoubor(sys, t.path("a.ini"), "novy obsah");
    EXPECT_EQ(r.err, EIO);
    EXPECT_EQ(existuje(t.path("a.ini")), p.existuje);
    EXPECT_EQ(obsah(t.path("a.ini")), p.existuje ? "stary" : "");
    EXPECT_EQ(jmena(t.root()), p.existuje ? std::vector<std::string>{"a.ini"} : std::vector<std::string>{});
}

std::vector<NahradaPripad> pripadyNahrady()
{
    std::vector<NahradaPripad> v;
    const std::pair<const char*, Porucha> poruchy[] = {
        {"otevreni", {.druh = Call::OpenAt, .od = 2}},   // the first opens the directory
        {"zapis", {.druh = Call::Pwrite}},
        {"fsync", {.druh = Call::Fsync}},
        {"prejmenovani", {.druh = Call::RenameAt}},
        {"zavreni", {.druh = Call::Close}},
    };
    for (const auto& [nazev, porucha] : poruchy) {
        v.push_back({nazev, porucha, true});
        v.push_back({nazev, porucha, false});
    }
    return v;
}

INSTANTIATE_TEST_SUITE_P(Zapisy, NahradaSouboru, testing::ValuesIn(pripadyNahrady()),
                         [](const auto& i) {
                             return std::string(i.param.nazev) + (i.param.existuje ? "_stary" : "_novy");
                         });

TEST(Zapisy, NahradaZachovaModNahrazeneho)
{
    TempTree t{file("a.ini", 5).withMode(0640)};
    ASSERT_TRUE(platform::nahradSoubor(platform::realSyscalls(), t.path("a.ini"), "novy").ok());
    struct stat st {};
    ASSERT_EQ(::stat(t.path("a.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(obsah(t.path("a.ini")), "novy");
}

// Without RENAME_NOREPLACE: link + unlink never replaces a file, and where
// the old name cannot be unlinked the file keeps its old name only.
TEST(Zapisy, PrejmenovaniOdkazemNicNenahradiANicNezdvoji)
{
    TempTree t;
    napis(t.path("x"), "data");
    napis(t.path("obsazeno"), "cizi");
    ChyboveVolani sys;
    sys.poruchy.push_back({.druh = Call::RenameAt, .pocet = -1, .err = EINVAL});
    sys.poruchy.push_back({.druh = Call::UnlinkAt, .jmeno = t.path("x")});
    EXPECT_EQ(platform::prejmenujBezPrepisu(sys, AT_FDCWD, t.path("x").c_str(), AT_FDCWD,
                                            t.path("obsazeno").c_str()).err, EEXIST);
    EXPECT_EQ(obsah(t.path("obsazeno")), "cizi");
    EXPECT_EQ(platform::prejmenujBezPrepisu(sys, AT_FDCWD, t.path("x").c_str(), AT_FDCWD,
                                            t.path("y").c_str()).err, EIO);
    EXPECT_EQ(obsah(t.path("x")), "data");
    EXPECT_FALSE(existuje(t.path("y")));
    EXPECT_TRUE(platform::prejmenujBezPrepisu(sys, AT_FDCWD, t.path("x").c_str(), AT_FDCWD,
                                              t.path("y").c_str()).ok());
    EXPECT_FALSE(existuje(t.path("x")));
    EXPECT_EQ(obsah(t.path("y")), "data");
}

} // namespace
} // namespace zrc::test
