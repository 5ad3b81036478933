// A copy of many small files reads their sources ahead on a second thread.
// Whatever happens to a source before, while or after it is read ahead, its
// target ends as a state the source really had (content and mtime together)
// or stays as it was; the questions come in the order of the items; Retry
// reads the source again; nothing is left behind.

#include "operace_pomoc.h"

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc::test {
namespace {

constexpr int souboru = 24;
constexpr int zasazeny = 10;   // the item that each case hits

std::string jmeno(int i)
{
    return (i < 10 ? "f0" : "f") + std::to_string(i);
}

// Item 10 lives in a directory of its own, the rest share one.
std::string cesta(int i)
{
    return (i == zasazeny ? "e/" : "d/") + jmeno(i);
}

std::string stary(int i) { return vzorek(2000 + 150 * i, char('a' + i)); }
const std::string novy = vzorek(3333, 'N');
constexpr timespec casStary{1577836800, 123456789};   // 2020-01-01, ns kept
constexpr timespec casNovy{1609459200, 987654321};    // 2021-01-01

void zapisSCasem(const std::string& p, const std::string& data, timespec mtime)
{
    zapis(p, data);
    const timespec casy[2] = {mtime, mtime};
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), casy, 0), 0);
}

// A new version put in place at once (written beside, renamed over), as an
// editor saves: a reader sees the old file or the new one, never half of it.
void nahrad(const std::string& p)
{
    zapisSCasem(p + ".novy", novy, casNovy);
    ASSERT_EQ(::rename((p + ".novy").c_str(), p.c_str()), 0);
}

// The questions of Skript, with hooks on the step and on the copy error box.
class SkriptSHaky : public Skript {
public:
    std::function<void(const std::string&)> naKroku;
    std::function<void(const std::string&)> naChybe;

    void krok(Krok k, const std::string& zdroj) override
    {
        Skript::krok(k, zdroj);
        if (naKroku)
            naKroku(zdroj.substr(zdroj.rfind('/') + 1));
    }
    OdpovedChyby chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c) override
    {
        if (naChybe)
            naChybe(zdroj.substr(zdroj.rfind('/') + 1));
        return Skript::chybaKopirovani(zdroj, c);
    }
};

struct Sestava {
    TempTree zdroj, cil, venku;
    ChyboveVolani sys;
    SkriptSHaky s;
    std::atomic<bool> zrusit{false};
    int seznam = 3;
    std::size_t okno = 256;   // files read ahead at most

    Sestava()
    {
        for (int i = 0; i < souboru; ++i)
            zapisSCasem(zdroj.path(cesta(i)), stary(i), casStary);
        // Slow targets, fast sources: the read-ahead runs far ahead of the copy.
        sys.zpozdeniZapisuUs = 300;
    }
    std::string zasazenyZdroj() const { return zdroj.path(cesta(zasazeny)); }
    VysledekOperace proved()
    {
        ZadaniOperace z{.zdroj = zdroj.root(), .cil = cil.root(),
                        .operace = OperaceKodu(seznam, 1)};
        for (int i = 0; i < souboru; ++i)
            z.polozky.push_back({cesta(i), static_cast<std::int64_t>(stary(i).size())});
        return ProvedOperaci(z, s, {.sys = &sys, .zrusit = &zrusit, .predcteniSouboru = okno});
    }
};

enum class Stav { Stary, Novy, Zadny, Mezitim };

Stav stavCile(const std::string& p, int i)
{
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0)
        return Stav::Zadny;
    const std::string o = obsah(p);
    const auto cas = [&](timespec t) {
        return st.st_mtim.tv_sec == t.tv_sec && st.st_mtim.tv_nsec == t.tv_nsec;
    };
    if (o == stary(i) && cas(casStary))
        return Stav::Stary;
    if (o == novy && cas(casNovy))
        return Stav::Novy;
    return o == "mezitim" ? Stav::Mezitim : Stav(-1);
}

struct Pripad {
    const char* nazev;
    std::function<void(Sestava&)> priprav;
    std::vector<Stav> dovoleno;              // the hit target's possible ends
    std::vector<std::string> udalostiZasazeneho{};   // its events, exactly ("": unchecked)
    bool zruseno = false;
};

