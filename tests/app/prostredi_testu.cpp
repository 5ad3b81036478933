#include "prostredi_testu.h"

#include <QDir>
#include <QFile>

namespace zrc::test {

void ProstrediShellu::SetUp()
{
    ASSERT_TRUE(root_.isValid());
    savedIni_ = qgetenv("ZRCADLOVAC_INI");
    savedRuntime_ = qgetenv("XDG_RUNTIME_DIR");
    savedData_ = qgetenv("XDG_DATA_HOME");
    savedState_ = qgetenv("XDG_STATE_HOME");
    savedConfig_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("ZRCADLOVAC_INI", iniPath().toUtf8());
    // The runtime directory must be private, as the session's own is.
    const QString run = makeDir(QStringLiteral("run"));
    QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", run.toUtf8());
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
    qputenv("XDG_STATE_HOME", path(QStringLiteral("state")).toUtf8());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
}

void ProstrediShellu::TearDown()
{
    const auto restore = [](const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("ZRCADLOVAC_INI", savedIni_);
    restore("XDG_RUNTIME_DIR", savedRuntime_);
    restore("XDG_DATA_HOME", savedData_);
    restore("XDG_STATE_HOME", savedState_);
    restore("XDG_CONFIG_HOME", savedConfig_);
}

QString ProstrediShellu::makeDir(const QString& relative) const
{
    const QString dir = path(relative);
    QDir().mkpath(dir);
    return dir;
}

} // namespace zrc::test
