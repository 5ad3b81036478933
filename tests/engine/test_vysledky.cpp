#include "engine/vysledky.h"

#include "test_cas_pasmo.h"
#include "util/bajty_cesty.h"

namespace zrc {
namespace {

struct PripadPolozky {
    const char* podadresar;   // own bytes
    const char* jmeno;
    const char16_t* nazev;
    const char16_t* typ;
    const char16_t* podadr;
    const char* relativni;
};

class TextPolozkyTest : public VPasmu, public testing::WithParamInterface<PripadPolozky> {};

TEST_P(TextPolozkyTest, TextyACesta)
{
    const PripadPolozky& p = GetParam();
    UlozisteVysledku u;
    u.nastavZaklad(QStringLiteral("/data/a"), QStringLiteral("/zaloha/b"));
    u.pridej(3, {.podadresar = p.podadresar, .jmeno = p.jmeno,
                 .cas = klasicky(2026, 12, 6, 9, 5, 3), .velikost = 5'000'000'000});
    const Polozka& polozka = u.seznam(3).at(0);
    EXPECT_EQ(textPolozky(u, polozka, Sloupec::Nazev), QString::fromUtf16(p.nazev));
    EXPECT_EQ(textPolozky(u, polozka, Sloupec::Typ), QString::fromUtf16(p.typ));
    EXPECT_EQ(textPolozky(u, polozka, Sloupec::Podadr), QString::fromUtf16(p.podadr));
    EXPECT_EQ(textPolozky(u, polozka, Sloupec::Datum), QStringLiteral("2026.12.06 09:05:02"));
    EXPECT_EQ(textPolozky(u, polozka, Sloupec::Velikost), QStringLiteral("5000000000"));
    EXPECT_EQ(CestaPolozky(u, polozka, true), p.relativni);
    EXPECT_EQ(CestaPolozky(u, polozka, false), p.jmeno);
    EXPECT_EQ(plnaCesta(u, 3, polozka), std::string("/data/a/") + p.relativni);
    EXPECT_EQ(cestaProtejsku(u, 3, polozka), std::string("/zaloha/b/") + p.relativni);
}

INSTANTIATE_TEST_SUITE_P(Pripady, TextPolozkyTest, testing::Values(
    PripadPolozky{"", "readme", u"readme", u"", u"", "readme"},
    PripadPolozky{"", ".profile", u"", u"profile", u"", ".profile"},
    PripadPolozky{"", "Zpráva.TXT", u"zpráva", u"txt", u"", "Zpráva.TXT"},
    PripadPolozky{"Docs/Img/", "ŘÍZENÍ.TXT", u"řízení", u"txt", u"docs/img/", "Docs/Img/ŘÍZENÍ.TXT"},
    PripadPolozky{"a/", "Archiv.Tar.GZ", u"archiv.tar", u"gz", u"a/", "a/Archiv.Tar.GZ"},
    PripadPolozky{"Ł/", "ŁÓDŹ.x", u"ŁódŹ", u"x", u"Ł/", "Ł/ŁÓDŹ.x"},
    PripadPolozky{"", "a.", u"a", u"", u"", "a."},
    PripadPolozky{"\xff/", "x\xfe.txt", u"x\xfffd", u"txt", u"\xfffd/", "\xff/x\xfe.txt"}));

struct PripadZakladu {
    const char* zaklad1;
    const char* zaklad2;
    int seznam;
    const char* vlastni;
    const char* protejsi;
};

class CestyTest : public testing::TestWithParam<PripadZakladu> {};

TEST_P(CestyTest, BezDvojitehoLomitka)
{
    const PripadZakladu& p = GetParam();
    UlozisteVysledku u;
    // As the window and the command line give them: bytes kept in the text.
    u.nastavZaklad(textZBajtu(p.zaklad1), textZBajtu(p.zaklad2));
    u.pridej(p.seznam, {.podadresar = "d/", .jmeno = "f.txt"});
    const Polozka& polozka = u.seznam(p.seznam).at(0);
    EXPECT_EQ(plnaCesta(u, p.seznam, polozka), p.vlastni);
    EXPECT_EQ(cestaProtejsku(u, p.seznam, polozka), p.protejsi);
}

INSTANTIATE_TEST_SUITE_P(Pripady, CestyTest, testing::Values(
    PripadZakladu{"/", "/mnt/b", 1, "/d/f.txt", "/mnt/b/d/f.txt"},
    PripadZakladu{"/", "/mnt/b", 2, "/mnt/b/d/f.txt", "/d/f.txt"},
    PripadZakladu{"/a/", "/b", 7, "/a/d/f.txt", "/b/d/f.txt"},
    PripadZakladu{"/Účty", "/b", 8, "/b/d/f.txt", "/Účty/d/f.txt"},
    PripadZakladu{"/zdroj\xe9", "/c\xedl", 1, "/zdroj\xe9/d/f.txt", "/c\xedl/d/f.txt"}));

TEST(ProtejsiSeznam, Dvojice)
{
    EXPECT_EQ(ProtejsiSeznam(5), 8);
    EXPECT_EQ(ProtejsiSeznam(6), 7);
    EXPECT_EQ(ProtejsiSeznam(7), 6);
    EXPECT_EQ(ProtejsiSeznam(8), 5);
    EXPECT_EQ(ProtejsiSeznam(1), 5);
    EXPECT_EQ(ProtejsiSeznam(0), 5);
}

class OdeberProtejsekTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [podadresar, jmeno] : {std::pair{"", "a.txt"}, {"x/", "a.txt"},
                                                {"x/", "A.txt"}, {"x/", "a.txt"}, {"x/", "a"}})
            u.pridej(8, {.podadresar = podadresar, .jmeno = jmeno});
    }
    std::vector<std::string> jmena() const
    {
        std::vector<std::string> v;
        for (const Polozka& p : u.seznam(8))
            v.push_back(CestaPolozky(u, p, true));
        return v;
    }
    UlozisteVysledku u;
};

TEST_F(OdeberProtejsekTest, OdeberePrvniShodu)
{
    EXPECT_EQ(OdeberProtejsek(u, 8, "a", "txt", "x/"), 1);
    EXPECT_EQ(jmena(), (std::vector<std::string>{"a.txt", "x/A.txt", "x/a.txt", "x/a"}));
    EXPECT_EQ(OdeberProtejsek(u, 8, "a", "", "x/"), 3);
    EXPECT_EQ(OdeberProtejsek(u, 8, "A", "txt", "x/"), 1);
    EXPECT_EQ(jmena(), (std::vector<std::string>{"a.txt", "x/a.txt"}));
}

TEST_F(OdeberProtejsekTest, BezShodyNicNemeni)
{
    EXPECT_EQ(OdeberProtejsek(u, 8, "a", "TXT", "x/"), -1);
    EXPECT_EQ(OdeberProtejsek(u, 8, "a", "txt", "y/"), -1);
    EXPECT_EQ(OdeberProtejsek(u, 5, "a", "txt", ""), -1);
    EXPECT_EQ(u.seznam(8).size(), 5u);
}

TEST_F(OdeberProtejsekTest, PodlePolozky)
{
    u.pridej(5, {.podadresar = "x/", .jmeno = "A.txt"});
    EXPECT_EQ(OdeberProtejsek(u, 8, u.seznam(5).at(0)), 2);
    EXPECT_EQ(jmena(), (std::vector<std::string>{"a.txt", "x/a.txt", "x/a.txt", "x/a"}));
}

TEST(UlozisteVysledku, AdresareJednou)
{
    UlozisteVysledku u;
    const std::uint32_t a = u.adresar("a/");
    const std::uint32_t b = u.adresar("a/b/");
    EXPECT_NE(a, b);
    EXPECT_EQ(u.adresar("a/"), a);
    EXPECT_EQ(u.adresar("a/b/"), b);
    for (int i = 0; i < 1000; ++i)   // enough to move a growing container's strings
        u.adresar(std::to_string(i) + "/");
    EXPECT_EQ(u.adresar("a/"), a);
    EXPECT_EQ(u.podadresar(b), "a/b/");
    u.vycisti();
    EXPECT_EQ(u.adresar("a/b/"), 0u);
    for (int s = 1; s <= UlozisteVysledku::pocetSeznamu; ++s)
        EXPECT_TRUE(u.seznam(s).empty());
}

} // namespace
} // namespace zrc
