// Undo of an operation from its journal, on real trees through the fault seam:
// each kind of item taken back, each change since skipped and logged, a fault
// or a kill during the undo leaving every file before or after it, and
// journals cut short, damaged or pointing elsewhere.

#include "vraceni_pomoc.h"

#include <csignal>
#include <fstream>
#include <functional>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace zrc::test {
namespace {

struct Soubor {
    std::string cesta, data;
};

struct DruhPripad {
    const char* nazev;
    int seznam;
    KodOperace kod;
    std::vector<Soubor> soubory;   // relative to the temporary root
    std::string polozka;
    DruhZaznamu druh;              // what the journal says was done
};

class KazdyDruh : public VraceniTest, public testing::WithParamInterface<DruhPripad> {};

TEST_P(KazdyDruh, VratiStromyBajtZaBajtemAVraceniJdeVratit)
{
    const auto& p = GetParam();
    for (const auto& s : p.soubory)
        zapis(t.path(s.cesta), s.data);
    const Snimek predtim = vse();
    const Denik d = proved(p.seznam, p.kod, {p.polozka});
    ASSERT_EQ(d.zaznamy.size(), 1u);
    EXPECT_EQ(d.zaznamy[0].druh, p.druh);
    const Snimek poOperaci = vse();
    ASSERT_NE(poOperaci, predtim);

    const auto v = vrat(d);
    EXPECT_EQ(v.vraceno, 1u);
    EXPECT_TRUE(kniha.prazdna()) << textKnihy(kniha.zaznamy());
    Snimek stromy = vse(), puvodni = predtim;
    std::erase_if(stromy, [](const auto& e) { return e.first.starts_with("kos/"); });
    std::erase_if(puvodni, [](const auto& e) { return e.first.starts_with("kos/"); });
    EXPECT_EQ(stromy, puvodni);
    // A file back from the trash leaves no entry that a file manager lists.
    for (const auto& [k, _] : snimek(kos() + "/info"))
        EXPECT_TRUE(existuje(kos() + "/files/" + k.substr(0, k.size() - 10))) << k;

    const auto zpet = ctiDenik(denikVraceni, {.kosDomov = kos()});
    ASSERT_TRUE(zpet.denik) << zpet.chyba;
    EXPECT_EQ(zpet.denik->hlavicka.druh, DruhDeniku::Vraceni);
    EXPECT_EQ(vrat(*zpet.denik).vraceno, zpet.denik->zaznamy.size());
    Snimek znovu = vse(), ocekavane = poOperaci;
    std::erase_if(znovu, [](const auto& e) { return e.first.starts_with("kos/"); });
    std::erase_if(ocekavane, [](const auto& e) { return e.first.starts_with("kos/"); });
    EXPECT_EQ(znovu, ocekavane);
}

INSTANTIATE_TEST_SUITE_P(
    Vraceni, KazdyDruh,
    testing::Values(
        DruhPripad{"NovaKopie", 1, KodOperace::Kopie, {{"a/n/x.txt", "novy"}}, "n/x.txt", DruhZaznamu::Kopie},
        DruhPripad{"JmenoSeVsemiBajty", 1, KodOperace::Kopie, {{"a/z\t%\n\xff y.txt", "jmeno"}},
                   "z\t%\n\xff y.txt", DruhZaznamu::Kopie},
        DruhPripad{"Nahrazeni", 3, KodOperace::Kopie, {{"a/x.txt", "nova verze"}, {"b/x.txt", "stara"}},
                   "x.txt", DruhZaznamu::Nahrazeno},
        DruhPripad{"Presun", 1, KodOperace::Presun, {{"a/m/p.txt", "presunuty"}}, "m/p.txt", DruhZaznamu::Presun},
        DruhPripad{"PresunSNahrazenim", 3, KodOperace::Presun, {{"a/x.txt", "nova verze"}, {"b/x.txt", "stara"}},
                   "x.txt", DruhZaznamu::Nahrazeno},
        DruhPripad{"DoKose", 1, KodOperace::Odstraneni, {{"a/d/k.txt", "smazany"}}, "d/k.txt",
                   DruhZaznamu::DoKose}),
    [](const auto& i) { return std::string(i.param.nazev); });

struct ZmenaPripad {
    const char* nazev;
    int seznam;
    KodOperace kod;
    std::vector<Soubor> soubory;
    std::string polozka;
    Soubor zmena;       // written after the operation, before the undo
    const char* duvod;
};

class ZmenenoMezitim : public VraceniTest, public testing::WithParamInterface<ZmenaPripad> {};

TEST_P(ZmenenoMezitim, PreskociZapiseAZmenuNecha)
{
    const auto& p = GetParam();
    for (const auto& s : p.soubory)
        zapis(t.path(s.cesta), s.data);
    const Denik d = proved(p.seznam, p.kod, {p.polozka});
    zapis(t.path(p.zmena.cesta), p.zmena.data);
    const Snimek predVracenim = vse();
    EXPECT_EQ(naplanujVraceni(d).zmeneno, 1);

    const auto v = vrat(d);
    EXPECT_EQ(v.vraceno, 0u);
    EXPECT_EQ(v.nevraceno, 1u);
    EXPECT_EQ(vse(), predVracenim);
    ASSERT_EQ(kniha.zaznamy().size(), 1u);
    EXPECT_EQ(kniha.zaznamy()[0].duvod, p.duvod);
    EXPECT_EQ(kniha.zaznamy()[0].kod, KodOperace::Vraceni);
}

INSTANTIATE_TEST_SUITE_P(
    Vraceni, ZmenenoMezitim,
    testing::Values(
        ZmenaPripad{"KopieUpravena", 1, KodOperace::Kopie, {{"a/x.txt", "novy"}}, "x.txt",
                    {"b/x.txt", "upraveno po kopii"}, "soubor byl od operace změněn"},
        ZmenaPripad{"NahrazenyUpraven", 3, KodOperace::Kopie, {{"a/x.txt", "nova"}, {"b/x.txt", "stara"}}, "x.txt",
                    {"b/x.txt", "upraveno"}, "soubor byl od operace změněn"},
        ZmenaPripad{"MistoPresunutehoObsazeno", 1, KodOperace::Presun, {{"a/x.txt", "presun"}}, "x.txt",
                    {"a/x.txt", "nový soubor na starém místě"}, "jeho původní místo je obsazeno"},
        ZmenaPripad{"MistoSmazanehoObsazeno", 1, KodOperace::Odstraneni, {{"a/x.txt", "smazany"}}, "x.txt",
                    {"a/x.txt", "nový"}, "jeho původní místo je obsazeno"}),
    [](const auto& i) { return std::string(i.param.nazev); });

// A copy of a new file, a replacement and a deletion to the trash, in one
// journal: the operations of a busy minute.
class SmisenaOperace : public VraceniTest {
protected:
    void SetUp() override
    {
        zapis(a() + "/n/novy.txt", "novy");
        zapis(a() + "/x.txt", "nova verze");
        zapis(b() + "/x.txt", "stara verze");
        zapis(a() + "/d.txt", "smazany");
        predtim = vse();
        d = proved(1, KodOperace::Kopie, {"n/novy.txt"});
        for (auto& z : proved(3, KodOperace::Kopie, {"x.txt"}).zaznamy)
            d.zaznamy.push_back(z);
        for (auto& z : proved(1, KodOperace::Odstraneni, {"d.txt"}).zaznamy)
            d.zaznamy.push_back(z);
        poOperaci = vse();
    }

