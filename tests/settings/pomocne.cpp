#include "pomocne.h"

#include <QDir>
#include <QFile>

#include <sys/wait.h>
#include <unistd.h>

namespace zrc::test {

void IniTest::zapisSoubor(const QByteArray& obsah) const
{
    QFile f(cesta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(obsah);
}

QByteArray IniTest::obsah() const
{
    QFile f(cesta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList IniTest::souboryAdresare() const
{
    return QDir(adresar.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

int vDetskemProcesu(const std::function<int()>& telo)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(telo());
    int stav = 0;
    if (pid < 0 || ::waitpid(pid, &stav, 0) != pid || !WIFEXITED(stav))
        return -1;
    return WEXITSTATUS(stav);
}

} // namespace zrc::test
