// Parsing of /proc/self/mountinfo and finding the mount of a directory.

#include "platform/pripojeni.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace zrc::test {
namespace {

using platform::Pripojeni;

constexpr std::string_view vzorek =
    "22 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
    "36 22 98:0 /mnt1 /media/Fotky\\0402024 rw,noatime master:1 shared:7 - ext3 /dev/sdb1 rw\n"
    "37 22 0:40 / /media/Fotky\\0402024 rw - tmpfs tmpfs rw\n"
    "neplatny radek\n"
    "38 22 0:41 / /media/Fo rw - vfat /dev/sdc1 rw";

TEST(Pripojeni, RozeberMountinfo)
{
    const auto t = platform::rozeberMountinfo(vzorek);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[1].id, 36);
    EXPECT_EQ(t[1].rodic, 22);
    EXPECT_EQ(t[1].major, 98u);
    EXPECT_EQ(t[1].bod, "/media/Fotky 2024");   // optional fields skipped, "\040" a space
    EXPECT_EQ(t[1].typ, "ext3");
    EXPECT_EQ(t[1].zdroj, "/dev/sdb1");
    EXPECT_EQ(t[3].typ, "vfat");
}

TEST(Pripojeni, NejdelsiBodCelymiSlozkamiAVrchniZeDvou)
{
    const auto t = platform::rozeberMountinfo(vzorek);
    // Without a descriptor only the path decides: the later of two mounts on
    // one point is the one on top, and "/media/Fo" does not hold "/media/Fotky 2024".
    const auto m = platform::pripojeniAdresare(-1, "/media/Fotky 2024/a", t);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->id, 37);
    EXPECT_EQ(platform::pripojeniAdresare(-1, "/media/Fotky", t)->id, 22);
}

TEST(Pripojeni, DeskriptorPodleIdPripojeni)
{
    const int fd = ::open("/proc", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    const auto m = platform::pripojeniAdresare(fd, "/", platform::nactiPripojeni());
    ::close(fd);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->typ, "proc");   // by mount id, although the path given says "/"
}

} // namespace
} // namespace zrc::test