    // Each path of the trees holds its content from before or after the
    // undo, and every content there was before the undo is still somewhere.
    void nicNeztraceno() const
    {
        const Snimek ted = vse();
        std::multiset<std::string> obsahy;
        for (const auto& [k, v] : ted)
            obsahy.insert(v);
        for (const auto& [k, v] : poOperaci)
            EXPECT_TRUE(obsahy.contains(v)) << k << " ztracen";
        std::set<std::string> cesty;
        for (const Snimek* s : {&predtim, &poOperaci, &ted})
            for (const auto& [k, _] : *s)
                if (!k.starts_with("kos/"))
                    cesty.insert(k);
        const auto hodnota = [](const Snimek& s, const std::string& k) {
            const auto it = s.find(k);
            return it == s.end() ? std::string("(nic)") : it->second;
        };
        for (const auto& k : cesty) {
            const auto h = hodnota(ted, k);
            EXPECT_TRUE(h == hodnota(predtim, k) || h == hodnota(poOperaci, k)) << k << ": " << h;
        }
    }

    Denik d;
    Snimek predtim, poOperaci;
};

struct PoruchaPripad {
    const char* nazev;
    Call druh;
    int od;
    int err;            // 0: the undo's process is killed (SIGKILL) at that call
};

class PoruchaVraceni : public SmisenaOperace, public testing::WithParamInterface<PoruchaPripad> {};

TEST_P(PoruchaVraceni, KazdySouborPredNeboPoVraceni)
{
    const auto& p = GetParam();
    ChyboveVolani sys;
    sys.poruchy.push_back({.druh = p.druh, .od = p.od, .pocet = 1, .err = p.err});
    if (p.err == 0) {
        sys.poruchy.back().akce = [] { ::raise(SIGKILL); };
        const pid_t dite = ::fork();
        ASSERT_GE(dite, 0);
        if (dite == 0) {
            (void)vrat(d, &sys);
            ::_exit(0);
        }
        int stav = 0;
        ASSERT_EQ(::waitpid(dite, &stav, 0), dite);
        EXPECT_TRUE(WIFSIGNALED(stav) || WEXITSTATUS(stav) == 0);
    } else {
        const auto v = vrat(d, &sys);
        EXPECT_EQ(v.vraceno + v.nevraceno, 3u);
        EXPECT_GE(kniha.zaznamy().size(), v.nevraceno);
        EXPECT_GT(v.nevraceno, 0u);
    }
    nicNeztraceno();
    // What was left can be undone afterwards with the same journal.
    skript.udalosti.clear();
    (void)vrat(d);
    nicNeztraceno();
}

INSTANTIATE_TEST_SUITE_P(
    Vraceni, PoruchaVraceni,
    testing::Values(PoruchaPripad{"Rename1EIO", Call::RenameAt, 1, EIO},
                    PoruchaPripad{"Rename2ENOSPC", Call::RenameAt, 2, ENOSPC},
                    PoruchaPripad{"Rename3EIO", Call::RenameAt, 3, EIO},
                    PoruchaPripad{"Fstatat2EIO", Call::FstatAt, 2, EIO},
                    PoruchaPripad{"Kill9Rename1", Call::RenameAt, 1, 0},
                    PoruchaPripad{"Kill9Rename2", Call::RenameAt, 2, 0},
                    PoruchaPripad{"Kill9Rename3", Call::RenameAt, 3, 0},
                    PoruchaPripad{"Kill9Rename4", Call::RenameAt, 4, 0},
                    PoruchaPripad{"Kill9Unlink1", Call::UnlinkAt, 1, 0}),
    [](const auto& i) { return std::string(i.param.nazev); });

TEST_F(SmisenaOperace, PlanRikaCoVratiACoNe)
{
    zapis(b() + "/n/novy.txt", "změněno");
    d.zaznamy.push_back({.druh = DruhZaznamu::Smazano, .cesta = a() + "/pryc.txt"});
    EXPECT_EQ(textPlanuVraceni(naplanujVraceni(d)), "vrátí 2 soubory, 1 nelze: byly mezitím změněny, 1 nelze: smazány natrvalo");
    const auto v = vrat(d);
    EXPECT_EQ(textPoVraceni(v), "Vráceno: 2 soubory, nevráceno: 2.");
}

// The journal is flushed with the batch, once, after the batch's renames and
// before its directories are: never once per file, and never after the
// changes it describes are on disk.
TEST_F(VraceniTest, DenikSeUkladaSDavkou)
{
    std::vector<std::string> polozky;
    for (int i = 0; i < 20; ++i) {
        const std::string jmeno = "f" + std::to_string(i) + ".txt";
        zapis(a() + "/" + jmeno, "nova " + std::to_string(i));
        zapis(b() + "/" + jmeno, "stara");
        polozky.push_back(jmeno);
    }
    ChyboveVolani sys;
    const Denik d = proved(3, KodOperace::Kopie, polozky, &sys);
    EXPECT_EQ(d.zaznamy.size(), 20u);
    sys.zaznam.erase(sys.zaznam.begin(), std::find(sys.zaznam.begin(), sys.zaznam.end(), "syncfs"));
    EXPECT_EQ(std::count(sys.zaznam.begin(), sys.zaznam.end(), "fdatasync"), 1);
    const auto posledniPrejmenovani = std::find_if(sys.zaznam.rbegin(), sys.zaznam.rend(), [](const auto& u) {
        return u.starts_with("rename .");
    }).base();
    const auto ulozeni = std::find(sys.zaznam.begin(), sys.zaznam.end(), "fdatasync");
    EXPECT_LE(posledniPrejmenovani - sys.zaznam.begin(), ulozeni - sys.zaznam.begin());   // base(): one past it
    EXPECT_LT(ulozeni - sys.zaznam.begin(), std::find(ulozeni, sys.zaznam.end(), "fsync") - sys.zaznam.begin());
}

// Records reach the file together, in one write before the flush, not one
// write per record.
TEST_F(VraceniTest, ZaznamyJdouDoSouboruNajednou)
{
    ChyboveVolani sys;
    ZapisDeniku denik;
    ASSERT_EQ(zalozDenik(sys, t.path("stav"), {.druh = DruhDeniku::Kopie, .zdroj = a(), .cil = b()}, denik), 0);
    const std::string jmeno = denik.cesta().substr(denik.cesta().rfind('/') + 1);
    sys.poruchy.push_back({.druh = Call::Pwrite, .pocet = -1, .err = 0, .jmeno = jmeno});   // counts
    for (int i = 0; i < 20; ++i)
        denik.zapis({.druh = DruhZaznamu::Kopie, .cil = b() + "/f" + std::to_string(i)});
    EXPECT_EQ(sys.poruchy.back().videno, 0);
    denik.synchronizuj();
    EXPECT_EQ(sys.poruchy.back().videno, 1);
    EXPECT_EQ(denik.chyba(), 0);
    const auto c = ctiDenik(denik.cesta(), {.kosDomov = kos()});
    ASSERT_TRUE(c.denik) << c.chyba;
    EXPECT_EQ(c.denik->zaznamy.size(), 20u);
}

// An error box may wait long for its answer: the records of the files done
// before it are in the journal file while it is shown, so that a program
// killed then can still undo them.
class SkriptCteDenik : public Skript {
public:
    std::string denik, kos;
    std::size_t zaznamuPriOtazce = 0;

