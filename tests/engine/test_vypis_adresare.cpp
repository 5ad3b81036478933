// A listing thread's scratch after a very large directory: given back, so that
// each thread keeps only what an ordinary directory needs.

#include "engine/vypis_adresare.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace zrc {
namespace {

NactenyAdresar nacti(const std::string& cesta, PracovniPametVypisu& p)
{
    std::error_code ec;
    const platform::DirectoryHandle d = platform::openDirectory(cesta.c_str(), platform::FollowLinks::No, ec);
    EXPECT_TRUE(d.valid()) << cesta << ": " << ec.message();
    return nactiAdresar(d.get(), p);
}

TEST(PracovniPametVypisu, ALargeDirectoryLeavesNoScratchBehind)
{
    // 30 000 files: about 1.3 MB of entries and names, beyond the 512 KB kept.
    std::vector<test::Entry> soubory{test::file("maly/a.txt"), test::file("maly/b.txt")};
    for (int i = 0; i < 30000; ++i)
        soubory.push_back(test::file("velky/soubor-" + std::to_string(i) + ".txt"));
    const test::TempTree strom(soubory);

    PracovniPametVypisu p;
    EXPECT_EQ(nacti(strom.path("velky"), p).vypis.soubory().size(), 30000u);
    EXPECT_LE(p.velikostZaznamu(), 512u * 1024);
    const NactenyAdresar maly = nacti(strom.path("maly"), p);
    ASSERT_EQ(maly.vypis.soubory().size(), 2u);   // the scratch still works after its release
    EXPECT_EQ(maly.vypis.jmeno(maly.vypis.soubory()[1]), "b.txt");
    EXPECT_LE(p.velikostZaznamu(), 64u * 1024);
}

} // namespace
} // namespace zrc
