#include "spusteni_cli.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace zrc::test {

void nastavPasmoCli()
{
    setenv("TZ", pasmoCli, 1);
    tzset();
}

VysledekCli spustCli(const QStringList& argumenty, const VolbyCli& volby)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QString::fromLatin1(pasmoCli));
    for (const QString& par : volby.prostredi)
        env.insert(par.section(QLatin1Char('='), 0, 0), par.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(env);
    if (volby.vPotomkovi)
        p.setChildProcessModifier(volby.vPotomkovi);
    p.start(volby.program.isEmpty() ? QStringLiteral(ZRC_CLI_PATH) : volby.program, argumenty);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

std::string seznamyACesty(const std::string& tsv)
{
    std::string r;
    for (const QString& radek : QString::fromStdString(tsv).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList s = radek.split(QLatin1Char('\t'));
        if (s.size() < 6)
            return r + "? " + radek.toStdString() + '\n';
        r += (s[0] + ' ' + s[5] + s[1] + (s[2].isEmpty() ? QString() : '.' + s[2]) + '\n').toStdString();
    }
    return r;
}

} // namespace zrc::test