    OdpovedChyby chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c) override
    {
        const auto d = ctiDenik(denik, {.kosDomov = kos});
        zaznamuPriOtazce = d.denik ? d.denik->zaznamy.size() : 0;
        return Skript::chybaKopirovani(zdroj, c);
    }
};

TEST_F(VraceniTest, ZaznamyJsouNaDiskuPredOtazkou)
{
    ZadaniOperace z{.zdroj = a(), .cil = b(), .operace = OperaceKodu(1, int(KodOperace::Kopie))};
    for (const char* jmeno : {"a.txt", "b.txt", "c.txt"}) {
        zapis(a() + "/" + jmeno, jmeno);
        z.polozky.push_back({jmeno, 5});
    }
    ChyboveVolani sys;
    sys.poruchy.push_back({.druh = Call::OpenAt, .pocet = -1, .jmeno = "c.txt"});   // EIO: the error box
    ZapisDeniku denik;
    ASSERT_EQ(zalozDenik(sys, t.path("stav"), {.druh = DruhDeniku::Kopie, .zdroj = z.zdroj, .cil = z.cil}, denik), 0);
    SkriptCteDenik skriptCte;
    skriptCte.denik = denik.cesta();
    skriptCte.kos = kos();
    (void)ProvedOperaci(z, skriptCte, {.sys = &sys, .kosDomov = kos(), .denik = &denik});
    EXPECT_EQ(skriptCte.zaznamuPriOtazce, 2u);
}

