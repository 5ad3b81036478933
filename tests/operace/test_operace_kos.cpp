// Operations with "mazat do koše": what reaches the trash, what does not, the
// question where no trash is usable, and the log of the items left undone.

#include "operace/kniha_chyb.h"
#include "operace_pomoc.h"
#include "support/tmpfs.h"

#include <filesystem>

namespace zrc::test {
namespace {

namespace fs = std::filesystem;

// The trash question answered from a queue (empty: Ne), counted.
class SkriptKose : public Skript {
public:
    std::deque<OdpovedKose> kos;
    int otazek = 0;
    OdpovedKose kosNepouzitelny(const std::string& zdroj, const ChybaSouboru& c) override
    {
        ++otazek;
        udalosti.push_back("kos " + zdroj.substr(zdroj.rfind('/') + 1) + ": " + textChyby(c));
        if (kos.empty())
            return OdpovedKose::Ne;
        const auto o = kos.front();
        kos.pop_front();
        return o;
    }
};

// No trash can be created: every directory of a trash fails with EROFS, as
// on a read-only disk, and nothing named .Trash* appears anywhere.
class BezKose : public ChyboveVolani {
public:
    platform::SysResult mkdirAt(int d, const char* n, mode_t m) override
    {
        const std::string_view s(n);
        if (s.ends_with("Trash") || s.starts_with(".Trash") || s == "files" || s == "info")
            return platform::SysResult::fail(EROFS);
        return Syscalls::mkdirAt(d, n, m);
    }
};

std::vector<std::string> vKosi(const std::string& kos)
{
    std::vector<std::string> v;
    if (!fs::exists(kos + "/files"))
        return v;
    for (const auto& e : fs::directory_iterator(kos + "/files"))
        v.push_back(e.path().filename().string());
    std::sort(v.begin(), v.end());
    return v;
}

std::string cestaVInfu(const std::string& kos, const std::string& jmeno)
{
    const auto s = obsah(kos + "/info/" + jmeno + ".trashinfo");
    const auto od = s.find("Path=") + 5;
    return s.substr(od, s.find('\n', od) - od);
}

class OperaceSKosem : public testing::Test {
protected:
    TempTree t{file("zdroj/a/b/f.txt", 3), file("zdroj/g.txt", 4), dir("data")};
    std::string kos() const { return t.path("data/Trash"); }
    VolbyOperace volby() const { return {.kosDomov = kos()}; }
};

TEST_F(OperaceSKosem, OdstraneniJdeDoKoseAProrezavaSe)
{
    SkriptKose s;
    const auto v = ProvedOperaci({.zdroj = t.path("zdroj"), .cil = t.path("zdroj"),
                                  .operace = OperaceKodu(3, int(KodOperace::Odstraneni)),
                                  .prorezavani = {.zapnuto = true, .uroven = 0},
                                  .mazani = Mazani::DoKose,
                                  .polozky = {{"a/b/f.txt", 3}, {"g.txt", 4}}},
                                 s, volby());
    EXPECT_EQ(v.vyrizene, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(v.doKose, 2u);
    EXPECT_EQ(s.otazek, 0);
    EXPECT_FALSE(existuje(t.path("zdroj/a")));   // emptied directories pruned as after unlink
    EXPECT_TRUE(existuje(t.path("zdroj")));
    EXPECT_EQ(vKosi(kos()), (std::vector<std::string>{"f.txt", "g.txt"}));
    EXPECT_EQ(cestaVInfu(kos(), "f.txt"), t.path("zdroj/a/b/f.txt"));
}

TEST_F(OperaceSKosem, JenProCteniSePtaAVKosiZustaneJenProCteni)
{
    ::chmod(t.path("zdroj/g.txt").c_str(), 0444);
    SkriptKose s;
    s.cteni = {OdpovedCteni::Ano};
    ProvedOperaci({.zdroj = t.path("zdroj"), .cil = t.path("zdroj"), .operace = OperaceKodu(3, int(KodOperace::Odstraneni)),
                   .mazani = Mazani::DoKose, .polozky = {{"g.txt", 4}}},
                  s, volby());
    EXPECT_NE(std::find(s.udalosti.begin(), s.udalosti.end(), "jen-cteni g.txt"), s.udalosti.end());
    struct stat st {};
    ASSERT_EQ(::stat((kos() + "/files/g.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

struct NahrazeniPripad {
    const char* nazev;
    KodOperace kod;
    mode_t modZdroje;   // 0444: a move by copy + delete
};

class StaraVerzeDoKose : public OperaceSKosem,
                         public testing::WithParamInterface<NahrazeniPripad> {};

TEST_P(StaraVerzeDoKose, SPuvodniCestou)
{
    zapis(t.path("zdroj/x.txt"), "nova verze");
    zapis(t.path("cil/x.txt"), "stara");
    ::chmod(t.path("zdroj/x.txt").c_str(), GetParam().modZdroje);
    SkriptKose s;
    s.cteni = {OdpovedCteni::Ano};
    const auto v = ProvedOperaci({.zdroj = t.path("zdroj"), .cil = t.path("cil"),
                                  .operace = OperaceKodu(3, int(GetParam().kod)), .mazani = Mazani::DoKose,
                                  .polozky = {{"x.txt", 10}}},
                                 s, volby());
    EXPECT_EQ(v.vyrizene, std::vector<std::size_t>{0});
    EXPECT_EQ(obsah(t.path("cil/x.txt")), "nova verze");
    // Only the replaced version is in the trash; a moved source is not.
    EXPECT_EQ(vKosi(kos()), std::vector<std::string>{"x.txt"});
    EXPECT_EQ(obsah(kos() + "/files/x.txt"), "stara");
    EXPECT_EQ(cestaVInfu(kos(), "x.txt"), t.path("cil/x.txt"));
    EXPECT_EQ(v.doKose, 1u);
    EXPECT_TRUE(docasne(t.root()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kos, StaraVerzeDoKose,
    testing::Values(NahrazeniPripad{"Kopie", KodOperace::Kopie, 0644},
                    NahrazeniPripad{"PresunPrejmenovanim", KodOperace::Presun, 0644},
                    NahrazeniPripad{"PresunKopiiASmazanim", KodOperace::Presun, 0444}),
    [](const auto& i) { return std::string(i.param.nazev); });

TEST_F(OperaceSKosem, PresunNaNoveMistoKosNezatezuje)
{
    SkriptKose s;
    const auto v = ProvedOperaci({.zdroj = t.path("zdroj"), .cil = t.path("cil"),
                                  .operace = OperaceKodu(3, int(KodOperace::Presun)), .mazani = Mazani::DoKose,
                                  .polozky = {{"g.txt", 4}}},
                                 s, volby());
    EXPECT_EQ(v.vyrizene, std::vector<std::size_t>{0});
    EXPECT_FALSE(existuje(t.path("zdroj/g.txt")));
    EXPECT_TRUE(vKosi(kos()).empty());
}

struct BezKosePripad {
    const char* nazev;
    OdpovedKose odpoved;
    std::vector<std::size_t> vyrizene;
    bool zbyvaji;          // the files are still there
    bool zruseno;
};

class KosNepouzitelny : public OperaceSKosem,
                        public testing::WithParamInterface<BezKosePripad> {};

TEST_P(KosNepouzitelny, PtaSeJednouZaSvazek)
{
    t.add({file("zdroj/h.txt", 5)});
    BezKose sys;
    SkriptKose s;
    s.kos = {GetParam().odpoved};
    KnihaChyb kniha;
    auto vol = volby();
    vol.sys = &sys;
    vol.kniha = &kniha;
    const auto v = ProvedOperaci({.zdroj = t.path("zdroj"), .cil = t.path("zdroj"),
                                  .operace = OperaceKodu(3, int(KodOperace::Odstraneni)), .mazani = Mazani::DoKose,
                                  .polozky = {{"a/b/f.txt", 3}, {"g.txt", 4}, {"h.txt", 5}}},
                                 s, vol);
    EXPECT_EQ(s.otazek, 1);
    EXPECT_EQ(v.vyrizene, GetParam().vyrizene);
    EXPECT_EQ(v.zruseno, GetParam().zruseno);
    EXPECT_EQ(v.doKose, 0u);
    EXPECT_EQ(existuje(t.path("zdroj/g.txt")), GetParam().zbyvaji);
    EXPECT_TRUE(existuje(t.path("zdroj/a/b/f.txt")) || GetParam().odpoved == OdpovedKose::Ano);
    // Every file kept is in the log with the answer; nothing is logged after Ano.
    const std::size_t ocekavano = GetParam().odpoved == OdpovedKose::Ne ? 3
                                  : GetParam().odpoved == OdpovedKose::Zrusit ? 1 : 0;
    ASSERT_EQ(kniha.zaznamy().size(), ocekavano);
    if (ocekavano) {
        EXPECT_EQ(kniha.zaznamy()[0].zdroj, t.path("zdroj/a/b/f.txt"));
        EXPECT_EQ(kniha.zaznamy()[0].cil, "");
    }
    if (GetParam().odpoved == OdpovedKose::Ne) {
        EXPECT_EQ(kniha.zaznamy()[2].odpoved, OdpovedZaznamu::Ne);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kos, KosNepouzitelny,
    testing::Values(BezKosePripad{"NeNechaVse", OdpovedKose::Ne, {}, true, false},
                    BezKosePripad{"AnoSmazeNatrvalo", OdpovedKose::Ano, {0, 1, 2}, false, false},
                    BezKosePripad{"ZrusitKonci", OdpovedKose::Zrusit, {}, true, true}),
    [](const auto& i) { return std::string(i.param.nazev); });

TEST_F(OperaceSKosem, NahrazeniBezKoseNeprepiseBezOdpovedi)
{
    zapis(t.path("cil/g.txt"), "stara");
    BezKose sys;
    SkriptKose s;   // answers Ne
    auto vol = volby();
    vol.sys = &sys;
    const auto v = ProvedOperaci({.zdroj = t.path("zdroj"), .cil = t.path("cil"),
                                  .operace = OperaceKodu(3, int(KodOperace::Kopie)), .mazani = Mazani::DoKose,
                                  .polozky = {{"g.txt", 4}}},
                                 s, vol);
    EXPECT_TRUE(v.vyrizene.empty());
    EXPECT_EQ(obsah(t.path("cil/g.txt")), "stara");
    EXPECT_EQ(s.otazek, 1);
    EXPECT_TRUE(docasne(t.root()).empty());
}

TEST(KnihaChyb, KopieSChybouVZaznamuATextu)
{
    TempTree t{file("zdroj/y.txt", 10)};
    zapis(t.path("zdroj/x.txt"), vzorek(100000, 'x'));   // data, not a hole: pwrite runs
    ChyboveVolani sys;
    sys.jenCteniZapis();
    sys.poruchy.push_back({.druh = Call::Pwrite, .err = ENOSPC});
    Skript s;   // Ignorovat
    KnihaChyb kniha;
    const auto v = ProvedOperaci({.zdroj = t.path("zdroj"), .cil = t.path("cil"),
                                  .operace = OperaceKodu(3, 1),
                                  .polozky = {{"x.txt", 100000}, {"y.txt", 10}}},
                                 s, {.sys = &sys, .kniha = &kniha});
    EXPECT_EQ(v.vyrizene, std::vector<std::size_t>{1});
    ASSERT_EQ(kniha.zaznamy().size(), 1u);
    auto z = kniha.zaznamy()[0];
    EXPECT_EQ(z.zdroj, t.path("zdroj/x.txt"));
    EXPECT_EQ(z.cil, t.path("cil/x.txt"));
    EXPECT_EQ(z.duvod, "na disku není místo");
    EXPECT_EQ(z.odpoved, OdpovedZaznamu::Ignorovat);
    EXPECT_EQ(kniha.pocetPolozek(), 1u);
    z.cas = localTime(2026, 12, 7, 14, 3, 11);
    EXPECT_EQ(textKnihy({z}), "2026-12-07 14:03:11  Kopírování\n"
                              "  zdroj: " + t.path("zdroj/x.txt") + "\n"
                              "  cíl:   " + t.path("cil/x.txt") + "\n"
                              "  důvod: na disku není místo\n"
                              "  odpověď: Ignorovat\n");
}


// Root only: on a 1 MiB tmpfs a replacement whose old version goes to the
// trash frees nothing, so the free-space question comes; without the trash
// the old version's room counts and it does not.
TEST(OperaceSKosemMisto, StaraVerzeVKosiNeuvolniMisto)
{
    TempTree t{dir("data")};
    Tmpfs m(t.path("disk"), "size=1m");
    if (!m.pripojeno())
        GTEST_SKIP() << m.proc();
    zapis(t.path("disk/cil/x.bin"), vzorek(600 << 10, 'a'));
    zapis(t.path("zdroj/x.bin"), vzorek(600 << 10, 'b'));
    for (const auto mazani : {Mazani::Natrvalo, Mazani::DoKose}) {
        Skript s;
        s.misto = false;   // "Ne": nothing is done
        const auto v = ProvedOperaci({.zdroj = t.path("zdroj"), .cil = t.path("disk/cil"),
                                      .operace = OperaceKodu(3, 1), .mazani = mazani, .polozky = {{"x.bin", 600 << 10}}},
                                     s, {.kosDomov = t.path("data/Trash")});
        const bool ptal = !s.udalosti.empty() && s.udalosti[0].starts_with("misto ");
        EXPECT_EQ(ptal, mazani == Mazani::DoKose);
        EXPECT_EQ(v.bezMista, mazani == Mazani::DoKose);
        if (mazani == Mazani::Natrvalo) {
            // Put the old version back for the second round.
            zapis(t.path("disk/cil/x.bin"), vzorek(600 << 10, 'a'));
        }
    }
}

// A file whose path is over 4 KiB: its path cannot be read back for the info
// file, so the trash question names that reason; "Ano" deletes it.
TEST_F(OperaceSKosem, CestaNad4KiBSePtaNaTrvaleSmazani)
{
    const std::string hluboko = deepChain(t.path("zdroj"), std::string(200, 'd'), 25, {"x.txt"});
    ASSERT_GT(t.path("zdroj/" + hluboko).size(), 4096u);
    SkriptKose s;
    s.kos = {OdpovedKose::Ano};
    const auto v = ProvedOperaci({.zdroj = t.path("zdroj"), .cil = t.path("zdroj"),
                                  .operace = OperaceKodu(3, int(KodOperace::Odstraneni)),
                                  .mazani = Mazani::DoKose,
                                  .polozky = {{hluboko + "/x.txt", 0}}},
                                 s, volby());
    EXPECT_EQ(v.vyrizene, std::vector<std::size_t>{0});
    EXPECT_EQ(s.otazek, 1);
    EXPECT_NE(std::find(s.udalosti.begin(), s.udalosti.end(), "kos x.txt: příliš dlouhá cesta nebo jméno"),
              s.udalosti.end()) << testing::PrintToString(s.udalosti);
    EXPECT_TRUE(vKosi(kos()).empty());
}

} // namespace
} // namespace zrc::test