const std::string chybaCteni = "chyba-kopie f10: chyba čtení nebo zápisu na disk";

std::vector<Pripad> pripady()
{
    return {
        // Changed after it was read ahead: the old state whole, or the new one.
        {"zmena_po_precteni",
         [](Sestava& t) {
             t.s.naKroku = [&t](const std::string& j) {
                 if (j == "f05")
                     nahrad(t.zasazenyZdroj());
             };
         },
         {Stav::Stary, Stav::Novy}, {"kopie f10"}},
        // Gone after it was read ahead: the state it had, or an error box.
        {"zmizel_po_precteni",
         [](Sestava& t) {
             t.s.naKroku = [&t](const std::string& j) {
                 if (j == "f05")
                     ::unlink(t.zasazenyZdroj().c_str());
             };
         },
         {Stav::Stary, Stav::Zadny}},
        // Rewritten in place between the opening and the read: never a mix.
        {"zmena_pri_cteni",
         [](Sestava& t) {
             t.sys.poruchy.push_back({.druh = Call::Pread, .err = 0, .jmeno = "f10",
                                      .akce = [&t] {
                                          zapisSCasem(t.zasazenyZdroj(), novy, casNovy);
                                      }});
         },
         {Stav::Stary, Stav::Novy}, {"kopie f10"}},
        // Unreadable for good: one box, in its place among the items.
        {"chyba_trvala",
         [](Sestava& t) {
             t.sys.poruchy.push_back({.druh = Call::OpenAt, .pocet = -1, .jmeno = "f10"});
         },
         {Stav::Zadny}, {"kopie f10", chybaCteni}},
        // One failed read: whichever thread met it, Retry ends with the copy.
        {"chyba_jednou",
         [](Sestava& t) {
             t.sys.poruchy.push_back({.druh = Call::OpenAt, .jmeno = "f10"});
             t.s.kopie = {OdpovedChyby::Znovu};
         },
         {Stav::Stary}},
        // Retry after an error reads the source again, not what was read before.
        {"znovu_cte_znovu",
         [](Sestava& t) {
             t.sys.poruchy.push_back({.druh = Call::FstatAt, .jmeno = "f10"});
             t.s.kopie = {OdpovedChyby::Znovu};
             t.s.naChybe = [&t](const std::string&) { nahrad(t.zasazenyZdroj()); };
         },
         {Stav::Novy}, {"kopie f10", chybaCteni, "kopie f10"}},
        // A "NOVÉ" target that appeared meanwhile is kept, and the box says why.
        {"cil_vznikl",
         [](Sestava& t) {
             t.seznam = 1;
             zapis(t.cil.path(cesta(zasazeny)), "mezitim");
         },
         {Stav::Mezitim},
         {"kopie f10", "chyba-kopie f10: v cílovém adresáři mezitím vznikl soubor stejného "
                       "jména, nebyl přepsán"}},
        // A symbolic link below the base is not followed by either thread.
        {"odkaz_ve_zdroji",
         [](Sestava& t) {
             zapis(t.venku.path("e/f10"), "venku");
             ::unlink(t.zasazenyZdroj().c_str());
             ASSERT_EQ(::rmdir(t.zdroj.path("e").c_str()), 0);
             ASSERT_EQ(::symlink(t.venku.path("e").c_str(), t.zdroj.path("e").c_str()), 0);
         },
         {Stav::Zadny}, {"kopie f10", "chyba-kopie f10: cesta vede přes symbolický odkaz"}},
        // Esc: the rest stays untouched, no temporary file remains.
        {"zruseni",
         [](Sestava& t) {
             t.s.naKroku = [&t](const std::string& j) {
                 if (j == "f10")
                     t.zrusit = true;
             };
         },
         {Stav::Zadny}, {"kopie f10"}, true},
    };
}

class Predcteni : public testing::TestWithParam<Pripad> {};

