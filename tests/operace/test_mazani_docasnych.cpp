// Deleting the leftover temporary files of interrupted copies removes only
// what still is such a file.

#include "operace/mazani_docasnych.h"
#include "support/chybova_volani.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zrc {
namespace {

using test::file;
using test::symlink;
using test::TempTree;

bool existuje(const std::string& cesta)
{
    struct stat st {};
    return ::lstat(cesta.c_str(), &st) == 0;
}

// Only regular files of the pattern go: a link with such a name and a file of
// another name stay and are reported; one gone meanwhile is no failure.
TEST(SmazDocasne, JenSkutecneDocasne)
{
    TempTree t{{file("a/.x.txt.k3j9qa.zrtmp", 2), file("cil.txt", 1), file("x.txt.k3j9qa.zrtmp", 1),
                symlink("a/.o.txt.aaaaaa.zrtmp", "../cil.txt")}};
    const auto chyby = smazDocasne({t.path("a/.x.txt.k3j9qa.zrtmp"), t.path("a/.o.txt.aaaaaa.zrtmp"),
                                    t.path("x.txt.k3j9qa.zrtmp"), t.path("a/.pryc.txt.bbbbbb.zrtmp")});
    EXPECT_FALSE(existuje(t.path("a/.x.txt.k3j9qa.zrtmp")));
    EXPECT_TRUE(existuje(t.path("a/.o.txt.aaaaaa.zrtmp")));
    EXPECT_TRUE(existuje(t.path("cil.txt")));
    EXPECT_TRUE(existuje(t.path("x.txt.k3j9qa.zrtmp")));
    ASSERT_EQ(chyby.size(), 2u);
    EXPECT_EQ(chyby[0].cesta, t.path("a/.o.txt.aaaaaa.zrtmp"));
    EXPECT_EQ(chyby[1].cesta, t.path("x.txt.k3j9qa.zrtmp"));
}

// A failed unlink is reported with its errno and the file stays; the next
// leftover is deleted all the same.
TEST(SmazDocasne, ChybaMazaniSeHlasi)
{
    TempTree t{{file("a/.x.txt.k3j9qa.zrtmp", 2), file("a/.y.txt.k3j9qa.zrtmp", 2)}};
    test::ChyboveVolani sys;
    sys.poruchy.push_back({.druh = test::Call::UnlinkAt, .jmeno = ".x.txt.k3j9qa.zrtmp"});
    const auto chyby = smazDocasne({t.path("a/.x.txt.k3j9qa.zrtmp"), t.path("a/.y.txt.k3j9qa.zrtmp")}, &sys);
    ASSERT_EQ(chyby.size(), 1u);
    EXPECT_EQ(chyby[0].cesta, t.path("a/.x.txt.k3j9qa.zrtmp"));
    EXPECT_EQ(chyby[0].err, EIO);
    EXPECT_TRUE(existuje(t.path("a/.x.txt.k3j9qa.zrtmp")));
    EXPECT_FALSE(existuje(t.path("a/.y.txt.k3j9qa.zrtmp")));
}

} // namespace
} // namespace zrc
