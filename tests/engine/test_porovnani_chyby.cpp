// Trees that a run must survive: unreadable and looping directories, special
// files, odd names, very many directories, times outside the packed range.

#include "test_porovnani_pomoc.h"

#include <unistd.h>

namespace zrc {
namespace {

// Root reads every directory whatever its mode; the run then goes without
// privileges (effective user "nobody") so that mode 000 means what it says.
class BezPrav {
public:
    BezPrav() { zmeneno_ = ::geteuid() == 0 && ::seteuid(65534) == 0; }
    ~BezPrav()
    {
        if (zmeneno_ && ::seteuid(0) != 0)
            std::abort();
    }
private:
    bool zmeneno_ = false;
};

TEST_F(PorovnaniTest, NecitelnyAdresarJePrazdnyABehPokracuje)
{
    strom1.add({file("a"), file("zavreny/x"), dir("zavreny").withMode(0), file("z/y")});
    strom2.add({dir("zavreny"), dir("z")});
    VysledekBehu v;
    {
        BezPrav bezPrav;
        v = spust(nastaveni());
    }
    EXPECT_EQ(v.konec, KonecBehu::Dokonceno);
    EXPECT_EQ(prijemce.radky(), (Radky{"1 a", "1 z/y"}));
    EXPECT_EQ(v.nepristupnychAdresaru, 1u);
}

TEST_F(PorovnaniTest, FifoSeNikdyNeotevreANepocita)
{
    strom1.add({fifo("p"), file("q", 1), fifo("r")});
    strom2.add({fifo("p"), fifo("q"), file("r", 1)});
    EXPECT_EQ(radky(nastaveni()), (Radky{"1 q", "2 r"}));
}

TEST_F(PorovnaniTest, OdkazyNaSouboryPlatiOstatniNe)
{
    strom1.add({file("cil", 7), symlink("odkaz", "cil"), symlink("visici", "nikam"),
                symlink("smycka", "smycka"), file("a/x"), symlink("a/nahoru", ".."),
                symlink("adresar", "a")});
    strom2.add({dir("a")});
    radky(nastaveni());
    EXPECT_EQ(prijemce.radky(), (Radky{"1 cil", "1 odkaz", "1 a/x"}));
    EXPECT_EQ(prijemce.polozky[1].velikost, 7);
}

TEST_F(PorovnaniTest, OdkazNaAdresarNeniAdresar)
{
    strom1.add({file("skutecny/x"), symlink("odkaz", "skutecny")});
    strom2.add({file("odkaz/y"), dir("skutecny")});
    NastaveniPorovnani n = nastaveni();
    EXPECT_EQ(radky(n), (Radky{"1 skutecny/x"}));
    n.ChB_adresar2 = false;
    EXPECT_EQ(radky(n), (Radky{"1 skutecny/x", "2 odkaz/y"}));
}

TEST_F(PorovnaniTest, JmenaMimoUtf8)
{
    strom1.add({file("\xff\xfe.txt", 2), file("d\xe9/\x80", 1)});
    strom2.add({dir("d\xe9")});
    EXPECT_EQ(radky(nastaveni()), (Radky{"1 \xff\xfe.txt", "1 d\xe9/\x80"}));
}

TEST_F(PorovnaniTest, VicNezDesetTisicAdresaru)
{
    std::vector<test::Entry> e;
    for (int i = 0; i < 10050; ++i)
        e.push_back(dir("d" + std::to_string(i)));
    e.push_back(file("d10049/posledni"));
    strom1.add(e);
    NastaveniPorovnani n = nastaveni();
    n.ChB_adresar1 = false;
    EXPECT_EQ(radky(n), (Radky{"1 d10049/posledni"}));
}

TEST_F(PorovnaniTest, CasyPred1980APo2044)
{
    strom1.add({file("pred1980", 1, localTime(1975, 6, 1)), file("stary", 1, localTime(1975, 6, 1)),
                file("budouci", 1, localTime(2050, 1, 1)), file("hranice", 1, localTime(2044, 1, 1))});
    strom2.add({file("stary", 1, localTime(1970, 6, 1)), file("budouci", 1, localTime(2045, 1, 1)),
                file("hranice", 1, localTime(2043, 12, 31, 23, 59, 58))});
    EXPECT_EQ(radky(nastaveni()), (Radky{"3 budouci", "3 hranice", "1 pred1980", "3 stary"}));
}

} // namespace
} // namespace zrc
