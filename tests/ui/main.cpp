// One QApplication for every window test, on the offscreen platform so that the
// tests need no display (unless ZRC_TEST_XCB asks for the real one). Deletions go to the trash by default: the home trash
// ($XDG_DATA_HOME/Trash) lives in a temporary directory of this run, never in
// the tester's own, and on the file system of the temporary trees (as
// support/temp_tree.h picks it), so that their files land there and no
// .Trash-$uid is left at the top of that file system. The journals of the
// operations ($XDG_STATE_HOME) are kept there as well.
#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

QString mistoStromu()
{
    const QString vlastni = qEnvironmentVariable("ZRC_TEST_TMPDIR");
    if (!vlastni.isEmpty())
        return vlastni;
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QString();
}

} // namespace

int main(int argc, char** argv)
{
    // ZRC_TEST_XCB: a run on a virtual screen with a window manager
    // (se_spravcem_oken.sh), where windows get real frames.
    if (qEnvironmentVariableIsEmpty("ZRC_TEST_XCB"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString misto = mistoStromu();
    auto data = misto.isEmpty() ? std::make_unique<QTemporaryDir>()
                                : std::make_unique<QTemporaryDir>(misto + QStringLiteral("/zrc-data-XXXXXX"));
    if (data->isValid()) {
        qputenv("XDG_DATA_HOME", data->path().toUtf8());
        // The operations' journals too, and "vrátit poslední operaci" reads them.
        qputenv("XDG_STATE_HOME", (data->path() + QStringLiteral("/state")).toUtf8());
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
