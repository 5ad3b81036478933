#pragma once
// Shared set-up of the settings tests: a fresh directory with the INI path,
// raw file access, and child processes.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace zrc::test {

class IniTest : public ::testing::Test {
protected:
    QTemporaryDir adresar;
    QString cesta = adresar.filePath(QStringLiteral("zrcadlovac.ini"));

    void zapisSoubor(const QByteArray& obsah) const;
    QByteArray obsah() const;
    QStringList souboryAdresare() const;
};

// Runs telo in a child process and returns its exit status (telo's result),
// or -1 when the child did not end normally.
int vDetskemProcesu(const std::function<int()>& telo);

} // namespace zrc::test
