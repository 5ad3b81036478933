// Start-menu set-up: the entries are written into a private XDG data home and
// checked by desktop-file-validate, the tool desktops use themselves.

#include "app/core/nabidka_start.h"
#include "prostredi_testu.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QXmlStreamReader>

namespace zrc::test {
namespace {

struct VzhuruPripad {
    const char* cesta;
    const char* ocekavano;
};

class DruhyAdresarVzhuruTest : public ::testing::TestWithParam<VzhuruPripad> {};

TEST_P(DruhyAdresarVzhuruTest, CutsBeforeTheSecondLastSeparator)
{
    EXPECT_EQ(DruhyAdresarVzhuru(QString::fromUtf8(GetParam().cesta)),
              QString::fromUtf8(GetParam().ocekavano));
}

INSTANTIATE_TEST_SUITE_P(Cesty, DruhyAdresarVzhuruTest,
                         ::testing::Values(VzhuruPripad{"/opt/zrcadlovac/zrcadlovac", "/opt"},
                                           VzhuruPripad{"/home/jana/Programy/z/zrcadlovac", "/home/jana/Programy"},
                                           VzhuruPripad{"/bin/zrcadlovac", ""},
                                           VzhuruPripad{"/zrcadlovac", ""},
                                           VzhuruPripad{"zrcadlovac", ""}));

class NabidkaStartTest : public ProstrediShellu {
protected:
    // A program file (executable) in a directory of the given name.
    QString makeProgram(const QString& dir, bool withDescription)
    {
        const QString program = QDir(makeDir(dir)).filePath(QStringLiteral("zrcadlovac"));
        QFile file(program);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        if (withDescription) {
            QFile popis(QDir(dir.startsWith(u'/') ? dir : path(dir)).filePath(QStringLiteral("popis.txt")));
            EXPECT_TRUE(popis.open(QIODevice::WriteOnly));
        }
        return program;
    }
    QString dataFile(const QString& relative) const { return path(QStringLiteral("data/") + relative); }

    static QString validate(const QString& file)
    {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(QStringLiteral("desktop-file-validate"), {file});
        if (!tool.waitForFinished(30000))
            return QStringLiteral("desktop-file-validate did not run");
        const QString output = QString::fromUtf8(tool.readAll());
        return tool.exitCode() == 0 && !output.contains(QStringLiteral("error:"))
                   ? QString()
                   : output;
    }

    static QString entryValue(const QString& file, const QString& key)
    {
        for (const QString& line : QString::fromUtf8(readAll(file)).split(u'\n')) {
            if (line.startsWith(key + u'='))
                return line.mid(key.size() + 1);
        }
        return {};
    }
    static QByteArray readAll(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

const QString kProgramEntry = QStringLiteral("applications/zrcadlovac-zrcadlovac.desktop");
const QString kPopisEntry = QStringLiteral("applications/zrcadlovac-popis.desktop");
const QString kDirectoryEntry = QStringLiteral("desktop-directories/zrcadlovac.directory");

TEST_F(NabidkaStartTest, WritesValidEntriesForProgramAndDescription)
{
    const QString program = makeProgram(QStringLiteral("opt/zrcadlovac"), true);
    NastavNabidkuStart(program);

    for (const QString& entry : {kProgramEntry, kPopisEntry, kDirectoryEntry}) {
        ASSERT_TRUE(QFile::exists(dataFile(entry))) << entry.toStdString();
        EXPECT_EQ(validate(dataFile(entry)), QString()) << entry.toStdString();
    }
    EXPECT_EQ(entryValue(dataFile(kDirectoryEntry), QStringLiteral("Name")), QStringLiteral("Zrcadlovač"));
    EXPECT_EQ(entryValue(dataFile(kProgramEntry), QStringLiteral("Name")), QStringLiteral("Zrcadlovač"));
    EXPECT_EQ(entryValue(dataFile(kProgramEntry), QStringLiteral("Exec")), u'"' + program + u'"');
    EXPECT_EQ(entryValue(dataFile(kProgramEntry), QStringLiteral("Path")), path(QStringLiteral("opt")));
    EXPECT_EQ(entryValue(dataFile(kPopisEntry), QStringLiteral("Name")), QStringLiteral("Popis"));
    EXPECT_EQ(entryValue(dataFile(kPopisEntry), QStringLiteral("Exec")),
              QStringLiteral("xdg-open \"%1\"").arg(path(QStringLiteral("opt/zrcadlovac/popis.txt"))));
}

TEST_F(NabidkaStartTest, MergeFileMakesTheGroupASubmenuOfApplications)
{
    NastavNabidkuStart(makeProgram(QStringLiteral("opt/zrcadlovac"), false));
    const QByteArray menu = readAll(path(QStringLiteral("config/menus/applications-merged/zrcadlovac.menu")));
    QXmlStreamReader xml(menu);
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
            texts << xml.text().toString();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Applications"), QStringLiteral("Zrcadlovač"),
                                  QStringLiteral("zrcadlovac.directory"),
                                  QStringLiteral("X-zrcadlovac")}));
    EXPECT_EQ(entryValue(dataFile(kProgramEntry), QStringLiteral("Categories")),
              QStringLiteral("X-zrcadlovac;"));
}

TEST_F(NabidkaStartTest, MissingDescriptionLeavesOutOnlyItsItem)
{
    NastavNabidkuStart(makeProgram(QStringLiteral("opt/zrcadlovac"), false));
    EXPECT_TRUE(QFile::exists(dataFile(kProgramEntry)));
    EXPECT_FALSE(QFile::exists(dataFile(kPopisEntry)));
}

TEST_F(NabidkaStartTest, AwkwardProgramPathStillGivesValidEntries)
{
    const QString dir = QStringLiteral("Programy s mezerou/Zrcadlovač \"$HOME\" 100% `x` \\z");
    const QString program = makeProgram(dir, true);
    NastavNabidkuStart(program);
    for (const QString& entry : {kProgramEntry, kPopisEntry})
        EXPECT_EQ(validate(dataFile(entry)), QString()) << entry.toStdString();
    // Path is a plain string value: only the backslash is escaped.
    EXPECT_EQ(entryValue(dataFile(kProgramEntry), QStringLiteral("Path")),
              path(QStringLiteral("Programy s mezerou")));
    EXPECT_EQ(entryValue(dataFile(kProgramEntry), QStringLiteral("Exec")),
              QStringLiteral("\"%1/Programy s mezerou/Zrcadlovač \\\\\"\\\\$HOME\\\\\" 100%% "
                             "\\\\`x\\\\` \\\\\\\\z/zrcadlovac\"")
                  .arg(root_.path()));
}

TEST_F(NabidkaStartTest, EmptyTextWritesNothing)
{
    const QString program = makeProgram(QStringLiteral("opt/zrcadlovac"), false);
    EXPECT_FALSE(VytvorZastupce(QString(), QStringLiteral("Zrcadlovač"), program));
    EXPECT_FALSE(VytvorZastupce(QStringLiteral("Zrcadlovač"), QString(), program));
    EXPECT_FALSE(VytvorZastupce(QStringLiteral("Zrcadlovač"), QStringLiteral("Zrcadlovač"), QString()));
    EXPECT_FALSE(QDir(path(QStringLiteral("data"))).exists());
    EXPECT_FALSE(QDir(path(QStringLiteral("config"))).exists());
}

} // namespace
} // namespace zrc::test
