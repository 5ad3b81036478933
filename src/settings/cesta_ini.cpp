#include "settings/cesta_ini.h"

#include "platform/syscalls.h"
#include "util/cesty.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace zrc {

namespace {

bool zapisovatelny(const QString& adresar)
{
    return !adresar.isEmpty() && ::access(QFile::encodeName(adresar).constData(), W_OK) == 0;
}

QString konfiguracniAdresar(const ProstrediIni& p)
{
    const QString zaklad = QDir::isAbsolutePath(p.xdgConfigHome) ? p.xdgConfigHome
                                                                  : p.domov + QStringLiteral("/.config");
    return zaklad + QStringLiteral("/zrcadlovac");
}

} // namespace

QString urciCestuIni(const ProstrediIni& p)
{
    if (!p.promenna.isEmpty())
        return p.promenna;
    if (!p.instalovany && zapisovatelny(p.adresarProgramu))
        return QDir(p.adresarProgramu).filePath(QLatin1String(jmenoIni));
    return konfiguracniAdresar(p) + u'/' + QLatin1String(jmenoIni);
}

bool JeInstalovany(const QString& adresarProgramu, const QString& znacka)
{
    return !adresarProgramu.isEmpty() && QFileInfo(QDir(adresarProgramu), znacka).isFile();
}

QString CestaIni()
{
    ProstrediIni p;
    p.promenna = qEnvironmentVariable("ZRCADLOVAC_INI");
    p.adresarProgramu = AdresarProgramu();
    p.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    p.domov = QDir::homePath();
    p.instalovany = JeInstalovany(p.adresarProgramu, QStringLiteral(ZRC_ZNACKA_INSTALACE));
    const QString cesta = urciCestuIni(p);
    // A directory that cannot be made shows when the file is written: the
    // write fails with its own message then.
    if (cesta == konfiguracniAdresar(p) + u'/' + QLatin1String(jmenoIni))
        (void)platform::vytvorCestu(platform::realSyscalls(),
                                    QFile::encodeName(konfiguracniAdresar(p)).toStdString(), 0777);
    return cesta;
}

} // namespace zrc
