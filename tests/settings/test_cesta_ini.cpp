#include "settings/cesta_ini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace zrc {
namespace {

TEST(CestaIni, promennaProstrediVyhraje)
{
    ProstrediIni p{.promenna = QStringLiteral("/x/moje.ini"), .adresarProgramu = QStringLiteral("/tmp"),
                   .xdgConfigHome = {}, .domov = QStringLiteral("/home/u")};
    EXPECT_EQ(urciCestuIni(p), QStringLiteral("/x/moje.ini"));
}

TEST(CestaIni, zapisovatelnyAdresarProgramu)
{
    QTemporaryDir dir;
    ProstrediIni p{.promenna = {}, .adresarProgramu = dir.path(), .xdgConfigHome = {}, .domov = QStringLiteral("/home/u")};
    EXPECT_EQ(urciCestuIni(p), dir.path() + QStringLiteral("/zrcadlovac.ini"));
    p.adresarProgramu = QStringLiteral("/");
    if (::access("/", W_OK) == 0) {
        EXPECT_EQ(urciCestuIni(p), QStringLiteral("/zrcadlovac.ini"));   // never "//"
    }
}

TEST(CestaIni, jinakKonfiguracniAdresar)
{
    ProstrediIni p{.promenna = {}, .adresarProgramu = QStringLiteral("/neexistuje/bin"),
                   .xdgConfigHome = QStringLiteral("/cfg"), .domov = QStringLiteral("/home/u")};
    EXPECT_EQ(urciCestuIni(p), QStringLiteral("/cfg/zrcadlovac/zrcadlovac.ini"));
    p.xdgConfigHome = QStringLiteral("relativni");
    EXPECT_EQ(urciCestuIni(p), QStringLiteral("/home/u/.config/zrcadlovac/zrcadlovac.ini"));
    p.xdgConfigHome.clear();
    EXPECT_EQ(urciCestuIni(p), QStringLiteral("/home/u/.config/zrcadlovac/zrcadlovac.ini"));
}

// An installed copy keeps its settings in the configuration directory even
// where its bin directory is writable (root, or an installation into
// ~/.local); a copy beside the same marker-free directory keeps them there.
TEST(CestaIni, instalovanaKopieNepiseDoBin)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    const QString bin = prefix.path() + QStringLiteral("/bin");
    const QString znacka = QStringLiteral("../share/applications/cz.kvetodilna.zrcadlovac.desktop");
    EXPECT_FALSE(JeInstalovany(bin, znacka));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/applications")));
    QFile soubor(prefix.path() + QStringLiteral("/share/applications/cz.kvetodilna.zrcadlovac.desktop"));
    ASSERT_TRUE(soubor.open(QIODevice::WriteOnly));
    soubor.close();
    EXPECT_TRUE(JeInstalovany(bin, znacka));
    EXPECT_FALSE(JeInstalovany(QString(), znacka));

    ProstrediIni p{.promenna = {}, .adresarProgramu = bin, .xdgConfigHome = QStringLiteral("/cfg"),
                   .domov = QStringLiteral("/home/u"), .instalovany = true};
    EXPECT_EQ(urciCestuIni(p), QStringLiteral("/cfg/zrcadlovac/zrcadlovac.ini"));
    p.promenna = QStringLiteral("/x/moje.ini");
    EXPECT_EQ(urciCestuIni(p), QStringLiteral("/x/moje.ini"));
    p.promenna.clear();
    p.instalovany = false;
    EXPECT_EQ(urciCestuIni(p), bin + QStringLiteral("/zrcadlovac.ini"));
}

} // namespace
} // namespace zrc
