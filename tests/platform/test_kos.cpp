// The trash on real temporary trees: which trash a file reaches, the info
// file written before the data moves, names trashed twice, an unusable trash.

#include "platform/kos.h"
#include "support/chybova_volani.h"
#include "support/soubory.h"
#include "support/temp_tree.h"
#include "support/tmpfs.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace zrc::test {
namespace {

using platform::Kos;
using platform::StavKose;

// The directory of a tree, open for the duration of a test.
struct Adresar {
    int fd;
    explicit Adresar(const std::string& cesta) : fd(::open(cesta.c_str(), O_RDONLY | O_DIRECTORY)) {}
    ~Adresar() { ::close(fd); }
};

std::string pathLine(const std::string& info)
{
    const auto od = info.find("Path=");
    return od == std::string::npos ? "" : info.substr(od + 5, info.find('\n', od) - od - 5);
}

std::string uid() { return std::to_string(::getuid()); }

// The renames of the trash fail as the test says; no trash may be made at the
// top of the test file system (/dev/shm or /tmp): a test that reaches past
// the home trash must leave nothing there.
struct HakVolani : ChyboveVolani {
    explicit HakVolani(Porucha prejmenovani)
    {
        prejmenovani.druh = Call::RenameAt;
        prejmenovani.pocet = -1;
        poruchy.push_back(std::move(prejmenovani));
        poruchy.push_back({.druh = Call::MkdirAt, .pocet = -1, .err = EROFS, .jmeno = ".Trash-" + uid()});
    }
};

struct JmenoPripad {
    const char* jmeno;
    int n;
    const char* ocekavane;
};

class KandidatJmena : public testing::TestWithParam<JmenoPripad> {};

TEST_P(KandidatJmena, CisloPredPriponou)
{
    EXPECT_EQ(platform::kandidatJmena(GetParam().jmeno, GetParam().n), GetParam().ocekavane);
}

INSTANTIATE_TEST_SUITE_P(
    Kos, KandidatJmena,
    testing::Values(JmenoPripad{"x.txt", 1, "x.txt"}, JmenoPripad{"x.txt", 2, "x.2.txt"},
                    JmenoPripad{"archiv.tar.gz", 3, "archiv.tar.3.gz"},
                    JmenoPripad{".bashrc", 2, ".bashrc.2"}, JmenoPripad{"README", 12, "README.12"},
                    JmenoPripad{"a.", 2, "a.2."}));

TEST(Kos, DelkaJmenaVcetnePriponyInfa)
{
    // 120 two-byte letters: the candidate is cut between letters, never inside one.
    std::string dlouhe;
    for (int i = 0; i < 120; ++i)
        dlouhe += "ř";
    dlouhe += ".txt";
    const auto k = platform::kandidatJmena(dlouhe, 7);
    EXPECT_LE(k.size() + 10, 255u);
    EXPECT_TRUE(k.ends_with(".7.txt"));
    EXPECT_EQ((k.size() - 6) % 2, 0u);
}

TEST(Kos, InfoKodujeCestuAMistniCas)
{
    const std::time_t cas = localTime(2026, 3, 4, 5, 6, 7);
    EXPECT_EQ(platform::textInfa("/data/Fotky 2024/ž#%.jpg", cas),
              "[Trash Info]\nPath=/data/Fotky%202024/%C5%BE%23%25.jpg\n"
              "DeletionDate=2026-03-04T05:06:07\n");
}

class KosNaStromu : public testing::Test {
protected:
    TempTree t{file("a/x.txt", 5), dir("data")};
    platform::VolbyKose volby() { return {.domov = t.path("data/Trash")}; }
};

TEST_F(KosNaStromu, DomovskyKosSAbsolutniCestou)
{
    Kos kos(volby());
    Adresar a(t.path("a"));
    const auto v = kos.doKose(a.fd, "x.txt");
    ASSERT_EQ(v.stav, StavKose::Presunuto) << v.err;
    EXPECT_EQ(v.kos, t.path("data/Trash"));
    EXPECT_FALSE(existuje(t.path("a/x.txt")));
    EXPECT_EQ(obsah(t.path("data/Trash/files/x.txt")).size(), 5u);
    EXPECT_EQ(pathLine(obsah(t.path("data/Trash/info/x.txt.trashinfo"))),
              platform::kodujCestu(t.path("a/x.txt")));
}

TEST_F(KosNaStromu, JmenoDvakratZachovaObe)
{
    Kos kos(volby());
    Adresar a(t.path("a"));
    ASSERT_TRUE(kos.doKose(a.fd, "x.txt").ok());
    t.add({file("a/x.txt", 9)});
    const auto v = kos.doKose(a.fd, "x.txt");
    ASSERT_TRUE(v.ok()) << v.err;
    EXPECT_EQ(v.jmeno, "x.2.txt");
    EXPECT_EQ(obsah(t.path("data/Trash/files/x.txt")).size(), 5u);
    EXPECT_EQ(obsah(t.path("data/Trash/files/x.2.txt")).size(), 9u);
    EXPECT_EQ(pathLine(obsah(t.path("data/Trash/info/x.2.txt.trashinfo"))),
              platform::kodujCestu(t.path("a/x.txt")));
}

TEST_F(KosNaStromu, OsirelaDataVKosiJmenoNeprepisi)
{
    t.add({file("data/Trash/files/x.txt", 1)});   // data whose info file is gone
    Kos kos(volby());
    Adresar a(t.path("a"));
    const auto v = kos.doKose(a.fd, "x.txt");
    ASSERT_TRUE(v.ok());
    EXPECT_EQ(v.jmeno, "x.2.txt");
    EXPECT_EQ(obsah(t.path("data/Trash/files/x.txt")).size(), 1u);
    EXPECT_FALSE(existuje(t.path("data/Trash/info/x.txt.trashinfo")));
}

TEST_F(KosNaStromu, InfoJeHotoveDriveNezSePresunouData)
{
    std::string infoPriPrejmenovani;
    HakVolani sys({.err = EIO,
                   .akce = [&] { infoPriPrejmenovani = obsah(t.path("data/Trash/info/x.txt.trashinfo")); }});
    auto v = volby();
    v.sys = &sys;
    Kos kos(v);
    Adresar a(t.path("a"));
    const auto r = kos.doKose(a.fd, "x.txt");
    EXPECT_EQ(r.stav, StavKose::Chyba);
    EXPECT_EQ(r.err, EIO);
    EXPECT_EQ(pathLine(infoPriPrejmenovani), platform::kodujCestu(t.path("a/x.txt")));
    EXPECT_TRUE(infoPriPrejmenovani.ends_with("\n"));
    // A failed rename takes its info file back and leaves the file alone.
    EXPECT_FALSE(existuje(t.path("data/Trash/info/x.txt.trashinfo")));
    EXPECT_EQ(obsah(t.path("a/x.txt")).size(), 5u);
}

TEST_F(KosNaStromu, JinyFilesystemPriPrejmenovaniJeNepouzitelny)
{
    HakVolani sys({.err = EXDEV});
    auto v = volby();
    v.sys = &sys;
    Kos kos(v);
    Adresar a(t.path("a"));
    const auto r = kos.doKose(a.fd, "x.txt");
    // EXDEV from the home trash, then the mount's trash could not be made.
    EXPECT_EQ(r.stav, StavKose::Nepouzitelny);
    EXPECT_EQ(r.err, EROFS);
    EXPECT_TRUE(existuje(t.path("a/x.txt")));
    EXPECT_FALSE(existuje(t.path("data/Trash/info/x.txt.trashinfo")));
}

TEST_F(KosNaStromu, SymbolickyOdkazJdeDoKoseSamNeCil)
{
    t.add({symlink("a/odkaz", "x.txt")});
    Kos kos(volby());
    Adresar a(t.path("a"));
    ASSERT_TRUE(kos.doKose(a.fd, "odkaz").ok());
    EXPECT_TRUE(existuje(t.path("a/x.txt")));
    struct stat st {};
    ASSERT_EQ(::lstat(t.path("data/Trash/files/odkaz").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(KosNaStromu, DomovskyKosPresOdkazUzivatele)
{
    // ~/.local/share/Trash as a link the user made to a directory of his own.
    t.add({dir("jinde/Kos"), symlink("data/Trash", "../jinde/Kos")});
    Kos kos(volby());
    Adresar a(t.path("a"));
    ASSERT_TRUE(kos.doKose(a.fd, "x.txt").ok());
    EXPECT_TRUE(existuje(t.path("jinde/Kos/files/x.txt")));
}

// Root only: a tmpfs is a second file system with its own trash at its top.
struct PripojenyPripad {
    const char* nazev;
    std::function<void(const std::string& mnt)> priprava;
    std::string kos;   // below mnt, {uid} replaced
};

class KosNaPripojeni : public testing::TestWithParam<PripojenyPripad> {};

TEST_P(KosNaPripojeni, DvaFilesystemyDvaKose)
{
    TempTree t{file("a/x.txt", 5), dir("data")};
    Tmpfs m(t.path("mnt"));
    if (!m.pripojeno())
        GTEST_SKIP() << m.proc();
    const std::string mnt = t.path("mnt");
    ::mkdir((mnt + "/b").c_str(), 0755);
    std::ofstream(mnt + "/b/y.txt") << "yyy";
    GetParam().priprava(mnt);
    std::string kosCesta = GetParam().kos;
    kosCesta.replace(kosCesta.find("{uid}"), 5, uid());

    Kos kos({.domov = t.path("data/Trash")});
    Adresar a(t.path("a"));
    Adresar b(mnt + "/b");
    ASSERT_TRUE(kos.doKose(a.fd, "x.txt").ok());
    const auto v = kos.doKose(b.fd, "y.txt");
    ASSERT_EQ(v.stav, StavKose::Presunuto) << v.err;
    EXPECT_EQ(v.kos, mnt + "/" + kosCesta);
    EXPECT_TRUE(existuje(t.path("data/Trash/files/x.txt")));
    EXPECT_EQ(obsah(v.kos + "/files/y.txt"), "yyy");
    // Relative to the mount point in a trash at the top of a file system.
    EXPECT_EQ(pathLine(obsah(v.kos + "/info/y.txt.trashinfo")), "b/y.txt");
    struct stat st {};
    ASSERT_EQ(::stat(v.kos.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

INSTANTIATE_TEST_SUITE_P(
    Kos, KosNaPripojeni,
    testing::Values(
        PripojenyPripad{"VlastniKos", [](const std::string&) {}, ".Trash-{uid}"},
        PripojenyPripad{"SpolecnyLepkavy",
                        [](const std::string& m) {
                            ::mkdir((m + "/.Trash").c_str(), 0777);
                            ::chmod((m + "/.Trash").c_str(), 01777);
                        },
                        ".Trash/{uid}"},
        PripojenyPripad{"SpolecnyBezLepkavehoBitu",
                        [](const std::string& m) { ::mkdir((m + "/.Trash").c_str(), 0777); },
                        ".Trash-{uid}"},
        PripojenyPripad{"SpolecnyJeOdkaz",
                        [](const std::string& m) {
                            ::mkdir((m + "/jinde").c_str(), 01777);
                            ::chmod((m + "/jinde").c_str(), 01777);
                            if (::symlink("jinde", (m + "/.Trash").c_str()) != 0)
                                ADD_FAILURE() << "symlink .Trash";
                        },
                        ".Trash-{uid}"}),
    [](const auto& i) { return std::string(i.param.nazev); });

TEST(Kos, PripojeniJenProCteniJeNepouzitelne)
{
    TempTree t{dir("data")};
    Tmpfs m(t.path("mnt"));
    if (!m.pripojeno())
        GTEST_SKIP() << m.proc();
    std::ofstream(t.path("mnt/z.txt")) << "z";
    ASSERT_TRUE(m.jenProCteni());
    Kos kos({.domov = t.path("data/Trash")});
    Adresar d(t.path("mnt"));
    const auto v = kos.doKose(d.fd, "z.txt");
    EXPECT_EQ(v.stav, StavKose::Nepouzitelny);
    EXPECT_EQ(v.err, EROFS);
    EXPECT_TRUE(existuje(t.path("mnt/z.txt")));
}

// The desktop's own reader, where it can read the trash (gio with gvfs).
TEST(Kos, GioCteVeciZpet)
{
    TempTree t{file("a/foto 1.jpg", 3), dir("data")};
    Kos kos({.domov = t.path("data/Trash")});
    Adresar a(t.path("a"));
    ASSERT_TRUE(kos.doKose(a.fd, "foto 1.jpg").ok());
    const std::string prikaz =
        "XDG_DATA_HOME='" + t.path("data") + "' gio trash --list 2>/dev/null";
    FILE* p = ::popen(prikaz.c_str(), "r");
    if (!p)
        GTEST_SKIP() << "no shell";
    std::string vystup;
    char buf[512];
    while (std::fgets(buf, sizeof buf, p))
        vystup += buf;
    if (::pclose(p) != 0)
        GTEST_SKIP() << "gio cannot read the trash here (gio or gvfs missing)";
    EXPECT_NE(vystup.find(t.path("a/foto 1.jpg")), std::string::npos) << vystup;
}

} // namespace
} // namespace zrc::test
