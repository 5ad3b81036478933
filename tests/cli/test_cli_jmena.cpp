// Directory arguments whose names are not UTF-8: the command line takes them
// as bytes (a shell passes them so), compares them and shows them with
// replacement characters, never with the bytes of another name.

#include "spusteni_cli.h"
#include "support/temp_tree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace zrc {
namespace {

using test::dir;
using test::file;
using test::TempTree;

// The two directories, relative to the tree, given through a shell: QProcess
// would encode the arguments itself. "zdroj\351" is Latin-1 "zdrojé".
test::VysledekCli spustVLatin1(const TempTree& t, const QString& format)
{
    const QString skript = QStringLiteral(
        "cd \"$1\" && exec \"$0\" --format \"$2\" \"$(printf 'zdroj\\351')\" \"$(printf 'c\\355l')\"");
    return test::spustCli({QStringLiteral("-c"), skript, QStringLiteral(ZRC_CLI_PATH), t.qroot(), format},
                          {.program = QStringLiteral("/bin/sh")});
}

TEST(CliJmena, AdresareMimoUtf8)
{
    test::nastavPasmoCli();
    const TempTree t{dir("c\xedl"), file("zdroj\xe9/\xfa\xe8" "et.txt", 3)};

    const test::VysledekCli json = spustVLatin1(t, QStringLiteral("json"));
    EXPECT_EQ(json.kod, 1) << json.err;
    QJsonParseError chyba;
    const QJsonObject d = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &chyba).object();
    ASSERT_EQ(chyba.error, QJsonParseError::NoError) << json.out;
    EXPECT_EQ(d["directory1"].toString(), QStringLiteral("zdroj\uFFFD"));
    EXPECT_EQ(d["directory2"].toString(), QStringLiteral("c\uFFFDl"));
    const QJsonObject polozka = d["lists"].toArray()[0].toObject()["items"].toArray()[0].toObject();
    EXPECT_EQ(polozka["path"].toString(), QStringLiteral("\uFFFD\uFFFDet.txt"));

    const test::VysledekCli text = spustVLatin1(t, QStringLiteral("text"));
    EXPECT_NE(text.out.find("NOVÉ - ADRESÁŘ 1: zdroj\uFFFD (1)\n"), std::string::npos) << text.out;
}

} // namespace
} // namespace zrc
