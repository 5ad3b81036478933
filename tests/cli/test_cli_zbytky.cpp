// Leftover temporary files of interrupted copies on the command line: named on
// standard error and in the JSON output, left alone without
// --remove-leftovers, moved to the trash with it, deleted with --permanently.

#include "spusteni_cli.h"
#include "support/soubory.h"
#include "support/temp_tree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace zrc::test {
namespace {

struct ZbytkyPripad {
    const char* nazev;
    QStringList volby;
    bool zustanou, vKosi;
    std::string konec;   // the last line on standard error
};

class CliZbytky : public testing::TestWithParam<ZbytkyPripad> {};

TEST_P(CliZbytky, HlaseniAOdstraneni)
{
    const auto& p = GetParam();
    const std::time_t t = localTime(2026, 12, 6, 9, 5, 3);
    TempTree a{{file("x.txt", 3, t), file("sub/.x.txt.k3j9qa.zrtmp", 3)}};
    TempTree b{{file("x.txt", 3, t), dir("sub"), file(".notes.abc123.zrtmp", 5)}}, data;
    const std::string zbytek1 = a.path("sub/.x.txt.k3j9qa.zrtmp"), zbytek2 = b.path(".notes.abc123.zrtmp");
    const VysledekCli v = spustCli(p.volby + QStringList{"--format", "json", a.qroot(), b.qroot()},
                                   {.prostredi = {"XDG_DATA_HOME=" + data.qroot()}});
    EXPECT_EQ(v.kod, 0) << v.err;
    const std::string& kratsi = std::min(zbytek1, zbytek2), &delsi = std::max(zbytek1, zbytek2);
    EXPECT_EQ(v.err, "Porovnání vynechalo 2 dočasné soubory přerušeného kopírování (8 B), v seznamech nejsou:\n  " +
                         kratsi + "\n  " + delsi + "\n" + p.konec + "\n");
    EXPECT_EQ(existuje(zbytek1), p.zustanou);
    EXPECT_EQ(existuje(zbytek2), p.zustanou);
    EXPECT_EQ(obsah(data.path("Trash/files/.notes.abc123.zrtmp")).size(), p.vKosi ? 5u : 0u);

    const QJsonObject z = QJsonDocument::fromJson(QByteArray::fromStdString(v.out)).object()["leftovers"].toObject();
    EXPECT_EQ(z["count"].toInt(), 2);
    EXPECT_EQ(z["bytes"].toInt(), 8);
    EXPECT_EQ(z["paths"].toArray()[0].toString().toStdString(), kratsi);
    EXPECT_EQ(z["removed"].toInt(), p.zustanou ? 0 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliZbytky,
    testing::Values(ZbytkyPripad{"JenHlaseni", {}, true, false,
                                 "Do koše je přesune volba --remove-leftovers, natrvalo smaže s --permanently."},
                    ZbytkyPripad{"DoKose", {"--remove-leftovers"}, false, true, "Přesunuto do koše: 2."},
                    ZbytkyPripad{"Natrvalo", {"--remove-leftovers", "--permanently"}, false, false,
                                 "Smazáno natrvalo: 2."}),
    [](const auto& i) { return std::string(i.param.nazev); });

TEST(CliZbytky, NatrvaloJenSOdstranenim)
{
    TempTree a, b;
    const VysledekCli v = spustCli({"--permanently", a.qroot(), b.qroot()});
    EXPECT_EQ(v.kod, 2);
    EXPECT_EQ(v.err, "--permanently: only together with --remove-leftovers\n");
}

} // namespace
} // namespace zrc::test
