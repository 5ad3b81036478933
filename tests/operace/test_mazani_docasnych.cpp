// Removing the leftover temporary files of interrupted copies that a
// comparison met: only what is still the file the walk saw, reached from the
// walked base without following a link; everything else stays and is named.

#include "operace/mazani_docasnych.h"
#include "support/chybova_volani.h"
#include "support/soubory.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc::test {
namespace {

const std::string jmeno = ".x.txt.k3j9qa.zrtmp";

// The leftover a/b/<jmeno> as the walk records it.
NalezenyDocasny nalezeny(const TempTree& t, const std::string& j = jmeno)
{
    NalezenyDocasny d{.zaklad = t.root(), .podadr = "a/b", .jmeno = j};
    const int fd = ::open(t.path("a/b").c_str(), O_RDONLY | O_DIRECTORY);
    EXPECT_TRUE(zjistiDocasny(fd, j, d));
    ::close(fd);
    return d;
}

// What happens between the offer and "Ano".
struct ZmenaPripad {
    const char* nazev;
    std::function<void(const TempTree& t, const TempTree& venku)> zmena;
    bool zustane;            // the file at the walked path (or behind the link) is still there
    std::size_t smazano;     // counted as deleted
    std::string chyba;       // the reason named; "" when none
};

class ZmenaPoNabidce : public testing::TestWithParam<ZmenaPripad> {};

TEST_P(ZmenaPoNabidce, OdstraniJenTenSamySoubor)
{
    const auto& p = GetParam();
    TempTree t{{file("a/b/" + jmeno, 3)}}, venku;
    const NalezenyDocasny d = nalezeny(t);
    p.zmena(t, venku);
    const auto v = smazDocasne({d});
    const std::string zustal = existuje(venku.path("a")) ? venku.path("a/b/" + jmeno) : t.path("a/b/" + jmeno);
    EXPECT_EQ(existuje(zustal), p.zustane);
    EXPECT_EQ(v.smazano, p.smazano);
    if (p.chyba.empty()) {
        EXPECT_TRUE(v.nesmazane.empty());
        return;
    }
    ASSERT_EQ(v.nesmazane.size(), 1u);
    EXPECT_EQ(v.nesmazane[0].cesta, t.path("a/b/" + jmeno));
    EXPECT_EQ(textChyby(v.nesmazane[0].chyba), p.chyba);
}

void prepis(const std::string& cesta, const std::string& data)
{
    std::ofstream(cesta, std::ios::trunc) << data;
}

INSTANTIATE_TEST_SUITE_P(
    SmazDocasne, ZmenaPoNabidce,
    testing::Values(
        ZmenaPripad{"bezeZmeny", [](const TempTree&, const TempTree&) {}, false, 1, ""},
        ZmenaPripad{"uzPryc", [](const TempTree& t, const TempTree&) { ::unlink(t.path("a/b/" + jmeno).c_str()); },
                    false, 0, ""},
        // A user's file written meanwhile under the same name.
        ZmenaPripad{"prepsan", [](const TempTree& t, const TempTree&) { prepis(t.path("a/b/" + jmeno), "nova data"); },
                    true, 0, "soubor se od porovnání změnil"},
        // An ancestor swapped for a link to a directory outside the tree that
        // holds the same file (moved there, its inode kept).
        ZmenaPripad{"predekOdkazem",
                    [](const TempTree& t, const TempTree& venku) {
                        ASSERT_EQ(::rename(t.path("a").c_str(), venku.path("a").c_str()), 0);
                        ASSERT_EQ(::symlink(venku.path("a").c_str(), t.path("a").c_str()), 0);
                    },
                    true, 0, "cesta vede přes symbolický odkaz"}),
    [](const auto& i) { return std::string(i.param.nazev); });

// A failed unlink is reported with its errno and the file stays; the next
// leftover is removed all the same.
TEST(SmazDocasne, ChybaMazaniSeHlasi)
{
    TempTree t{{file("a/b/" + jmeno, 2), file("a/b/.y.txt.k3j9qa.zrtmp", 2)}};
    const NalezenyDocasny x = nalezeny(t), y = nalezeny(t, ".y.txt.k3j9qa.zrtmp");
    ChyboveVolani sys;
    sys.poruchy.push_back({.druh = Call::UnlinkAt, .jmeno = jmeno});
    const auto v = smazDocasne({x, y}, {.sys = &sys});
    ASSERT_EQ(v.nesmazane.size(), 1u);
    EXPECT_EQ(v.nesmazane[0].cesta, t.path("a/b/" + jmeno));
    EXPECT_EQ(v.nesmazane[0].chyba.err, EIO);
    EXPECT_TRUE(existuje(t.path("a/b/" + jmeno)));
    EXPECT_FALSE(existuje(t.path("a/b/.y.txt.k3j9qa.zrtmp")));
}

} // namespace
} // namespace zrc::test
