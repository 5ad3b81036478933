// The guard of the base directories against disks unmounted or mounted since
// the comparison.

#include "operace/straz_zakladu.h"
#include "support/chybova_volani.h"
#include "support/temp_tree.h"
#include "support/tmpfs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

namespace zrc::test {
namespace {

class StrazZakladuTest : public testing::Test {
protected:
    TempTree t{file("zaloha/a.txt", 1), file("data/b.txt", 1)};
    StrazZakladu straz() const
    {
        return StrazZakladu({{"Adresář 1", t.path("data")}, {"Adresář 2", t.path("zaloha")}});
    }
};

TEST_F(StrazZakladuTest, BezZmenyNicNehlasi)
{
    const auto s = straz();
    ASSERT_EQ(s.otisky().size(), 2u);
    EXPECT_GE(s.otisky()[1].idPripojeni, 0);
    EXPECT_FALSE(s.zkontroluj());
}

// A base that the check cannot open any more (here EIO on its second open)
// stops the operation with the reason.
TEST_F(StrazZakladuTest, ChybaOtevreniZastaviOperaci)
{
    ChyboveVolani sys;
    sys.poruchy.push_back({.druh = Call::OpenAt, .od = 2, .jmeno = t.path("zaloha")});
    const StrazZakladu s({{"Adresář 2", t.path("zaloha")}}, &sys);
    const auto z = s.zkontroluj();
    ASSERT_TRUE(z);
    EXPECT_EQ(z->zprava, "Adresář 2 \"" + t.path("zaloha") +
                             "\" se od porovnání změnil: není dostupný (chyba čtení nebo zápisu na disk)."
                             "\rNic nebylo provedeno.");
}

TEST_F(StrazZakladuTest, TmpfsPresZakladPoPorovnani)
{
    const auto s = straz();
    Tmpfs m(t.path("zaloha"));
    if (!m.pripojeno())
        GTEST_SKIP() << m.proc();
    const auto z = s.zkontroluj();
    ASSERT_TRUE(z);
    EXPECT_EQ(z->nazev, "Adresář 2");
    EXPECT_EQ(z->zprava, "Adresář 2 \"" + t.path("zaloha") +
                             "\" se od porovnání změnil: leží nyní na jiném svazku (tmpfs v " +
                             t.path("zaloha") + ").\rNic nebylo provedeno.");
    m.odpoj();
    EXPECT_FALSE(s.zkontroluj());
}

TEST_F(StrazZakladuTest, OdpojenyDiskPodZakladem)
{
    // The base was the root of a mounted disk; after unmounting, the same path
    // is the empty mount-point directory of the parent file system.
    Tmpfs m(t.path("disk"));
    if (!m.pripojeno())
        GTEST_SKIP() << m.proc();
    const StrazZakladu s({{"Adresář 1", t.path("disk")}});
    EXPECT_FALSE(s.zkontroluj());
    m.odpoj();
    const auto z = s.zkontroluj();
    ASSERT_TRUE(z);
    EXPECT_NE(z->zprava.find("leží nyní na jiném svazku"), std::string::npos) << z->zprava;
}

TEST_F(StrazZakladuTest, ZmizelyANahrazenyZaklad)
{
    const auto s = straz();
    ASSERT_EQ(std::rename(t.path("data").c_str(), t.path("data.old").c_str()), 0);
    auto z = s.zkontroluj();
    ASSERT_TRUE(z);
    EXPECT_EQ(z->nazev, "Adresář 1");
    EXPECT_NE(z->zprava.find("není dostupný (soubor nebo adresář neexistuje)"), std::string::npos);
    ASSERT_EQ(::mkdir(t.path("data").c_str(), 0755), 0);
    z = s.zkontroluj();
    ASSERT_TRUE(z);
    EXPECT_NE(z->zprava.find("nahrazen jiným adresářem"), std::string::npos);
}

TEST_F(StrazZakladuTest, ChybejiciCilSeNehlida)
{
    // A one-sided run into a directory that an operation will create.
    const StrazZakladu s({{"Adresář 2", t.path("nova")}});
    EXPECT_FALSE(s.zkontroluj());
    ASSERT_EQ(::mkdir(t.path("nova").c_str(), 0755), 0);
    EXPECT_FALSE(s.zkontroluj());
}

} // namespace
} // namespace zrc::test
