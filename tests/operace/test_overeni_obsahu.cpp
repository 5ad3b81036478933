// Verification by content on real files: which pairs are judged equal, which
// differ and which cannot be read, and a cancel in the middle of a pair. The
// block is made small (4 KiB) so that a first, a middle and a last block
// exist in a file of 12 KiB + 17 bytes.

#include "support/chybova_volani.h"
#include "operace/overeni_obsahu.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zrc::test {
namespace {

constexpr std::size_t blok = 4096;
constexpr std::size_t delka = 3 * blok + 17;

enum class Strana2 {
    Stejna,          // the same bytes
    PrvniBajt,       // byte 0 differs
    Prostredni,      // a byte in the middle block
    PosledniBajt,    // the last byte
    Prazdne,         // both files empty
    Necitelna,       // side 2 cannot be opened (EACCES, also for root)
    Zmizela,         // side 2 vanishes after side 1 was opened
    JinaDelka,       // side 2 is one byte longer
    // Files smaller than a block, read at once at the listed size:
    MalaStejna,      // 100 equal bytes
    MalaKratsi,      // side 2 one byte shorter
    MalaDelsi,       // both grew by a byte since the listing, equal
    Fronta,          // side 2 is a FIFO now: no hang, not a file
};

struct Pripad {
    const char* jmeno;
    Strana2 strana2;
    Shoda cekana;
};

std::string data(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = char('a' + i % 23);
    return s;
}

void zapis(const std::string& cesta, const std::string& obsah)
{
    std::ofstream(cesta, std::ios::binary) << obsah;
}

class OvereniObsahu : public testing::TestWithParam<Pripad> {};

TEST_P(OvereniObsahu, RozliseniParu)
{
    const Pripad& p = GetParam();
    TempTree t{dir("1"), dir("2")};
    const bool mala = p.strana2 >= Strana2::MalaStejna;
    const std::size_t n = p.strana2 == Strana2::Prazdne ? 0 : mala ? 100 : delka;
    std::string a = data(n);
    std::string b = a;
    switch (p.strana2) {
    case Strana2::MalaKratsi: b.pop_back(); break;
    case Strana2::MalaDelsi: a += 'x'; b += 'x'; break;
    case Strana2::PrvniBajt: b[0] ^= 1; break;
    case Strana2::Prostredni: b[blok + blok / 2] ^= 1; break;
    case Strana2::PosledniBajt: b.back() ^= 1; break;
    case Strana2::JinaDelka: b += 'x'; break;
    default: break;
    }
    zapis(t.path("1/x.bin"), a);
    if (p.strana2 == Strana2::Fronta)
        t.add({fifo("2/x.bin")});
    else
        zapis(t.path("2/x.bin"), b);
    ChyboveVolani sys;
    if (p.strana2 == Strana2::Necitelna)
        sys.poruchy.push_back({.druh = Call::OpenAt, .pocet = -1, .err = EACCES, .jmeno = t.path("2/x.bin")});
    if (p.strana2 == Strana2::Zmizela)
        sys.poruchy.push_back({.druh = Call::OpenAt, .od = 1, .err = 0, .jmeno = t.path("1/x.bin"),
                               .akce = [&] { t.remove("2/x.bin"); }});
    struct : RozhraniOvereni {} r;
    const VysledekOvereni v =
        OverObsah({.zaklad1 = t.path("1"), .zaklad2 = t.path("2"), .pary = {{"x.bin", std::int64_t(n)}}},
                  r, {.sys = &sys, .blok = blok});
    EXPECT_EQ(v.shodne.size(), p.cekana == Shoda::Shodne ? 1U : 0U);
    EXPECT_EQ(v.lisi.size(), p.cekana == Shoda::Lisi ? 1U : 0U);
    ASSERT_EQ(v.necitelne.size(), p.cekana == Shoda::Chyba ? 1U : 0U);
    if (p.cekana == Shoda::Chyba) {
        EXPECT_EQ(v.necitelne[0].cesta, t.path("2/x.bin"));
    }
    EXPECT_EQ(v.bajtuShodnych, p.cekana == Shoda::Shodne ? std::int64_t(a.size()) : 0);
    if (p.strana2 == Strana2::Fronta) {
        EXPECT_EQ(v.necitelne[0].chyba.duvod, Duvod::NeniSoubor);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pary, OvereniObsahu,
    testing::Values(Pripad{"stejne", Strana2::Stejna, Shoda::Shodne},
                    Pripad{"prvniBajt", Strana2::PrvniBajt, Shoda::Lisi},
                    Pripad{"prostredni", Strana2::Prostredni, Shoda::Lisi},
                    Pripad{"posledniBajt", Strana2::PosledniBajt, Shoda::Lisi},
                    Pripad{"prazdne", Strana2::Prazdne, Shoda::Shodne},
                    Pripad{"necitelna", Strana2::Necitelna, Shoda::Chyba},
                    Pripad{"zmizela", Strana2::Zmizela, Shoda::Chyba},
                    Pripad{"jinaDelka", Strana2::JinaDelka, Shoda::Lisi},
                    Pripad{"malaStejna", Strana2::MalaStejna, Shoda::Shodne},
                    Pripad{"malaKratsi", Strana2::MalaKratsi, Shoda::Lisi},
                    Pripad{"malaDelsi", Strana2::MalaDelsi, Shoda::Shodne},
                    Pripad{"fronta", Strana2::Fronta, Shoda::Chyba}),
    [](const testing::TestParamInfo<Pripad>& i) { return std::string(i.param.jmeno); });

// Esc during the second block of the first pair: that pair and the one after
// it are in no vector, so neither leaves its list.
TEST(OvereniObsahuZruseni, UprostredParu)
{
    TempTree t{dir("1"), dir("2")};
    for (const char* jmeno : {"a", "b"}) {
        zapis(t.path(std::string("1/") + jmeno), data(delka));
        zapis(t.path(std::string("2/") + jmeno), data(delka));
    }
    std::atomic<bool> zrusit{false};
    ChyboveVolani sys;
    sys.poruchy.push_back({.druh = Call::Pread, .od = 3, .err = 0, .akce = [&] { zrusit = true; }});
    struct : RozhraniOvereni {} r;
    const VysledekOvereni v = OverObsah(
        {.zaklad1 = t.path("1"), .zaklad2 = t.path("2"), .pary = {{"a", delka}, {"b", delka}}}, r,
        {.sys = &sys, .zrusit = &zrusit, .blok = blok});
    EXPECT_TRUE(v.zruseno);
    EXPECT_TRUE(v.shodne.empty());
    EXPECT_TRUE(v.lisi.empty());
}

} // namespace
} // namespace zrc::test
