// zrcadlovac-cli --journal N: what a script sees of the window's operations.

#include "spusteni_cli.h"
#include "operace/slozka_deniku.h"
#include "support/temp_tree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>
#include <gtest/gtest.h>

namespace zrc {
namespace {

class CliDenik : public testing::Test {
protected:
    CliDenik()
    {
        ZapisDeniku w;
        const HlavickaDeniku h{.druh = DruhDeniku::Odstraneni, .zdroj = t.path("a"), .cil = t.path("b"), .cas = 0};
        EXPECT_EQ(zalozDenik(platform::realSyscalls(), adresar(), h, w), 0);
        w.zapis({.druh = DruhZaznamu::Kopie, .cil = t.path("b/x\ty %.txt"), .identita = {.velikost = 12}});
        w.zapis({.druh = DruhZaznamu::DoKose, .cesta = t.path("a/smazany.txt"), .kos = t.path("data/Trash"),
                 .vKosi = "smazany.txt", .identita = {.velikost = 5}});
        w.zapis({.druh = DruhZaznamu::Chyba, .cesta = t.path("a/z.txt"), .duvod = "přístup odepřen"});
        w.synchronizuj();
        cesta = w.cesta();
    }
    std::string adresar() const { return t.path("stav/zrcadlovac"); }
    test::VysledekCli spust(const QStringList& argumenty) const
    {
        return test::spustCli(argumenty, {.prostredi = {"XDG_STATE_HOME=" + QString::fromStdString(t.path("stav")),
                                                        "XDG_DATA_HOME=" + QString::fromStdString(t.path("data"))}});
    }

    test::TempTree t{test::dir("a"), test::dir("b"), test::dir("stav"), test::dir("data")};
    std::string cesta;
};

TEST_F(CliDenik, TsvVraciPresneBajtyJmen)
{
    const auto b = spust({"--journal", "1", "--format", "tsv"});
    EXPECT_EQ(b.kod, 0) << b.err;
    EXPECT_EQ(b.out, "kopie\t\t" + t.path("b/x%09y%20%25.txt") + "\t\t12\t\n" +
                         "kos\t" + t.path("a/smazany.txt") + "\t\t" + t.path("data/Trash/files/smazany.txt") + "\t5\t\n" +
                         "chyba\t" + t.path("a/z.txt") + "\t\t\t0\tpřístup%20odepřen\n")
        << b.out;
}

TEST_F(CliDenik, JsonSHlavickou)
{
    const auto b = spust({"--journal", "1", "--format", "json"});
    ASSERT_EQ(b.kod, 0) << b.err;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(b.out)).object();
    EXPECT_EQ(o["operation"].toString(), "odstraneni");
    EXPECT_EQ(o["directory1"].toString().toStdString(), t.path("a"));
    const QJsonArray polozky = o["items"].toArray();
    ASSERT_EQ(polozky.size(), 3);
    EXPECT_EQ(polozky[1].toObject()["trash"].toString().toStdString(), t.path("data/Trash/files/smazany.txt"));
    EXPECT_EQ(polozky[2].toObject()["reason"].toString(), QStringLiteral("přístup odepřen"));
}

// A journal that is not there, or damaged: one Czech line and status 2.
TEST_F(CliDenik, ChybejiciAPoskozenySeHlasi)
{
    auto b = spust({"--journal", "2"});
    EXPECT_EQ(b.kod, 2);
    EXPECT_NE(b.err.find("Deník operace 2"), std::string::npos) << b.err;
    std::ofstream(cesta, std::ios::binary | std::ios::trunc) << "jiny soubor\n";
    b = spust({"--journal", "1"});
    EXPECT_EQ(b.kod, 2);
    EXPECT_NE(b.err.find("není deník Zrcadlovače"), std::string::npos) << b.err;
    b = spust({"--journal", "21"});
    EXPECT_EQ(b.kod, 2);
    EXPECT_NE(b.err.find("1 to 20"), std::string::npos) << b.err;
}

} // namespace
} // namespace zrc
