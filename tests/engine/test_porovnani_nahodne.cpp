// Random pairs of trees against a plain reference walk: the eight lists item
// for item and in order, and the unreadable directories, for random options.
//
// The reference is the run written the simplest way: one pass after the other,
// each directory opened by its full path and listed when the pass meets it, a
// table of directories built breadth first, then the files of each directory
// paired with the counterpart's. It shares with the run only the listing of
// one directory and the classification of one file, so it checks the walk: the
// order, the pairing of directories and both passes' filters.

#include "engine/filtry.h"
#include "engine/seznam_vynechanych_typu.h"
#include "engine/vypis_adresare.h"
#include "engine/zarazeni.h"
#include "test_porovnani_pomoc.h"

#include <fcntl.h>
#include <map>
#include <random>
#include <unistd.h>

namespace zrc {
namespace {

class ReferencniBeh {
public:
    ReferencniBeh(const NastaveniPorovnani& n, const Limity& l, VynechaneTypy* typy)
        : n_(n), limity_(l), volby_(), kontext_{.volby = volby_, .limity = l, .vynechaneTypy = typy}
    {
        volby_.prevezmi(n);
        zaklad_[0] = n.adresar1.toStdString();
        zaklad_[1] = n.adresar2.toStdString();
    }

    void proved()
    {
        if (n_.CBOmez != int(Omezeni::JenAdresar2))
            pruchod(0);
        if (n_.CBOmez != int(Omezeni::JenAdresar1))
            pruchod(1);
    }

    std::vector<std::string> radky, nepristupne[2];

private:
    struct Radek {
        std::string rel;    // "" or "a/b"
        int hloubka = 0;
        bool predek = true;
    };

    const NactenyAdresar* vypis(int strana, const std::string& rel)
    {
        auto [it, novy] = vypisy_[strana].try_emplace(rel);
        if (novy) {
            const std::string cesta = rel.empty() ? zaklad_[strana] : zaklad_[strana] + "/" + rel;
            const int fd = ::open(cesta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0) {
                it->second.chyba = std::error_code(errno, std::generic_category());
            } else {
                it->second = nactiAdresar(fd, pamet_);
                ::close(fd);
            }
            if (it->second.chyba)
                nepristupne[strana].push_back(cesta);
        }
        return &it->second;
    }

    bool maPodadresar(int strana, const std::string& rodic, std::string_view jmeno)
    {
        return vypis(strana, rodic)->vypis.najdiPodadresar(jmeno) >= 0;
    }

    void pruchod(int zdroj)
    {
        const int jina = 1 - zdroj;
        std::vector<Radek> t{Radek{}};
        std::vector<bool> protejsek{true};
        for (std::size_t i = 0; i < t.size(); ++i) {
            const Radek r = t[i];
            const VypisAdresare& v = vypis(zdroj, r.rel)->vypis;
            if (protejsek[i])
                vypis(jina, r.rel);
            for (const PodadresarVypisu& p : v.podadresare()) {
                const std::string jmeno(v.jmeno(p));
                const bool ma = protejsek[i] && maPodadresar(jina, r.rel, jmeno);
                bool ponechat = !(zdroj == 0 ? n_.ChB_adresar1 : n_.ChB_adresar2) || ma;
                if (n_.ChB_Filtr_3 && !ShodaUrovne(r.hloubka + 1, limity_.UrovenShody, ma, r.predek))
                    ponechat = false;
                if (!ponechat)
                    continue;
                const int h = r.hloubka + 1;
                t.push_back({r.rel.empty() ? jmeno : r.rel + "/" + jmeno, h,
                             h == limity_.UrovenShody ? ma : r.predek});
                protejsek.push_back(ma);
            }
        }
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (n_.ChB_Filtr_2 && i > 0) {
                const auto& cas = vypis(zdroj, t[i].rel)->casAdresare;
                if (!cas || !VyhovujePodadresar(*cas, limity_))
                    continue;
            }
            soubory(zdroj, t[i].rel, protejsek[i]);
        }
    }

    void soubory(int zdroj, const std::string& rel, bool maProtejsek)
    {
        const VypisAdresare& a = vypis(zdroj, rel)->vypis;
        if (a.soubory().empty())
            return;
        const VypisAdresare* b = maProtejsek ? &vypis(1 - zdroj, rel)->vypis : nullptr;
        if (maProtejsek && vypis(1 - zdroj, rel)->chyba)
            return;
        for (const SouborVypisu& f : a.soubory()) {
            const SouborVypisu* par = nullptr;
            if (b)
                for (const SouborVypisu& g : b->soubory())
                    if (b->jmeno(g) == a.jmeno(f))
                        par = &g;
            if (const auto r = zarad(f, par, a.jmeno(f), kontext_, prevod_))
                radky.push_back(std::to_string(cisloSeznamu(r->trida, zdroj + 1)) + " "
                                + (rel.empty() ? "" : rel + "/") + std::string(a.jmeno(f)) + " "
                                + std::to_string(r->cas) + " " + std::to_string(f.velikost));
        }
    }

