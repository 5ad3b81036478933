// Never lose data: a copy (to a named temporary file, or, for a target that
// must be absent, to a file without name), a replacement and a move across
// file systems, each hit by a fault at the first, a middle and the last chunk.
// Afterwards the target holds its old or its new content, no temporary file
// remains (nor an open descriptor of one), and the data is whole in at least
// one place. And a copy killed with SIGKILL.

#include "operace_pomoc.h"

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fcntl.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace zrc::test {
namespace {

constexpr std::size_t blok = 4096;
constexpr std::size_t delka = 3 * blok;   // three chunks: first, middle, last

enum class Cil { Novy, JenNovy, Nahrazeny, Presun };
enum class Vada { PlnyDisk, ChybaCteni, ChybaZapisu, Zruseni, Zmizel, Narostl, Zmensil };

struct Pripad {
    Cil cil;
    Vada vada;
    int chunk;   // 1..3
};

std::string jmenoPripadu(const testing::TestParamInfo<Pripad>& i)
{
    static const char* cile[] = {"novy", "jenNovy", "nahrazeny", "presun"};
    static const char* vady[] = {"ENOSPC", "EIOcteni", "EIOzapis", "zruseni", "zmizel",
                                 "narostl", "zmensil"};
    return std::string(cile[int(i.param.cil)]) + "_" + vady[int(i.param.vada)] + "_" +
           std::to_string(i.param.chunk);
}

class NikdyNeztratit : public testing::TestWithParam<Pripad> {};

std::size_t otevrenych()
{
    const auto it = std::filesystem::directory_iterator("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(it), end(it)));
}

int seznamPripadu(Cil c)
{
    return c == Cil::JenNovy ? 1 : 3;   // list 1 to the other side: only an absent target
}

TEST_P(NikdyNeztratit, CilStaryNeboNovyZdrojCely)
{
    const Pripad p = GetParam();
    TempTree zdroj, cil;
    const std::string nova = vzorek(delka, 'n'), stara = vzorek(5000, 's');
    const std::string zdrojCesta = zdroj.path("d/x.bin"), cilCesta = cil.path("d/x.bin");
    zapis(zdrojCesta, nova);
    const bool novy = p.cil == Cil::Novy || p.cil == Cil::JenNovy;
    if (!novy)
        zapis(cilCesta, stara);

    ChyboveVolani sys;
    sys.jenCteniZapis();
    if (p.cil == Cil::Presun)   // as if the target were on another file system
        sys.poruchy.push_back({.druh = Call::RenameAt, .err = EXDEV, .jmeno = "x.bin"});
    std::atomic<bool> zrusit{false};
    Porucha f{.druh = Call::Pread, .od = p.chunk, .err = 0};
    switch (p.vada) {
    case Vada::PlnyDisk: f = {.druh = Call::Pwrite, .od = p.chunk, .err = ENOSPC}; break;
    case Vada::ChybaCteni: f.err = EIO; break;
    case Vada::ChybaZapisu: f = {.druh = Call::Pwrite, .od = p.chunk, .err = EIO}; break;
    case Vada::Zruseni: f.akce = [&] { zrusit = true; }; break;
    case Vada::Zmizel: f.akce = [&] { ::unlink(zdrojCesta.c_str()); }; break;
    case Vada::Narostl:
        f.akce = [&] {
            const int fd = ::open(zdrojCesta.c_str(), O_WRONLY | O_APPEND);
            ASSERT_EQ(::write(fd, "navic", 5), 5);
            ::close(fd);
        };
        break;
    case Vada::Zmensil: f.akce = [&] { ASSERT_EQ(::truncate(zdrojCesta.c_str(), 1000), 0); }; break;
    }
    sys.poruchy.push_back(f);

    Skript s;
    const ZadaniOperace z{.zdroj = zdroj.root(), .cil = cil.root(),
                          .operace = OperaceKodu(seznamPripadu(p.cil), p.cil == Cil::Presun ? 3 : 1),
                          .polozky = {{"d/x.bin", static_cast<std::int64_t>(delka)}}};
    const std::size_t predtim = otevrenych();
    const auto v = ProvedOperaci(z, s, {.sys = &sys, .zrusit = &zrusit, .blokCteni = blok});
    EXPECT_EQ(otevrenych(), predtim);

    const std::string vCili = obsah(cilCesta);
    const bool novyVCili = vCili == nova;
    if (novy)
        EXPECT_TRUE(novyVCili || !existuje(cilCesta));
    else
        EXPECT_TRUE(novyVCili || vCili == stara);
    EXPECT_TRUE(docasne(cil.root()).empty());
    const bool zdrojMenen = p.vada == Vada::Zmizel || p.vada == Vada::Narostl ||
                            p.vada == Vada::Zmensil;
    if (!zdrojMenen) {
        EXPECT_FALSE(novyVCili) << "a failed or cancelled copy must not be renamed";
        EXPECT_EQ(obsah(zdrojCesta), nova);
        EXPECT_TRUE(v.vyrizene.empty());
    }
    if (p.vada == Vada::Narostl || p.vada == Vada::Zmensil) {
        EXPECT_FALSE(novyVCili);
        EXPECT_TRUE(existuje(zdrojCesta));
        ASSERT_FALSE(s.udalosti.empty());
        EXPECT_NE(s.udalosti[1].find("změnil"), std::string::npos) << s.udalosti[1];
    }
    EXPECT_EQ(v.zruseno, p.vada == Vada::Zruseni);
}

std::vector<Pripad> vsechnyPripady()
{
    std::vector<Pripad> v;
    for (Cil c : {Cil::Novy, Cil::JenNovy, Cil::Nahrazeny, Cil::Presun})
        for (int vada = 0; vada <= int(Vada::Zmensil); ++vada)
            for (int chunk = 1; chunk <= 3; ++chunk)
                v.push_back({c, Vada(vada), chunk});
    return v;
}

INSTANTIATE_TEST_SUITE_P(Operace, NikdyNeztratit, testing::ValuesIn(vsechnyPripady()),
                         jmenoPripadu);

// A copy of 12 files, killed with SIGKILL at random moments: every file is
// whole in at least one place, and a target is its old or its new self. Odd
// rounds copy to absent targets (list 1: files without name), which leave no
// temporary file at all, even killed.
TEST(NikdyNeztratit, KopieZabitaSigkill)
{
    constexpr int souboru = 12;
    std::mt19937 nahoda(20261207);
    for (int kolo = 0; kolo < 8; ++kolo) {
        const bool nove = kolo % 2 == 1;
        TempTree zdroj, cil;
        std::vector<PolozkaOperace> polozky;
        for (int i = 0; i < souboru; ++i) {
            const std::string jmeno = "a/f" + std::to_string(i);
            zapis(zdroj.path(jmeno), vzorek(64 * 1024, char('A' + i)));
            if (!nove)
                zapis(cil.path(jmeno), vzorek(3000, char('a' + i)));
            polozky.push_back({jmeno, 64 * 1024});
        }
        const pid_t dite = ::fork();
        ASSERT_GE(dite, 0);
        if (dite == 0) {
            ChyboveVolani sys;
            sys.jenCteniZapis();
            sys.zpozdeniZapisuUs = 300;   // 16 writes a file: ~5 ms per file
            Skript s;
            ProvedOperaci({.zdroj = zdroj.root(), .cil = cil.root(),
                           .operace = OperaceKodu(nove ? 1 : 3, 1), .polozky = polozky}, s,
                          {.sys = &sys, .blokCteni = blok, .davkaSouboru = 4});
            ::_exit(0);
        }
        ::usleep(std::uniform_int_distribution<int>(1000, 60000)(nahoda));
        ::kill(dite, SIGKILL);
        int stav = 0;
        ::waitpid(dite, &stav, 0);
        for (int i = 0; i < souboru; ++i) {
            const std::string jmeno = "a/f" + std::to_string(i);
            const std::string c = obsah(cil.path(jmeno));
            const std::string stara = nove ? std::string() : vzorek(3000, char('a' + i));
            EXPECT_EQ(obsah(zdroj.path(jmeno)), vzorek(64 * 1024, char('A' + i)));
            EXPECT_TRUE(c == vzorek(64 * 1024, char('A' + i)) || c == stara)
                << "round " << kolo << " file " << i;
        }
        if (nove) {
            EXPECT_TRUE(docasne(cil.root()).empty()) << "round " << kolo;
        }
    }
}

} // namespace
} // namespace zrc::test
