// The command decoding: every button Tag of every list, every operation code,
// the three context-menu commands and Tags no button carries.

#include "operace/prikazy.h"

#include <gtest/gtest.h>

#include <string>

namespace zrc {
namespace {

constexpr Strana S1 = Strana::Adresar1;
constexpr Strana S2 = Strana::Adresar2;
constexpr Strana Zv = Strana::Zvoleny;

// ---- The list numbers: page, "NOVÉ", twin lists, sides ----

struct PravidlaSeznamu {
    int seznam;
    int stranka;
    bool nove, dvojce;
    int protejsi;    // list of the twins, 0: none
    int adresar;     // the compared directory the list shows
    int soused;      // the other list of the page
};

class CislaSeznamu : public testing::TestWithParam<PravidlaSeznamu> {};

TEST_P(CislaSeznamu, NesouPravidlaStranek)
{
    const PravidlaSeznamu& p = GetParam();
    const CisloSeznamu c(p.seznam);
    EXPECT_TRUE(CisloSeznamu::platne(p.seznam));
    EXPECT_EQ(c.stranka(), p.stranka);
    EXPECT_EQ(c.nove(), p.nove);
    EXPECT_EQ(c.maDvojce(), p.dvojce);
    EXPECT_EQ(c.protejsiSeznam().value_or(CisloSeznamu(0)).cislo(), p.protejsi);
    EXPECT_EQ(c.adresar(), p.adresar);
    EXPECT_EQ(c.protejsiAdresar(), 3 - p.adresar);
    EXPECT_EQ(c.levy(), p.adresar == 1);
    EXPECT_EQ(c.sousedNaStrance().cislo(), p.soused);
    // The command decoder takes its sides from the same rule.
    EXPECT_EQ(int(VlastniStrana(p.seznam)), p.adresar);
    EXPECT_EQ(int(ProtejsiStrana(p.seznam)), 3 - p.adresar);
}

INSTANTIATE_TEST_SUITE_P(Seznamy, CislaSeznamu, testing::Values(
    PravidlaSeznamu{1, 1, true, false, 0, 1, 2}, PravidlaSeznamu{2, 1, true, false, 0, 2, 1},
    PravidlaSeznamu{3, 2, false, false, 0, 1, 4}, PravidlaSeznamu{4, 2, false, false, 0, 2, 3},
    // "VĚTŠÍ" left pairs with "MENŠÍ" right: the same file seen from the other side
    PravidlaSeznamu{5, 3, false, true, 8, 1, 6}, PravidlaSeznamu{6, 3, false, true, 7, 2, 5},
    PravidlaSeznamu{7, 4, false, true, 6, 1, 8}, PravidlaSeznamu{8, 4, false, true, 5, 2, 7}),
    [](const auto& info) { return "ListView" + std::to_string(info.param.seznam); });

TEST(CislaSeznamu, MimoRozsahNejsouSeznamy)
{
    for (int cislo : {-1, 0, 9, 10, 84})
        EXPECT_FALSE(CisloSeznamu::platne(cislo)) << cislo;
}

// ---- Tags of BB1..BB6 by the active list ----

struct TagyListu {
    int t;
    std::array<int, pocetAkci> tagy;
};

class TagyTlacitek : public testing::TestWithParam<TagyListu> {};

TEST_P(TagyTlacitek, OdpovidajiAktivnimuSeznamu)
{
    EXPECT_EQ(TagyAkci(GetParam().t), GetParam().tagy);
}

INSTANTIATE_TEST_SUITE_P(Seznamy, TagyTlacitek,
    testing::Values(TagyListu{1, {1, 11, 13, 12, -11, -13}}, TagyListu{2, {2, 21, 23, 22, -21, -23}},
                    TagyListu{3, {3, 31, 33, 32, -31, -33}}, TagyListu{4, {4, 41, 43, 42, -41, -43}},
                    TagyListu{5, {5, 54, 55, 52, -54, -55}}, TagyListu{6, {6, 64, 65, 62, -64, -65}},
                    TagyListu{7, {7, 74, 75, 72, -74, -75}}, TagyListu{8, {8, 84, 85, 82, -84, -85}}),
    [](const auto& info) { return "ListView" + std::to_string(info.param.t); });

// ---- What each button does on each list ----

// The expected command of button BBn (2..6) on list t, written out as a
// reader of the result pages would say it.
struct Prikaz {
    int t;
    int tlacitko;   // 2..6
    Strana zdroj, cil;
    KodOperace kod;
    bool odstraneni, dvojce, nahrazeni;
};

class TlacitkaNaSeznamech : public testing::TestWithParam<Prikaz> {};

TEST_P(TlacitkaNaSeznamech, DekodujeSeNaOperaci)
{
    const Prikaz& p = GetParam();
    const Operace o = DekodujPrikaz(TagyAkci(p.t)[std::size_t(p.tlacitko - 1)]);
    EXPECT_EQ(o.seznam, p.t);
    EXPECT_EQ(o.zdroj, p.zdroj);
    EXPECT_EQ(o.cil, p.cil);
    EXPECT_EQ(o.kod, p.kod);
    EXPECT_EQ(o.kopie, p.kod != KodOperace::Odstraneni);
    EXPECT_EQ(o.odstraneni, p.odstraneni);
    EXPECT_EQ(o.odeberDvojce, p.dvojce);
    EXPECT_TRUE(o.opoustiSeznam);
    EXPECT_EQ(o.nahrazeni, p.nahrazeni);
}

using K = KodOperace;
// Left lists copy 1->2; right lists mirror them. BB5/BB6 on "NOVÉ" are
// disabled but their Tags still decode.
INSTANTIATE_TEST_SUITE_P(Stranky, TlacitkaNaSeznamech, testing::Values(
    // "NOVÉ"
    Prikaz{1, 2, S1, S2, K::Kopie, false, false, false}, Prikaz{1, 3, S1, S2, K::Presun, true, false, false},
    Prikaz{1, 4, S1, S2, K::Odstraneni, true, false, false}, Prikaz{1, 5, S2, S1, K::Kopie, false, false, true},
    Prikaz{1, 6, S2, S1, K::Presun, true, false, true},
    Prikaz{2, 2, S2, S1, K::Kopie, false, false, false}, Prikaz{2, 3, S2, S1, K::Presun, true, false, false},
    Prikaz{2, 4, S2, S1, K::Odstraneni, true, false, false}, Prikaz{2, 5, S1, S2, K::Kopie, false, false, true},
    Prikaz{2, 6, S1, S2, K::Presun, true, false, true},
    // "NOVĚJŠÍ"
    Prikaz{3, 2, S1, S2, K::Kopie, false, false, false}, Prikaz{3, 3, S1, S2, K::Presun, true, false, false},
    Prikaz{3, 4, S1, S2, K::Odstraneni, true, false, false}, Prikaz{3, 5, S2, S1, K::Kopie, false, false, true},
    Prikaz{3, 6, S2, S1, K::Presun, true, false, true},
    Prikaz{4, 2, S2, S1, K::Kopie, false, false, false}, Prikaz{4, 3, S2, S1, K::Presun, true, false, false},
    Prikaz{4, 4, S2, S1, K::Odstraneni, true, false, false}, Prikaz{4, 5, S1, S2, K::Kopie, false, false, true},
    Prikaz{4, 6, S1, S2, K::Presun, true, false, true},
    // "VĚTŠÍ": every command takes the twin in "MENŠÍ" along
    Prikaz{5, 2, S1, S2, K::KopieSDvojcetem, false, true, false},
    Prikaz{5, 3, S1, S2, K::PresunSDvojcetem, true, true, false},
    Prikaz{5, 4, S1, S2, K::Odstraneni, true, true, false},
    Prikaz{5, 5, S2, S1, K::KopieSDvojcetem, false, true, true},
    Prikaz{5, 6, S2, S1, K::PresunSDvojcetem, true, true, true},
    Prikaz{6, 2, S2, S1, K::KopieSDvojcetem, false, true, false},
    Prikaz{6, 3, S2, S1, K::PresunSDvojcetem, true, true, false},
    Prikaz{6, 4, S2, S1, K::Odstraneni, true, true, false},
    Prikaz{6, 5, S1, S2, K::KopieSDvojcetem, false, true, true},
    Prikaz{6, 6, S1, S2, K::PresunSDvojcetem, true, true, true},
    // "MENŠÍ"; BB5 on ListView8 (Tag -84) copies directory 1's version over directory 2's
    Prikaz{7, 2, S1, S2, K::KopieSDvojcetem, false, true, false},
    Prikaz{7, 3, S1, S2, K::PresunSDvojcetem, true, true, false},
    Prikaz{7, 4, S1, S2, K::Odstraneni, true, true, false},
    Prikaz{7, 5, S2, S1, K::KopieSDvojcetem, false, true, true},
    Prikaz{7, 6, S2, S1, K::PresunSDvojcetem, true, true, true},
    Prikaz{8, 2, S2, S1, K::KopieSDvojcetem, false, true, false},
    Prikaz{8, 3, S2, S1, K::PresunSDvojcetem, true, true, false},
    Prikaz{8, 4, S2, S1, K::Odstraneni, true, true, false},
    Prikaz{8, 5, S1, S2, K::KopieSDvojcetem, false, true, true},
    Prikaz{8, 6, S1, S2, K::PresunSDvojcetem, true, true, true}),
    [](const auto& info) {
        return "ListView" + std::to_string(info.param.t) + "_BB" + std::to_string(info.param.tlacitko);
    });

// ---- The operation codes ----

struct KodNaSeznamu {
    int seznam, kod;
    KodOperace ocekavany;
    bool kopie, odstraneni, dvojce, opousti;
};

class KodyOperaci : public testing::TestWithParam<KodNaSeznamu> {};

TEST_P(KodyOperaci, UrcujiKrokyASeznamy)
{
    const KodNaSeznamu& k = GetParam();
    const Operace o = OperaceKodu(k.seznam, k.kod);
    EXPECT_EQ(o.kod, k.ocekavany);
    EXPECT_EQ(o.kopie, k.kopie);
    EXPECT_EQ(o.odstraneni, k.odstraneni);
    EXPECT_EQ(o.odeberDvojce, k.dvojce);
    EXPECT_EQ(o.opoustiSeznam, k.opousti);
}

INSTANTIATE_TEST_SUITE_P(Tabulka, KodyOperaci, testing::Values(
    KodNaSeznamu{3, 1, K::Kopie, true, false, false, true},
    KodNaSeznamu{3, 2, K::Odstraneni, false, true, false, true},
    KodNaSeznamu{5, 2, K::Odstraneni, false, true, true, true},    // a pair list: the twin goes
    KodNaSeznamu{8, 2, K::Odstraneni, false, true, true, true},
    KodNaSeznamu{4, 2, K::Odstraneni, false, true, false, true},
    KodNaSeznamu{3, 3, K::Presun, true, true, false, true},
    KodNaSeznamu{5, 4, K::KopieSDvojcetem, true, false, true, true},
    KodNaSeznamu{6, 5, K::PresunSDvojcetem, true, true, true, true},
    KodNaSeznamu{1, 6, K::KopieZustava, true, false, false, false},  // the items stay listed
    KodNaSeznamu{7, 6, K::KopieZustava, true, false, false, false},
    KodNaSeznamu{3, 0, K::Kopie, true, false, false, true},          // unknown codes copy
    KodNaSeznamu{3, 7, K::Kopie, true, false, false, true},
    KodNaSeznamu{6, 9, K::Kopie, true, false, false, true}),
    [](const auto& info) {
        return "Seznam" + std::to_string(info.param.seznam) + "_Kod" + std::to_string(info.param.kod);
    });

// ---- Tags that no button carries ----

struct CiziTag {
    const char* nazev;
    int tag;
    int seznam;
    KodOperace kod;
    Strana zdroj;
};

class NeobvykleTagy : public testing::TestWithParam<CiziTag> {};

TEST_P(NeobvykleTagy, PadnouNaSeznam1NeboNaKopii)
{
    const Operace o = DekodujPrikaz(GetParam().tag);
    EXPECT_EQ(o.seznam, GetParam().seznam);
    EXPECT_EQ(o.kod, GetParam().kod);
    EXPECT_EQ(o.zdroj, GetParam().zdroj);
}

INSTANTIATE_TEST_SUITE_P(Okraje, NeobvykleTagy, testing::Values(
    CiziTag{"nula", 0, 1, K::Kopie, S1},                 // the design value before a list is entered
    CiziTag{"jenKod", 5, 1, K::PresunSDvojcetem, S1},    // q = 0: list 1
    CiziTag{"zapornyJenKod", -3, 1, K::Presun, S1},      // q = 0 is not negative: own side
    CiziTag{"seznam9", 93, 1, K::Presun, S1},            // |q| beyond 8: list 1
    CiziTag{"seznam9Zaporny", -92, 1, K::Odstraneni, S2},
    CiziTag{"desitka", 10, 1, K::Kopie, S1},             // code 0 copies
    CiziTag{"velky", 1234, 1, K::KopieSDvojcetem, S1}),   // code from |q| = 123
    [](const auto& info) { return std::string(info.param.nazev); });

// ---- The context-menu commands ----

TEST(PrikazyMenu, ZkopirujAPresunDoZvolenehoAdresare)
{
    const Operace kopie = OperaceDoAdresare(6, 6);   // MKopiruj, Tag 6
    EXPECT_EQ(kopie.zdroj, S2);
    EXPECT_EQ(kopie.cil, Zv);
    EXPECT_EQ(kopie.kod, K::KopieZustava);
    EXPECT_FALSE(kopie.opoustiSeznam);
    EXPECT_FALSE(kopie.odeberDvojce);

    const Operace presun = OperaceDoAdresare(5, 3);   // MPresun, Tag 3: no twin removal
    EXPECT_EQ(presun.zdroj, S1);
    EXPECT_EQ(presun.cil, Zv);
    EXPECT_EQ(presun.kod, K::Presun);
    EXPECT_TRUE(presun.odstraneni);
    EXPECT_TRUE(presun.opoustiSeznam);
    EXPECT_FALSE(presun.odeberDvojce);
}

TEST(PrikazyMenu, TovarnyMenuJsouKodyDoAdresare)
{
    for (int seznam = 1; seznam <= 8; ++seznam) {
        EXPECT_EQ(KopieDoAdresare(seznam), OperaceDoAdresare(seznam, 6)) << seznam;
        EXPECT_EQ(PresunDoAdresare(seznam), OperaceDoAdresare(seznam, 3)) << seznam;
    }
}

TEST(PrikazyMenu, StarsiVerzeSeMazeNaDruheStrane)
{
    for (int seznam = 1; seznam <= 8; ++seznam) {
        const Operace o = OdstraneniStarsiVerze(seznam);
        const Strana druha = seznam % 2 ? S2 : S1;
        EXPECT_EQ(o.zdroj, druha) << seznam;
        EXPECT_EQ(o.cil, druha) << seznam;
        EXPECT_EQ(o.kod, K::Odstraneni);
        EXPECT_FALSE(o.kopie);
        EXPECT_EQ(o.odeberDvojce, seznam >= 5) << seznam;
        EXPECT_FALSE(o.nahrazeni);
    }
}

} // namespace
} // namespace zrc