TEST_P(Predcteni, CilJeStavemZdrojeAOtazkyVPoradi)
{
    const Pripad& p = GetParam();
    Sestava t;
    p.priprav(t);
    const auto v = t.proved();

    EXPECT_EQ(v.zruseno, p.zruseno);
    EXPECT_TRUE(docasne(t.cil.root()).empty());
    for (int i = 0; i < souboru; ++i) {
        const Stav s = stavCile(t.cil.path(cesta(i)), i);
        if (i == zasazeny) {
            EXPECT_NE(std::find(p.dovoleno.begin(), p.dovoleno.end(), s), p.dovoleno.end())
                << "the hit target ends as " << int(s);
        } else {
            EXPECT_EQ(s, p.zruseno && i > zasazeny ? Stav::Zadny : Stav::Stary) << jmeno(i);
        }
    }
    // The events of the hit item stand between its neighbours' copies.
    std::vector<std::string> jeho;
    bool uvnitr = false;
    for (const auto& u : t.s.udalosti) {
        if (u.starts_with("kopie "))
            uvnitr = u == "kopie f10";
        if (uvnitr && !u.starts_with("hotovo"))
            jeho.push_back(u);
    }
    if (!p.udalostiZasazeneho.empty()) {
        EXPECT_EQ(jeho, p.udalostiZasazeneho);
    }
    for (const auto& u : t.s.udalosti) {
        if (u.starts_with("chyba")) {
            EXPECT_TRUE(u.starts_with("chyba-kopie f10:")) << u;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Operace, Predcteni, testing::ValuesIn(pripady()),
                         [](const testing::TestParamInfo<Pripad>& i) { return i.param.nazev; });

// While a person answers a question, the next files change: the copies after
// the answer take them as they are now, not as they were read ahead before,
// nor as the files opened ahead before it were. A window of two files leaves
// the read-ahead waiting with the next files opened but not read.
class OtazkaZahodi : public testing::TestWithParam<std::size_t> {};

TEST_P(OtazkaZahodi, PredcteneIOtevrene)
{
    Sestava t;
    t.okno = GetParam();
    t.sys.poruchy.push_back({.druh = Call::FstatAt, .jmeno = "f10"});
    t.s.naChybe = [&t](const std::string&) {
        for (int i = zasazeny + 1; i < souboru; ++i)
            nahrad(t.zdroj.path(cesta(i)));
    };
    t.proved();
    EXPECT_EQ(stavCile(t.cil.path(cesta(zasazeny)), zasazeny), Stav::Zadny);   // Ignore
    for (int i = zasazeny + 1; i < souboru; ++i)
        EXPECT_EQ(stavCile(t.cil.path(cesta(i)), i), Stav::Novy) << jmeno(i);
}

INSTANTIATE_TEST_SUITE_P(Predcteni, OtazkaZahodi, testing::Values(std::size_t{256}, 2));

// No read-ahead, a window of 3 files, a window of 8 000 bytes (two or three
// of these files) and the default window: the same targets, no file missed.
TEST(Predcteni, OknaRuznychMezi)
{
    struct Okno {
        std::size_t souboru;
        std::int64_t bajtu;
    };
    for (const Okno okno : {Okno{0, 0}, Okno{3, 1 << 20}, Okno{256, 8000}, Okno{256, 8 << 20}}) {
        Sestava t;
        ZadaniOperace z{.zdroj = t.zdroj.root(), .cil = t.cil.root(), .operace = OperaceKodu(3, 1)};
        for (int i = 0; i < souboru; ++i)
            z.polozky.push_back({cesta(i), static_cast<std::int64_t>(stary(i).size())});
        const auto v = ProvedOperaci(z, t.s, {.sys = &t.sys, .predcteniSouboru = okno.souboru,
                                              .predcteniBajtu = okno.bajtu});
        EXPECT_EQ(v.vyrizene.size(), std::size_t{souboru}) << okno.souboru << " " << okno.bajtu;
        for (int i = 0; i < souboru; ++i)
            EXPECT_EQ(stavCile(t.cil.path(cesta(i)), i), Stav::Stary) << okno.bajtu << " " << i;
    }
}

} // namespace
} // namespace zrc::test
