// What the walk left out, as the command line reports it: subdirectories
// without a counterpart and mount points, counted per side in the JSON
// summary and on standard error in the text formats.

#include "spusteni_cli.h"
#include "support/temp_tree.h"
#include "support/tmpfs.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace zrc {
namespace {

using test::dir;
using test::file;
using test::seznamyACesty;
using test::TempTree;

// The summary of a JSON run, "unmatched [a,b] other [c,d] unreadable n".
std::string souhrn(const std::string& json)
{
    const QJsonObject s = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object()["summary"].toObject();
    const auto dvojice = [&](const char* klic) {
        const QJsonArray a = s[QLatin1String(klic)].toArray();
        return "[" + std::to_string(a[0].toInt()) + "," + std::to_string(a[1].toInt()) + "]";
    };
    return "unmatched " + dvojice("unmatched_subdirs") + " other " + dvojice("other_volume_subdirs")
         + " unreadable " + std::to_string(s["unreadable"].toInt());
}

struct PripadNezahrnutych {
    const char* nazev;
    QStringList volby;
    std::string souhrn;
    std::string chyby;   // standard error of the tsv run
};

class CliNezahrnute : public testing::TestWithParam<PripadNezahrnutych> {
protected:
    void SetUp() override { test::nastavPasmoCli(); }
    TempTree a, b;
};

// Only the top-most unmatched directory counts ("p", not "p/hloubeji"), and
// "x/y" below the matched "x" counts as well.
TEST_P(CliNezahrnute, PoctyPoStranach)
{
    a.add({file("x/y/f"), file("p/hloubeji/f"), dir("q"), file("spolecny")});
    b.add({dir("x"), dir("r"), file("spolecny")});
    QStringList argumenty = GetParam().volby;
    argumenty << a.qroot() << b.qroot();
    const test::VysledekCli json = test::spustCli(QStringList{"--format", "json"} + argumenty);
    EXPECT_EQ(souhrn(json.out), GetParam().souhrn);
    EXPECT_EQ(json.err, "");
    const test::VysledekCli tsv = test::spustCli(QStringList{"--format", "tsv"} + argumenty);
    EXPECT_EQ(tsv.err, GetParam().chyby);
    EXPECT_NE(tsv.kod, 2) << "a directory left out is no error";
}

INSTANTIATE_TEST_SUITE_P(Pripady, CliNezahrnute, testing::Values(
    PripadNezahrnutych{"Vychozi", {}, "unmatched [3,1] other [0,0] unreadable 0",
                       "bez protějšku nezahrnuto: 3 podadresáře v adresáři 1, 1 podadresář v adresáři 2\n"},
    PripadNezahrnutych{"JenStrana2Odskrtnuta", {"--same-subdirs2", "no"}, "unmatched [3,0] other [0,0] unreadable 0",
                       "bez protějšku nezahrnuto: 3 podadresáře v adresáři 1\n"},
    PripadNezahrnutych{"JenPruchod2", {"--scope", "2"}, "unmatched [0,1] other [0,0] unreadable 0",
                       "bez protějšku nezahrnuto: 1 podadresář v adresáři 2\n"},
    PripadNezahrnutych{"ObeOdskrtnuty", {"--same-subdirs1", "no", "--same-subdirs2", "no"},
                       "unmatched [0,0] other [0,0] unreadable 0", ""}),
    [](const testing::TestParamInfo<PripadNezahrnutych>& i) { return std::string(i.param.nazev); });

// A tmpfs mounted inside tree 1: walked as before without the option, left
// out and counted with it; the files beside it are compared either way.
TEST(CliJinySvazek, PripojenyAdresarSeSOptionVynecha)
{
    test::nastavPasmoCli();
    TempTree a{file("x/vedle", 1), dir("x/pripojeno")};
    TempTree b{dir("x/pripojeno")};
    test::Tmpfs m(a.path("x/pripojeno"));
    if (!m.pripojeno())
        GTEST_SKIP() << m.proc();
    a.add({file("x/pripojeno/uvnitr", 2)});

    const test::VysledekCli bez = test::spustCli({"--format", "tsv", a.qroot(), b.qroot()});
    EXPECT_EQ(seznamyACesty(bez.out), "1 x/vedle\n1 x/pripojeno/uvnitr\n");
    EXPECT_EQ(bez.err, "");

    const test::VysledekCli s = test::spustCli({"--one-file-system", "--format", "tsv", a.qroot(), b.qroot()});
    EXPECT_EQ(seznamyACesty(s.out), "1 x/vedle\n");
    EXPECT_EQ(s.err, "jiný svazek nezahrnut: 1 podadresář v adresáři 1\n");
    EXPECT_EQ(s.kod, 1);
    const test::VysledekCli json = test::spustCli({"--one-file-system", "--format", "json", a.qroot(), b.qroot()});
    EXPECT_EQ(souhrn(json.out), "unmatched [0,0] other [1,0] unreadable 0");

    // The window's "nepřecházet na jiné svazky" through its settings file.
    TempTree nastaveni;
    const QString cesta = nastaveni.qroot() + QStringLiteral("/z.ini");
    QFile f(cesta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Nastaveni]\njedensvazek=1\n");
    f.close();
    const test::VysledekCli ini = test::spustCli({"--ini", cesta, "--format", "tsv", a.qroot(), b.qroot()});
    EXPECT_EQ(seznamyACesty(ini.out), "1 x/vedle\n");
}

} // namespace
} // namespace zrc
