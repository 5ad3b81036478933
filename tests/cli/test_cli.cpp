// zrcadlovac-cli as a user runs it: real trees, real process, exact output.

#include "spusteni_cli.h"
#include "support/temp_tree.h"

#include <QJsonDocument>
#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace zrc {
namespace {

using test::dir;
using test::file;
using test::localTime;
using test::seznamyACesty;
using test::TempTree;
using Vysledek = test::VysledekCli;

class CliTest : public testing::Test {
protected:
    void SetUp() override { test::nastavPasmoCli(); }

    Vysledek spust(const QStringList& argumenty) const { return test::spustCli(argumenty); }

    void naplnStromy()
    {
        const std::time_t t = localTime(2026, 12, 6, 9, 5, 3);
        a.add({file("Docs/Img/Obrázek.PNG", 2048, t), file("readme", 10, t),
               file("velky.txt", 100, localTime(2026, 12, 6)), file(".profile", 3, t),
               file("stary.bak", 1, localTime(2001, 1, 1))});
        b.add({dir("Docs/Img"), file("readme", 10, t - 60), file("velky.txt", 50, localTime(2026, 12, 6)),
               file("jen2", 0, t)});
    }

    TempTree a, b;
};

TEST_F(CliTest, TsvPresneARadkyPoSeznamech)
{
    naplnStromy();
    const Vysledek v = spust({"--format", "tsv", a.qroot(), b.qroot()});
    EXPECT_EQ(v.kod, 1);
    // 09:05:03 shows as 09:05:02: times have 2-second steps.
    EXPECT_EQ(v.out,
              "1\t\tprofile\t2026.12.06 09:05:02\t3\t\n"
              "1\tstary\tbak\t2001.01.01\t1\t\n"
              "1\tobrázek\tpng\t2026.12.06 09:05:02\t2048\tdocs/img/\n"
              "2\tjen2\t\t2026.12.06 09:05:02\t0\t\n"
              "3\treadme\t\t2026.12.06 09:05:02\t10\t\n"
              "5\tvelky\ttxt\t2026.12.06\t100\t\n"
              "8\tvelky\ttxt\t2026.12.06\t50\t\n");
    EXPECT_EQ(v.err, "");
}

// Names are written lowered as the lists show them; tabs, line breaks and
// backslashes escaped; bytes that are not UTF-8 as replacement characters.
TEST_F(CliTest, TsvJmenaMalymiPismenyAEscapovana)
{
    const std::time_t t = localTime(2026, 12, 6, 9, 5, 2);
    a.add({file("Tab\tJmeno.TXT", 1, t), file("Back\\Slash", 2, t), file("ŽLUŤ KŮŇ.Txt", 3, t),
           file("Raw\xff.txt", 4, t), file("Dir A\\X/ÚL/Soubor", 5, t), file("Cena €.TXT", 6, t),
           file("Smajlík 😀", 7, t), file("Přes\xc3(.txt", 8, t)});
    b.add({dir("Dir A\\X/ÚL")});
    const Vysledek v = spust({"--format", "tsv", "--same-subdirs1", "no", a.qroot(), b.qroot()});
    EXPECT_EQ(v.out,
              "1\tback\\\\slash\t\t2026.12.06 09:05:02\t2\t\n"
              "1\tcena €\ttxt\t2026.12.06 09:05:02\t6\t\n"
              "1\tpřes\uFFFD(\ttxt\t2026.12.06 09:05:02\t8\t\n"
              "1\traw\uFFFD\ttxt\t2026.12.06 09:05:02\t4\t\n"
              "1\tsmajlík 😀\t\t2026.12.06 09:05:02\t7\t\n"
              "1\ttab\\tjmeno\ttxt\t2026.12.06 09:05:02\t1\t\n"
              "1\tžluť kůň\ttxt\t2026.12.06 09:05:02\t3\t\n"
              "1\tsoubor\t\t2026.12.06 09:05:02\t5\tdir a\\\\x/úl/\n");
}

struct PripadVoleb {
    const char* nazev;
    QStringList volby;
    std::string ocekavane;
};

class CliVolby : public CliTest, public testing::WithParamInterface<PripadVoleb> {};

TEST_P(CliVolby, VolbyMapujiNaNastaveni)
{
    naplnStromy();
    QStringList argumenty = GetParam().volby;
    argumenty << "--format" << "tsv" << a.qroot() << b.qroot();
    const Vysledek v = spust(argumenty);
    EXPECT_EQ(seznamyACesty(v.out), GetParam().ocekavane) << v.err;
}

INSTANTIATE_TEST_SUITE_P(Pripady, CliVolby, testing::Values(
    PripadVoleb{"Rozsah1", {"--scope", "1"}, "1 .profile\n1 stary.bak\n1 docs/img/obrázek.png\n3 readme\n5 velky.txt\n"},
    PripadVoleb{"Rozsah2", {"--scope", "2"}, "2 jen2\n8 velky.txt\n"},
    PripadVoleb{"Vynechane", {"--exclude", "BAK,png"}, "1 .profile\n2 jen2\n3 readme\n5 velky.txt\n8 velky.txt\n"},
    PripadVoleb{"SouboryPoDatu", {"--files-since", "2026-12-06T09:00"}, "1 .profile\n1 docs/img/obrázek.png\n2 jen2\n3 readme\n5 velky.txt\n8 velky.txt\n"},
    PripadVoleb{"CasovyFiltrIVelikosti", {"--files-since", "2026-12-06T09:00", "--time-filter-sizes"}, "1 .profile\n1 docs/img/obrázek.png\n2 jen2\n3 readme\n"},
    PripadVoleb{"HloubkaJedna", {"--same-subdirs1", "no", "--depth-match", "1"}, "1 .profile\n1 stary.bak\n1 docs/img/obrázek.png\n2 jen2\n3 readme\n5 velky.txt\n8 velky.txt\n"},
    PripadVoleb{"JednoVlakno", {"--threads", "1", "--scope", "2"}, "2 jen2\n8 velky.txt\n"}),
    [](const testing::TestParamInfo<PripadVoleb>& i) { return std::string(i.param.nazev); });

// The program runs without an application object, whose arguments the
// parser's help text otherwise takes the program's name from.
TEST_F(CliTest, NapovedaJmenujeProgram)
{
    const Vysledek v = spust({QStringLiteral("--help")});
    EXPECT_EQ(v.kod, 0);
    EXPECT_NE(v.out.find("zrcadlovac-cli [options] DIR1 DIR2"), std::string::npos) << v.out;
    EXPECT_EQ(v.out.find("<executable_name>"), std::string::npos) << v.out;
}

TEST_F(CliTest, BezRozdiluKodNula)
{
    a.add({file("x", 1, localTime(2020, 1, 1))});
    b.add({file("x", 1, localTime(2020, 1, 1))});
    const Vysledek v = spust({a.qroot(), b.qroot()});
    EXPECT_EQ(v.kod, 0);
    EXPECT_EQ(v.out, "Nové, nebo změněné soubory vyhovující zadanému filtru nejsou nalezeny.\n");
    EXPECT_EQ(spust({"--format", "tsv", a.qroot(), b.qroot()}).out, "");
}

TEST_F(CliTest, ChybyKodDvaSeZpravouSystemu)
{
    Vysledek v = spust({a.qroot() + "/nic", b.qroot()});
    EXPECT_EQ(v.kod, 2);
    EXPECT_EQ(v.err, "Adresář číslo 1 neexistuje!! Nutno znovu zadat\n");
    EXPECT_EQ(v.out, "");
    v = spust({a.qroot(), a.qroot()});
    EXPECT_EQ(v.kod, 2);
    EXPECT_EQ(v.err, "Nelze porovnat stejné adresáře!!\n");
    EXPECT_EQ(spust({"--scope", "3", a.qroot(), b.qroot()}).kod, 2);
    EXPECT_EQ(spust({"--files-since", "včera", a.qroot(), b.qroot()}).kod, 2);
    EXPECT_EQ(spust({a.qroot()}).kod, 2);
}

TEST_F(CliTest, JsonJePlatny)
{
    naplnStromy();
    const Vysledek v = spust({"--format", "json", a.qroot(), b.qroot()});
    QJsonParseError chyba;
    const QJsonDocument d = QJsonDocument::fromJson(QByteArray::fromStdString(v.out), &chyba);
    ASSERT_EQ(chyba.error, QJsonParseError::NoError) << v.out;
    const QJsonObject prvni = d.object()["lists"].toArray()[0].toObject();
    EXPECT_EQ(prvni["page"].toString(), QStringLiteral("NOVÉ"));
    EXPECT_EQ(prvni["items"].toArray()[2].toObject()["path"].toString(), QStringLiteral("Docs/Img/Obrázek.PNG"));
    EXPECT_EQ(prvni["items"].toArray()[2].toObject()["size"].toInt(), 2048);
}

} // namespace
} // namespace zrc