    const NastaveniPorovnani& n_;
    const Limity& limity_;
    PrevodCasu prevod_;
    ZiveVolby volby_;
    KontextZarazeni kontext_;
    std::string zaklad_[2];
    std::map<std::string, NactenyAdresar> vypisy_[2];
    PracovniPametVypisu pamet_;
};

// Directory times either a few days before the test's "now" or years before,
// so that the subdirectory filter "last 10 days" splits them.
std::time_t nahodnyCas(std::mt19937& rng)
{
    const std::time_t novy = localTime(2026, 12, 3, 10, 0, 0);
    const std::time_t stary = localTime(2020, 5, 1, 8, 0, 0);
    return (rng() % 2 ? novy : stary) + 2 * std::time_t(rng() % 3);
}

// Two trees sharing most of their directories and names; a name may be a file
// on one side and a directory on the other; some directories are unreadable.
// Names that share their first 8 bytes, or differ in letter case only (and
// show alike in the lists), must keep the byte order of their names; a
// directory may hold more files than the run's pairing table has at first.
void nahodnyPar(TempTree& a, TempTree& b, std::mt19937& rng, bool zamykat)
{
    const char* jmena[] = {"a", "B", "c.txt", "\xc3\xa9", "Z.bak", "d.TXT", "e", "\xff", ".h",
                           "b", "A", "\xc3\x89", "dlouhe jmeno", "dlouhe jmeno souboru.txt", "dlouhe_j",
                           "Dlouhe jmeno", "dlouhe jmeno Souboru.txt"};
    constexpr unsigned pocetJmen = std::size(jmena);
    std::vector<std::string> adresare = {""};
    std::vector<test::Entry> strany[2];
    const int pocetAdresaru = 4 + int(rng() % 20);
    for (int i = 0; i < pocetAdresaru; ++i) {
        const std::string& rodic = adresare[rng() % adresare.size()];
        adresare.push_back((rodic.empty() ? "" : rodic + "/") + jmena[rng() % pocetJmen] + std::to_string(i % 3));
    }
    auto obsazeno = [](const std::vector<test::Entry>& v, const std::string& cesta) {
        return std::any_of(v.begin(), v.end(), [&](const test::Entry& e) {
            return e.path == cesta || e.path.starts_with(cesta + "/") || cesta.starts_with(e.path + "/");
        });
    };
    for (std::size_t i = 1; i < adresare.size(); ++i)
        for (auto& s : strany)
            if (rng() % 5 != 0 && !obsazeno(s, adresare[i]))
                s.push_back(dir(adresare[i], nahodnyCas(rng)));
    const int pocetSouboru = int(rng() % 300);
    for (int i = 0; i < pocetSouboru; ++i) {
        const std::string& d = adresare[rng() % 4 == 0 ? 0 : rng() % adresare.size()];
        const std::string cesta = (d.empty() ? "" : d + "/") + jmena[rng() % pocetJmen] + std::to_string(i % 5);
        const int co = int(rng() % 6);   // 0: only in a, 1: only in b, else in both
        const std::int64_t velikost = rng() % 3;
        const std::time_t cas = nahodnyCas(rng);
        for (int s = 0; s < 2; ++s) {
            if (co == 1 - s || obsazeno(strany[s], cesta))
                continue;
            strany[s].push_back(file(cesta, rng() % 4 == 0 ? velikost + 1 : velikost,
                                     rng() % 4 == 0 ? cas + 2 : cas));
        }
    }
    for (auto& s : strany)
        for (auto& e : s)
            if (zamykat && e.kind == test::Kind::Dir && rng() % 12 == 0)
                e = e.withMode(rng() % 2 ? 0 : 0444);
    a.add(strany[0]);
    b.add(strany[1]);
}

NastaveniPorovnani nahodneVolby(NastaveniPorovnani n, std::mt19937& rng)
{
    n.ChB_adresar1 = rng() % 2;
    n.ChB_adresar2 = rng() % 2;
    n.ChB_Filtr_1 = rng() % 3 == 0;
    n.SE_Filtr_1_Posledni = 10;
    n.ChB_Filtr_2 = rng() % 3 == 0;
    n.SE_Filtr_2_Posledni = 10;
    n.ChB_Filtr_3 = rng() % 3 == 0;
    n.SE_Filtr_3 = int(rng() % 4);
    n.CBOmez = 1 + int(rng() % 4 == 0 ? 1 + rng() % 2 : 0);
    n.ChBIgnorCasFiltr = rng() % 2;
    return n;
}

class NahodnePary : public PorovnaniTest {};

TEST_F(NahodnePary, SeznamyANepristupneJakoPrimyPruchod)
{
    SeznamVynechanychTypu vynechane({QStringLiteral("bak")});
    std::size_t polozek = 0, nepristupnych = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        std::mt19937 rng(seed);
        TempTree a, b;
        nahodnyPar(a, b, rng, true);
        NastaveniPorovnani n = nastaveni();
        n.adresar1 = a.qroot();
        n.adresar2 = b.qroot();
        n = nahodneVolby(n, rng);
        typy = rng() % 2 ? &vynechane : nullptr;
        const Limity limity = *Dopoctilimit(n, hodiny.ted());
        ReferencniBeh ref(n, limity, typy);
        prijemce = ZaznamovyPrijemce{};
        VysledekBehu v;
        {
            BezPrav bezPrav;
            ref.proved();
            v = spust(n, 1 + int(seed % 3));
        }
        std::vector<std::string> videne;
        for (const auto& p : prijemce.polozky)
            videne.push_back(std::to_string(p.seznam) + " " + p.podadresar + p.jmeno + " "
                             + std::to_string(p.cas) + " " + std::to_string(p.velikost));
        ASSERT_EQ(videne, ref.radky) << "seed " << seed;
        std::vector<std::string> nepristupne;
        for (const NepristupnyAdresar& x : v.nepristupne)
            nepristupne.push_back(x.cesta);
        std::vector<std::string> ocekavane = ref.nepristupne[0];
        ocekavane.insert(ocekavane.end(), ref.nepristupne[1].begin(), ref.nepristupne[1].end());
        ASSERT_EQ(nepristupne, ocekavane) << "seed " << seed;
        polozek += videne.size();
        nepristupnych += nepristupne.size();
    }
    EXPECT_GT(polozek, 1000u);   // the pairs are not trivially equal
    EXPECT_GT(nepristupnych, 20u);
}

} // namespace
} // namespace zrc
