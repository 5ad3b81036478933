#include "settings/cesta_ini.h"

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

} // namespace
} // namespace zrc