struct DenikPripad {
    const char* nazev;
    std::function<void(std::string& obsah, const std::string& koren)> uprava;
    std::size_t zaznamu;    // read back when chyba is ""
    const char* chyba;      // a part of the message
};

class PoskozenyDenik : public SmisenaOperace, public testing::WithParamInterface<DenikPripad> {};

TEST_P(PoskozenyDenik, CteSeJenCelyANas)
{
    ZapisDeniku w;
    ASSERT_EQ(zalozDenik(platform::realSyscalls(), t.path("stav"), d.hlavicka, w), 0);
    for (const auto& z : d.zaznamy)
        w.zapis(z);
    w.synchronizuj();
    std::string s = obsah(w.cesta());
    GetParam().uprava(s, t.root());
    std::ofstream(w.cesta(), std::ios::binary | std::ios::trunc) << s;
    const auto c = ctiDenik(w.cesta(), {.kosDomov = kos()});
    if (std::string(GetParam().chyba).empty()) {
        ASSERT_TRUE(c.denik) << c.chyba;
        EXPECT_EQ(c.denik->zaznamy.size(), GetParam().zaznamu);
    } else {
        EXPECT_FALSE(c.denik);
        EXPECT_NE(c.chyba.find(GetParam().chyba), std::string::npos) << c.chyba;
    }
}

