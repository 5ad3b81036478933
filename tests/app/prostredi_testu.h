#pragma once
// Fixture for shell tests: a private temporary INI file, runtime directory
// and XDG homes, set in the environment that the started processes inherit.

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace zrc::test {

class ProstrediShellu : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& relative) const { return root_.filePath(relative); }
    QString iniPath() const { return path(QStringLiteral("zrcadlovac.ini")); }
    // Creates a directory below the temporary root and returns its path.
    QString makeDir(const QString& relative) const;

    QTemporaryDir root_;

private:
    QByteArray savedIni_, savedRuntime_, savedData_, savedState_, savedConfig_;
};

} // namespace zrc::test
