// The walk over the selected items: what each code leaves on disk, the order
// of the questions and what each answer does.

#include "operace/kniha_chyb.h"
#include "operace_pomoc.h"

#include <algorithm>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace zrc::test {
namespace {

using Udalosti = std::vector<std::string>;

struct Strom {
    TempTree zdroj, cil;
    Strom()
    {
        for (const char* j : {"a.txt", "s/b.txt", "s/t/c.txt"})
            zapis(zdroj.path(j), std::string("novy ") + j);
    }
    ZadaniOperace zadani(int kod) const
    {
        return {.zdroj = zdroj.root(), .cil = cil.root(), .operace = OperaceKodu(3, kod),
                .polozky = {{"a.txt", 9}, {"s/b.txt", 11}, {"s/t/c.txt", 13}}};
    }
};

// Codes 1-6: what stays in the source, what reaches the target, which items
// count as handled (the lists drop them; code 6 keeps them, the window's task).
struct KodPripad {
    int kod;
    bool zdrojZustava, cilVznikne;
};

class Kody : public testing::TestWithParam<KodPripad> {};

TEST_P(Kody, SouboryAVyrizenePolozky)
{
    const auto p = GetParam();
    Strom t;
    Skript s;
    const auto v = ProvedOperaci(t.zadani(p.kod), s);
    EXPECT_EQ(v.vyrizene, (std::vector<std::size_t>{0, 1, 2}));
    for (const char* j : {"a.txt", "s/b.txt", "s/t/c.txt"}) {
        EXPECT_EQ(existuje(t.zdroj.path(j)), p.zdrojZustava) << j;
        EXPECT_EQ(obsah(t.cil.path(j)), p.cilVznikne ? std::string("novy ") + j : "") << j;
    }
    EXPECT_TRUE(docasne(t.cil.root()).empty());
}

INSTANTIATE_TEST_SUITE_P(Operace, Kody,
                         testing::Values(KodPripad{1, true, true}, KodPripad{2, false, false},
                                         KodPripad{3, false, true}, KodPripad{4, true, true},
                                         KodPripad{5, false, true}, KodPripad{6, true, true},
                                         KodPripad{9, true, true}));

// Only a "NOVÉ" item going to the other compared directory must find its
// target absent; into a chosen directory, and on the other pages, it replaces.
TEST(Operace, PrepisPodlePrikazu)
{
    EXPECT_EQ(prepisOperace(DekodujPrikaz(11)), Prepis::JenNovy);
    EXPECT_EQ(prepisOperace(DekodujPrikaz(23)), Prepis::JenNovy);
    EXPECT_EQ(prepisOperace(OperaceDoAdresare(1, 6)), Prepis::Nahradit);
    EXPECT_EQ(prepisOperace(DekodujPrikaz(31)), Prepis::Nahradit);
    EXPECT_EQ(prepisOperace(DekodujPrikaz(-84)), Prepis::Nahradit);
    EXPECT_STREQ(titulekKodu(KodOperace::PresunSDvojcetem), "Přesun:");
}

// Cancel / Retry / Ignore in the copy error box, the error on the second item.
struct OdpovedPripad {
    OdpovedChyby odpoved;
    Udalosti udalosti;
    std::vector<std::size_t> vyrizene;
};

class OdpovediKopie : public testing::TestWithParam<OdpovedPripad> {};

TEST_P(OdpovediKopie, PoradiAVysledek)
{
    const auto p = GetParam();
    Strom t;
    ChyboveVolani sys;
    sys.poruchy.push_back({.druh = Call::OpenAt, .jmeno = "b.txt"});   // EIO once
    Skript s;
    s.kopie = {p.odpoved};
    // No read-ahead: the failing open must be the copy's own, not one that the
    // read-ahead meets and leaves to the copy.
    const auto v = ProvedOperaci(t.zadani(1), s, {.sys = &sys, .predcteniSouboru = 0});
    Udalosti bezHotovo;
    for (const auto& u : s.udalosti)
        bezHotovo.push_back(u);
    EXPECT_EQ(bezHotovo, p.udalosti);
    EXPECT_EQ(v.vyrizene, p.vyrizene);
    EXPECT_EQ(v.zruseno, p.odpoved == OdpovedChyby::Zrusit);
    EXPECT_EQ(existuje(t.cil.path("s/t/c.txt")), p.odpoved != OdpovedChyby::Zrusit);
}

const char* chybaB = "chyba-kopie b.txt: chyba čtení nebo zápisu na disk";

INSTANTIATE_TEST_SUITE_P(
    Operace, OdpovediKopie,
    testing::Values(
        OdpovedPripad{OdpovedChyby::Znovu,
                      {"kopie a.txt", "hotovo 0", "kopie b.txt", chybaB, "kopie b.txt", "hotovo 1",
                       "kopie c.txt", "hotovo 2"},
                      {0, 1, 2}},
        OdpovedPripad{OdpovedChyby::Ignorovat,
                      {"kopie a.txt", "hotovo 0", "kopie b.txt", chybaB, "kopie c.txt", "hotovo 2"},
                      {0, 2}},
        OdpovedPripad{OdpovedChyby::Zrusit,
                      {"kopie a.txt", "hotovo 0", "kopie b.txt", chybaB},
                      {0}}));

// Read-only files in a delete: Yes / No / All.
struct CteniPripad {
    std::deque<OdpovedCteni> odpovedi;
    Udalosti otazky;          // the read-only questions and deletion boxes only
    std::vector<bool> smazano;
};

class JenProCteni : public testing::TestWithParam<CteniPripad> {};

TEST_P(JenProCteni, OtazkyAMazani)
{
    const auto p = GetParam();
    Strom t;
    for (const char* j : {"a.txt", "s/b.txt", "s/t/c.txt"})
        ASSERT_EQ(::chmod(t.zdroj.path(j).c_str(), 0444), 0);
    Skript s;
    s.cteni = p.odpovedi;
    ProvedOperaci(t.zadani(2), s);
    Udalosti otazky;
    for (const auto& u : s.udalosti)
        if (u.starts_with("jen-cteni") || u.starts_with("chyba"))
            otazky.push_back(u);
    EXPECT_EQ(otazky, p.otazky);
    const char* jmena[] = {"a.txt", "s/b.txt", "s/t/c.txt"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(!existuje(t.zdroj.path(jmena[i])), p.smazano[i]) << jmena[i];
}

INSTANTIATE_TEST_SUITE_P(
    Operace, JenProCteni,
    testing::Values(
        CteniPripad{{OdpovedCteni::Ano, OdpovedCteni::Ne, OdpovedCteni::Ano},
                    {"jen-cteni a.txt", "jen-cteni b.txt",
                     "chyba-mazani b.txt: soubor je jen pro čtení", "jen-cteni c.txt"},
                    {true, false, true}},
        CteniPripad{{OdpovedCteni::Vse}, {"jen-cteni a.txt"}, {true, true, true}}));

TEST(Operace, ChybejiciAdresareVzniknouSCasemZdroje)
{
    Strom t;
    const timespec casy[2] = {{1500000000, 0}, {1500000000, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, t.zdroj.path("s/t").c_str(), casy, 0), 0);
    Skript s;
    ProvedOperaci(t.zadani(1), s);
    struct stat st {};
    ASSERT_EQ(::stat(t.cil.path("s/t").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1500000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 123456789);
}

// Metadata of a copy: mtime to the nanosecond, mode less the umask, set-id
// dropped; to a file without name (list 1) and to a named temporary file
// (list 3), and into a directory whose default ACL overrides the umask.
struct ModPripad {
    mode_t zdroj, umask, cil;
    int seznam = 1;
    bool acl = false;
};

// A default ACL on the directory that gives new files no access for the group
// and the others, whatever mode their creation asks for; false where the file
// system has no ACLs.
bool vychoziAcl(const std::string& adresar)
{
    struct Polozka {
        std::uint16_t tag, perm;
        std::uint32_t id;
    };
    struct {
        std::uint32_t verze = 2;
        Polozka p[3] = {{0x01, 7, ~0u}, {0x04, 0, ~0u}, {0x20, 0, ~0u}};
    } acl;
    return ::setxattr(adresar.c_str(), "system.posix_acl_default", &acl, sizeof acl, 0) == 0;
}

class Metadata : public testing::TestWithParam<ModPripad> {};

TEST_P(Metadata, CasAMod)
{
    const auto p = GetParam();
    TempTree zdroj, cil;
    zapis(zdroj.path("x"), "data");
    ASSERT_EQ(::chmod(zdroj.path("x").c_str(), p.zdroj), 0);
    const timespec casy[2] = {{1600000000, 5}, {1600000000, 987654321}};
    ASSERT_EQ(::utimensat(AT_FDCWD, zdroj.path("x").c_str(), casy, 0), 0);
    if (p.acl && !vychoziAcl(cil.root()))
        GTEST_SKIP() << "no ACLs here";
    const mode_t puvodni = ::umask(p.umask);
    Skript s;
    ProvedOperaci({.zdroj = zdroj.root(), .cil = cil.root(), .operace = OperaceKodu(p.seznam, 1),
                   .polozky = {{"x", 4}}}, s);
    ::umask(puvodni);
    struct stat st {};
    ASSERT_EQ(::stat(cil.path("x").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, p.cil);
    EXPECT_EQ(st.st_mtim.tv_sec, 1600000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 987654321);
}

INSTANTIATE_TEST_SUITE_P(Operace, Metadata,
                         testing::Values(ModPripad{0644, 022, 0644}, ModPripad{0777, 022, 0755},
                                         ModPripad{0666, 077, 0600},
                                         ModPripad{06755, 022, 0755},
                                         ModPripad{0444, 022, 0444},
                                         ModPripad{0666, 077, 0600, 3},
                                         ModPripad{06755, 022, 0755, 3},
                                         ModPripad{0644, 022, 0644, 1, true},
                                         ModPripad{0644, 022, 0644, 3, true}));

TEST(Operace, RidkySouborZustaneRidky)
{
    TempTree zdroj, cil;
    const std::string cesta = zdroj.path("disk.img");
    zapis(cesta, "");
    ASSERT_EQ(::truncate(cesta.c_str(), std::int64_t{64} << 20), 0);
    {
        FILE* f = std::fopen(cesta.c_str(), "r+");
        std::fseek(f, 10 << 20, SEEK_SET);
        std::fputs("uprostred", f);
        std::fclose(f);
    }
    Skript s;
    ProvedOperaci({.zdroj = zdroj.root(), .cil = cil.root(), .polozky = {{"disk.img", 0}}}, s);
    struct stat st {};
    ASSERT_EQ(::stat(cil.path("disk.img").c_str(), &st), 0);
    EXPECT_EQ(st.st_size, std::int64_t{64} << 20);
    EXPECT_LE(st.st_blocks * 512, 1 << 20);
    EXPECT_EQ(obsah(cil.path("disk.img")), obsah(cesta));
}

TEST(Operace, PresunVJednomSystemuSouboruZachovaInode)
{
    TempTree t;
    zapis(t.path("a/x"), "data");
    struct stat pred {};
    ASSERT_EQ(::stat(t.path("a/x").c_str(), &pred), 0);
    Skript s;
    const auto v = ProvedOperaci({.zdroj = t.path("a"), .cil = t.path("b"),
                                  .operace = OperaceKodu(3, 3), .polozky = {{"x", 4}}}, s);
    struct stat po {};
    ASSERT_EQ(::stat(t.path("b/x").c_str(), &po), 0);
    EXPECT_EQ(po.st_ino, pred.st_ino);
    EXPECT_FALSE(existuje(t.path("a/x")));
    EXPECT_EQ(v.vyrizene, std::vector<std::size_t>{0});
}

// Across file systems the source goes only after the batch is on disk: syncfs,
// then the rename of the temporary file, then the directory fsync, then unlink.
TEST(Operace, PresunMeziSystemySouboruMazeZdrojAzPoZapisu)
{
    Strom t;
    ChyboveVolani sys;
    for (const char* j : {"a.txt", "b.txt", "c.txt"})
        sys.poruchy.push_back({.druh = Call::RenameAt, .err = EXDEV, .jmeno = j});
    Skript s;
    const auto v = ProvedOperaci(t.zadani(3), s, {.sys = &sys});
    EXPECT_EQ(v.vyrizene, (std::vector<std::size_t>{0, 1, 2}));
    Udalosti poradi;
    for (const auto& z : sys.zaznam)
        if (z == "syncfs" || z.ends_with("c.txt") || (z == "fsync" && !poradi.empty()))
            poradi.push_back(z.starts_with("rename .") ? "rename tmp>c.txt" : z);
    EXPECT_EQ(poradi, (Udalosti{"rename c.txt>c.txt", "syncfs", "rename tmp>c.txt", "fsync",
                                "fsync", "fsync", "unlink c.txt"}));
    EXPECT_EQ(obsah(t.cil.path("s/t/c.txt")), "novy s/t/c.txt");
    EXPECT_FALSE(existuje(t.zdroj.path("s/t/c.txt")));
}

TEST(Operace, TentyzSouborSeNepresouvaANemaze)
{
    TempTree t;
    zapis(t.path("a/x"), "data");
    ASSERT_EQ(::mkdir(t.path("b").c_str(), 0755), 0);
    ASSERT_EQ(::link(t.path("a/x").c_str(), t.path("b/x").c_str()), 0);
    Skript s;
    const auto v = ProvedOperaci({.zdroj = t.path("a"), .cil = t.path("b"),
                                  .operace = OperaceKodu(3, 3), .polozky = {{"x", 4}}}, s);
    EXPECT_TRUE(v.vyrizene.empty());
    EXPECT_EQ(s.udalosti, (Udalosti{"kopie x", "chyba-kopie x: zdroj a cíl jsou tentýž soubor"}));
    EXPECT_EQ(obsah(t.path("a/x")), "data");
    EXPECT_EQ(obsah(t.path("b/x")), "data");
}

// A "NOVÉ" item never overwrites a file that appeared on the other side, by a
// copy or by a move; a read-only target is not replaced either.
struct CilPripad {
    int kod;
    Prepis prepis;
    mode_t modCile;
    std::string chyba;
};

class ChranenyCil : public testing::TestWithParam<CilPripad> {};

TEST_P(ChranenyCil, ZustaneNedotcen)
{
    const auto p = GetParam();
    TempTree zdroj, cil;
    zapis(zdroj.path("x"), "novy");
    zapis(cil.path("x"), "mezitim");
    ASSERT_EQ(::chmod(cil.path("x").c_str(), p.modCile), 0);
    Skript s;
    const int seznam = p.prepis == Prepis::JenNovy ? 1 : 3;
    const auto v = ProvedOperaci({.zdroj = zdroj.root(), .cil = cil.root(),
                                  .operace = OperaceKodu(seznam, p.kod), .polozky = {{"x", 4}}}, s);
    EXPECT_TRUE(v.vyrizene.empty());
    EXPECT_EQ(obsah(cil.path("x")), "mezitim");
    EXPECT_EQ(obsah(zdroj.path("x")), "novy");
    ASSERT_EQ(s.udalosti.size(), 2u);
    EXPECT_EQ(s.udalosti[1], "chyba-kopie x: " + p.chyba);
}

const std::string vzniklCil =
    "v cílovém adresáři mezitím vznikl soubor stejného jména, nebyl přepsán";

INSTANTIATE_TEST_SUITE_P(
    Operace, ChranenyCil,
    testing::Values(CilPripad{1, Prepis::JenNovy, 0644, vzniklCil},
                    CilPripad{3, Prepis::JenNovy, 0644, vzniklCil},
                    CilPripad{1, Prepis::Nahradit, 0444,
                              "cílový soubor je jen pro čtení"}));

// Placing a target that must be absent. The file without name is linked (by
// its descriptor, or by its /proc entry where that is refused), and the link
// refuses a target that appeared since the check, as RENAME_NOREPLACE does
// where O_TMPFILE or both links are refused, and the hard-link fallback where
// that is refused too; a failed link leaves nothing behind.
struct UmisteniPripad {
    const char* nazev;
    std::vector<Porucha> poruchy;
    bool cilVznikne;             // the target appears between the check and the placing
    const char* zaznam;          // the placing call, as ChyboveVolani records it
    std::string chyba;
};

class UmisteniNoveho : public testing::TestWithParam<UmisteniPripad> {};

TEST_P(UmisteniNoveho, NicNeprepiseANicNezbude)
{
    const auto& p = GetParam();
    TempTree zdroj, cil;
    zapis(zdroj.path("x"), "novy");
    ChyboveVolani sys;
    sys.poruchy = p.poruchy;
    if (p.cilVznikne)   // after the check of the target, before the placing
        sys.poruchy.push_back({.druh = Call::Futimens, .err = 0,
                               .akce = [&] { zapis(cil.path("x"), "mezitim"); }});
    Skript s;
    const auto v = ProvedOperaci({.zdroj = zdroj.root(), .cil = cil.root(),
                                  .operace = OperaceKodu(1, 1), .polozky = {{"x", 4}}},
                                 s, {.sys = &sys});
    EXPECT_TRUE(v.vyrizene.empty());
    EXPECT_EQ(obsah(cil.path("x")), p.cilVznikne ? "mezitim" : "");
    EXPECT_TRUE(docasne(cil.root()).empty());
    ASSERT_EQ(s.udalosti.size(), 2u);
    EXPECT_EQ(s.udalosti[1], "chyba-kopie x: " + p.chyba);
    EXPECT_NE(std::find_if(sys.zaznam.begin(), sys.zaznam.end(),
                           [&](const std::string& z) { return z.starts_with(p.zaznam); }),
              sys.zaznam.end()) << p.zaznam;
}

const std::vector<Porucha> bezTmpfile{{.druh = Call::OpenAt, .pocet = -1, .err = EOPNOTSUPP,
                                       .jmeno = "."}};

INSTANTIATE_TEST_SUITE_P(
    Operace, UmisteniNoveho,
    testing::Values(
        UmisteniPripad{"bezJmena", {}, true, "link fd>x", vzniklCil},
        UmisteniPripad{"pres_proc", {{.druh = Call::LinkAt, .err = ENOENT, .jmeno = "."}},
                       true, "link /proc/self/fd/", vzniklCil},
        UmisteniPripad{"bezLinku", {{.druh = Call::LinkAt, .pocet = 2, .err = ENOENT,
                                     .jmeno = "."}},
                       true, "rename .x.", vzniklCil},
        UmisteniPripad{"noreplace", bezTmpfile, true, "rename .x.", vzniklCil},
        UmisteniPripad{"hardlink", {bezTmpfile[0], {.druh = Call::RenameAt, .pocet = -1,
                                                    .err = EINVAL}},
                       true, "link .x.", vzniklCil},
        UmisteniPripad{"plnyAdresar", {{.druh = Call::LinkAt, .err = ENOSPC, .jmeno = "x"}},
                       false, "link fd>x", "na disku není místo"}),
    [](const auto& i) { return std::string(i.param.nazev); });

// A move whose last steps fail: the item stays in its list with the source
// whole, the error box asks, the log holds the record, and the target holds
// what it held before (or, where even that failed, the trash keeps it).
struct PresunPripad {
    const char* nazev;
    std::vector<Porucha> poruchy;
    int seznam;              // 1: only an absent target (RENAME_NOREPLACE), 3: replaced
    Mazani mazani;
    std::string chyba;       // the reason in the box and the log
    const char* cilPotom;    // nullptr: no target afterwards
    const char* vKosi;       // the old target in the trash afterwards; nullptr: none
};

class PoruchaPresunu : public testing::TestWithParam<PresunPripad> {};

TEST_P(PoruchaPresunu, ZdrojZustaneAPolozkaVSeznamu)
{
    const auto& p = GetParam();
    TempTree zdroj, cil, data;
    zapis(zdroj.path("x"), "novy");
    if (p.seznam == 3)
        zapis(cil.path("x"), "stary");
    ChyboveVolani sys;
    sys.poruchy = p.poruchy;
    Skript s;
    KnihaChyb kniha;
    const auto v = ProvedOperaci({.zdroj = zdroj.root(), .cil = cil.root(),
                                  .operace = OperaceKodu(p.seznam, 3), .mazani = p.mazani,
                                  .polozky = {{"x", 4}}},
                                 s, {.sys = &sys, .kosDomov = data.path("Trash"), .kniha = &kniha});
    EXPECT_TRUE(v.vyrizene.empty());
    EXPECT_EQ(obsah(zdroj.path("x")), "novy");
    EXPECT_EQ(existuje(cil.path("x")), p.cilPotom != nullptr);
    if (p.cilPotom) {
        EXPECT_EQ(obsah(cil.path("x")), p.cilPotom);
    }
    EXPECT_EQ(obsah(data.path("Trash/files/x")), p.vKosi ? p.vKosi : "");
    EXPECT_NE(std::find(s.udalosti.begin(), s.udalosti.end(), "chyba-kopie x: " + p.chyba),
              s.udalosti.end()) << testing::PrintToString(s.udalosti);
    ASSERT_EQ(kniha.zaznamy().size(), 1u);
    EXPECT_EQ(kniha.zaznamy()[0].zdroj, zdroj.path("x"));
    EXPECT_EQ(kniha.zaznamy()[0].duvod, p.chyba);
}

const std::string chybaEio = "chyba čtení nebo zápisu na disk";
// The trash's hard link is refused, so the old target is renamed into it;
// then the move's rename (the second rename to "x") fails, and with od 2 and
// pocet 2 also the rename that would put the old target back.
const Porucha kosBezOdkazu{.druh = Call::LinkAt, .err = EPERM, .jmeno = "x"};

INSTANTIATE_TEST_SUITE_P(
    Operace, PoruchaPresunu,
    testing::Values(
        // No RENAME_NOREPLACE: link + unlink, and the source's unlink fails.
        PresunPripad{"odkazBezOdstraneniZdroje",
                     {{.druh = Call::RenameAt, .err = EINVAL, .jmeno = "x"},
                      {.druh = Call::UnlinkAt, .err = EIO, .jmeno = "x"}},
                     1, Mazani::Natrvalo, chybaEio, nullptr, nullptr},
        PresunPripad{"staraVerzeSeVratila",
                     {kosBezOdkazu, {.druh = Call::RenameAt, .od = 2, .err = EIO, .jmeno = "x"}},
                     3, Mazani::DoKose, chybaEio, "stary", nullptr},
        PresunPripad{"staraVerzeZustalaVKosi",
                     {kosBezOdkazu,
                      {.druh = Call::RenameAt, .od = 2, .pocet = 2, .err = EIO, .jmeno = "x"}},
                     3, Mazani::DoKose,
                     "nahrazení selhalo (chyba čtení nebo zápisu na disk), předchozí verze cíle "
                     "zůstala v koši",
                     nullptr, "stary"},
        // Across file systems the copy is in place, but its directory's fsync
        // fails: the source is not deleted, and the box and the log say why.
        PresunPripad{"fsyncAdresareMeziSystemy",
                     {{.druh = Call::RenameAt, .err = EXDEV, .jmeno = "x"},
                      {.druh = Call::Fsync, .pocet = -1, .err = EIO}},
                     1, Mazani::Natrvalo, chybaEio, "novy", nullptr}),
    [](const auto& i) { return std::string(i.param.nazev); });

TEST(Operace, NedostatekMista)
{
    Strom t;
    Skript s;
    s.misto = false;
    auto z = t.zadani(1);
    z.polozky[0].velikost = std::int64_t{1} << 62;   // 64-bit sums: no overflow
    const auto v = ProvedOperaci(z, s);
    EXPECT_TRUE(v.bezMista);
    ASSERT_EQ(s.udalosti.size(), 1u);
    EXPECT_TRUE(s.udalosti[0].starts_with("misto "));
    EXPECT_FALSE(existuje(t.cil.path("a.txt")));
}

TEST(Operace, PrubehDosahneCelku)
{
    Strom t;
    Skript s;
    ProvedOperaci(t.zadani(1), s);
    ASSERT_FALSE(s.prubehy.empty());
    EXPECT_EQ(s.prubehy.back().celkemHotovo, 33);
    EXPECT_EQ(s.prubehy.back().celkem, 33);
}

} // namespace
} // namespace zrc::test