void pripoj(std::string& s, ZaznamDeniku z)
{
    s += radekZaznamu(z);
}

INSTANTIATE_TEST_SUITE_P(
    Vraceni, PoskozenyDenik,
    testing::Values(
        DenikPripad{"Cely", [](std::string&, const std::string&) {}, 3, ""},
        DenikPripad{"UseknutyZabitim", [](std::string& s, const std::string&) { s.resize(s.size() - 7); }, 2, ""},
        DenikPripad{"BezKonceRadku", [](std::string& s, const std::string&) { s.pop_back(); }, 2, ""},
        DenikPripad{"PrevracenyBajtUprostred",
                    [](std::string& s, const std::string&) { s[s.find('\n') + 3] ^= 1; }, 0, "poškozen na řádku 2"},
        DenikPripad{"CiziSoubor", [](std::string& s, const std::string&) { s = "[Trash Info]\nPath=/x\n"; }, 0,
                    "není deník"},
        DenikPripad{"MimoStromy",
                    [](std::string& s, const std::string&) {
                        pripoj(s, {.druh = DruhZaznamu::Kopie, .cil = "/etc/passwd"});
                    }, 0, "ukazuje mimo porovnávané adresáře a koš: /etc/passwd"},
        DenikPripad{"TeckyVCeste",
                    [](std::string& s, const std::string& k) {
                        pripoj(s, {.druh = DruhZaznamu::Presun, .cesta = k + "/a/../../x", .cil = k + "/b/x"});
                    }, 0, "ukazuje mimo"},
        DenikPripad{"CiziKos",
                    [](std::string& s, const std::string& k) {
                        pripoj(s, {.druh = DruhZaznamu::DoKose, .cesta = k + "/a/x", .kos = k + "/jinde",
                                   .vKosi = "x"});
                    }, 0, "ukazuje mimo"},
        DenikPripad{"JmenoVKosiSCestou",
                    [](std::string& s, const std::string& k) {
                        pripoj(s, {.druh = DruhZaznamu::DoKose, .cesta = k + "/a/x", .kos = k + "/data/Trash",
                                   .vKosi = "../../a/y"});
                    }, 0, "ukazuje mimo"}),
    [](const auto& i) { return std::string(i.param.nazev); });

// trash-cli reads the trash as every desktop does: after the undo it lists
// no entry for the restored file.
TEST_F(VraceniTest, TrashListObnovenyNevypise)
{
    if (std::system("command -v trash-list >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "trash-list (trash-cli) není nainstalován";
    zapis(a() + "/smazany.txt", "data");
    const Denik d = proved(1, KodOperace::Odstraneni, {"smazany.txt"});
    const std::string prikaz = "XDG_DATA_HOME='" + t.path("data") + "' trash-list 2>/dev/null";
    const auto vypis = [&] {
        std::string s;
        if (FILE* f = ::popen(prikaz.c_str(), "r")) {
            char buf[4096];
            while (const std::size_t n = std::fread(buf, 1, sizeof buf, f))
                s.append(buf, n);
            ::pclose(f);
        }
        return s;
    };
    EXPECT_NE(vypis().find(a() + "/smazany.txt"), std::string::npos);
    EXPECT_EQ(vrat(d).vraceno, 1u);
    EXPECT_EQ(vypis().find(a() + "/smazany.txt"), std::string::npos);
    EXPECT_EQ(obsah(a() + "/smazany.txt"), "data");
}

} // namespace
} // namespace zrc::test
