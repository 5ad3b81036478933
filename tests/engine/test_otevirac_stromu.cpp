// The walk's opener reaches a directory below a closed link in one call, keeps
// no more descriptors than it is given, and never passes through a link that
// was swapped into the tree meanwhile, at whatever level.

#include "engine/otevirac_stromu.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace zrc {
namespace {

using test::TempTree;

int otevrenychDeskriptoru()
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

struct PripadOdkazu {
    const char* nazev;
    const char* vymeneny;   // the directory swapped for a link to outside; "" for none
    const char* cil;        // where the link leads, below the outside tree
};

class OteviracTest : public testing::TestWithParam<PripadOdkazu> {};

TEST_P(OteviracTest, SkokPresZavrenyClanek)
{
    TempTree strom{{test::file("a/b/c/z"), test::file("a/x/y/znacka")}};
    TempTree venku{{test::file("x/y/znacka"), test::file("y/znacka"), test::file("znacka")}};
    StromStran s(strom.root(), strom.root());
    UzelStromu& a = s.pridej(s[0], "a");
    UzelStromu& b = s.pridej(a, "b");
    UzelStromu& x = s.pridej(a, "x");
    UzelStromu& c = s.pridej(b, "c");
    UzelStromu& y = s.pridej(x, "y");

    const int predtim = otevrenychDeskriptoru();
    OteviracStromu otevirac(2);   // the base and the deepest link: "a" is closed after "c"
    std::error_code ec;
    ASSERT_GE(otevirac.otevri(s, 0, c, ec), 0) << ec.message();

    const std::string vymeneny = GetParam().vymeneny;
    if (!vymeneny.empty()) {
        // Each link leads to a place where the rest of the path exists.
        const std::string p = strom.path(vymeneny);
        const std::string cil = venku.path(GetParam().cil);
        ASSERT_EQ(::rename(p.c_str(), (p + "_puvodni").c_str()), 0);
        ASSERT_EQ(::symlink(cil.c_str(), p.c_str()), 0);
    }
    const int fd = otevirac.otevri(s, 0, y, ec);
    if (vymeneny.empty()) {
        ASSERT_GE(fd, 0) << ec.message();
        struct stat st {};
        EXPECT_EQ(::fstatat(fd, "znacka", &st, 0), 0);
    } else {
        EXPECT_EQ(fd, -1);
        EXPECT_TRUE(ec) << "a link at " << vymeneny << " was followed";
    }
    EXPECT_LE(otevrenychDeskriptoru() - predtim, 2);
    otevirac.zavri();
    EXPECT_EQ(otevrenychDeskriptoru(), predtim);
}

INSTANTIATE_TEST_SUITE_P(Odkazy, OteviracTest, testing::Values(
    PripadOdkazu{"zadny", "", ""},
    PripadOdkazu{"preskoceny", "a", ""},
    PripadOdkazu{"predposledni", "a/x", "x"},
    PripadOdkazu{"posledni", "a/x/y", "x/y"}),
    [](const testing::TestParamInfo<PripadOdkazu>& i) { return std::string(i.param.nazev); });

// A walk that ends early (an error thrown on a listing thread) leaves
// directories held for subdirectories never opened: the tree closes them.
TEST(StromStranTest, DrzeneAdresareZavreSeStromem)
{
    TempTree strom{{test::file("a/b/z")}};
    const int predtim = otevrenychDeskriptoru();
    {
        StromStran s(strom.root(), strom.root());
        UzelStromu& a = s.pridej(s[0], "a");
        for (int strana = 0; strana < 2; ++strana) {
            std::error_code ec;
            a.podrzAdresar(strana, platform::openDirectory(strom.path("a").c_str(), platform::FollowLinks::No, ec));
            ASSERT_FALSE(ec) << ec.message();
        }
        EXPECT_EQ(otevrenychDeskriptoru(), predtim + 2);
    }
    EXPECT_EQ(otevrenychDeskriptoru(), predtim);
}

} // namespace
} // namespace zrc
