// The listing layer on real directories: big directories, entry types, links.

#include "platform/listing.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

namespace zrc::platform {
namespace {

using test::TempTree;

std::set<std::string> jmena(const RawListing& l)
{
    std::set<std::string> s;
    for (const RawEntry& e : l.entries)
        s.insert(std::string(l.name(e), e.length));
    return s;
}

// A directory of 3 000 names of 120 bytes, several 64 KiB getdents64 blocks,
// opened for listing.
class VelkyAdresar : public testing::Test {
protected:
    void SetUp() override
    {
        std::vector<test::Entry> e;
        for (int i = 0; i < 3000; ++i)
            e.push_back(test::file(std::string(110, 'x') + std::to_string(1000000 + i)));
        t.emplace(e);
        std::error_code ec;
        d = openDirectory(t->root().c_str(), FollowLinks::Yes, ec);
        ASSERT_TRUE(d.valid()) << ec.message();
    }

    std::optional<TempTree> t;
    DirectoryHandle d;
    RawListing l;
    std::vector<char> buffer;
};

TEST_F(VelkyAdresar, PresViceBloku)
{
    ASSERT_FALSE(readDirectory(d.get(), l, buffer));
    EXPECT_EQ(l.entries.size(), 3000u);
    EXPECT_EQ(jmena(l).size(), 3000u);
    EXPECT_EQ(jmena(l).count("."), 0u);
}

// A listing read in steps (a huge one is known as such before all of it is
// read) holds every name once, whatever block the first step stopped in.
TEST_F(VelkyAdresar, PoCastechNeztratiAniNezdvojiJmeno)
{
    const ListingStep prvni = readDirectoryUpTo(d.get(), l, buffer, 1000);
    ASSERT_FALSE(prvni.error);
    EXPECT_EQ(prvni.end, ListingEnd::NotReached);
    EXPECT_GE(l.entries.size(), 1000u);
    EXPECT_LT(l.entries.size(), 3000u);
    const ListingStep zbytek = readDirectoryUpTo(d.get(), l, buffer, SIZE_MAX);
    ASSERT_FALSE(zbytek.error);
    EXPECT_EQ(zbytek.end, ListingEnd::Reached);
    EXPECT_EQ(l.entries.size(), 3000u);
    EXPECT_EQ(jmena(l).size(), 3000u);
}

TEST(ListingTest, TypyAOdkazy)
{
    TempTree t{test::file("f", 5), test::dir("d"), test::symlink("l", "f"),
               test::symlink("ld", "d"), test::fifo("p")};
    std::error_code ec;
    const DirectoryHandle d = openDirectory(t.root().c_str(), FollowLinks::Yes, ec);
    RawListing l;
    std::vector<char> buffer;
    ASSERT_FALSE(readDirectory(d.get(), l, buffer));
    EXPECT_EQ(jmena(l), (std::set<std::string>{"f", "d", "l", "ld", "p"}));

    const auto odkaz = statAt(d.get(), "l", FollowLinks::No, ec);
    ASSERT_TRUE(odkaz);
    EXPECT_EQ(odkaz->type, EntryType::Symlink);
    const auto cil = statAt(d.get(), "l", FollowLinks::Yes, ec);
    ASSERT_TRUE(cil);
    EXPECT_EQ(cil->type, EntryType::Regular);
    EXPECT_EQ(cil->size, 5);
    EXPECT_FALSE(statAt(d.get(), "nic", FollowLinks::No, ec));
    EXPECT_EQ(ec, std::errc::no_such_file_or_directory);

    EXPECT_FALSE(openDirectory(t.path("ld").c_str(), FollowLinks::No, ec).valid());
    EXPECT_TRUE(openDirectory(t.path("ld").c_str(), FollowLinks::Yes, ec).valid());
    EXPECT_TRUE(isDirectory(t.path("ld").c_str()));
    EXPECT_FALSE(isDirectory(t.path("f").c_str()));
    EXPECT_FALSE(isDirectory(""));
}

} // namespace
} // namespace zrc::platform
