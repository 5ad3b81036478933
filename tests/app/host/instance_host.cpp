// Stand-in for the program entry in the shell's process tests: the same
// single-instance decisions, with every event printed as one line on stdout.
// The first instance runs until its stdin is closed.

#include "app/core/jedina_instance.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <unistd.h>

namespace {

void say(const QString& line)
{
    QTextStream out(stdout);
    out << line << Qt::endl;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString ini = qEnvironmentVariable("ZRCADLOVAC_INI");
    zrc::JedinaInstance instance(ini);
    if (instance.start() == zrc::JedinaInstance::Role::Second) {
        const bool sent = instance.notify({zrc::Oznameni::Obnov, zrc::Oznameni::Pouzij});
        say(sent ? QStringLiteral("second") : QStringLiteral("second-failed"));
        return sent ? 0 : 3;
    }
    QObject::connect(&instance, &zrc::JedinaInstance::restoreRequested,
                     [] { say(QStringLiteral("restore")); });
    QObject::connect(&instance, &zrc::JedinaInstance::applyRequested,
                     [] { say(QStringLiteral("apply")); });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    say(instance.isListening() ? QStringLiteral("first") : QStringLiteral("first-alone"));
    return app.exec();
}
