// Stand-in for the program entry in the shell's process tests: the same
// single-instance and hand-off decisions, with every event printed as one
// line on stdout. The first instance runs until its stdin is closed.

#include "app/core/jedina_instance.h"
#include "app/core/vstup_par.h"

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

// What the window would show in its two directory fields.
void sayApplied(const QString& ini)
{
    const auto adresare = zrc::NactiVstupPar(ini);
    say(adresare ? QStringLiteral("apply %1|%2").arg(adresare->adresar1, adresare->adresar2)
                 : QStringLiteral("apply none"));
}

int runSecond(zrc::JedinaInstance& instance, const QString& ini, const QStringList& parameters)
{
    const auto written = zrc::ZapisVstupPar(ini, QCoreApplication::applicationFilePath(), parameters);
    if (!written.ok()) {
        // A record that was not written must not be applied: only raise.
        say(QStringLiteral("second-write-failed"));
        return instance.notify({zrc::Oznameni::Obnov}) ? 2 : 3;
    }
    const bool sent = instance.notify({zrc::Oznameni::Obnov, zrc::Oznameni::Pouzij});
    say(sent ? QStringLiteral("second") : QStringLiteral("second-failed"));
    return sent ? 0 : 3;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString ini = qEnvironmentVariable("ZRCADLOVAC_INI");
    const QStringList parameters = app.arguments().mid(1);
    zrc::JedinaInstance instance(ini);
    if (instance.start() == zrc::JedinaInstance::Role::Second)
        return runSecond(instance, ini, parameters);

    QObject::connect(&instance, &zrc::JedinaInstance::restoreRequested,
                     [] { say(QStringLiteral("restore")); });
    QObject::connect(&instance, &zrc::JedinaInstance::applyRequested,
                     [&] { sayApplied(ini); });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    say(instance.isListening() ? QStringLiteral("first") : QStringLiteral("first-alone"));
    if (parameters == QStringList{QStringLiteral("-setup")}) {
        say(QStringLiteral("setup"));
    } else if (!parameters.isEmpty()) {
        if (zrc::ZapisVstupPar(ini, QCoreApplication::applicationFilePath(), parameters).ok())
            sayApplied(ini);
    }
    return app.exec();
}
