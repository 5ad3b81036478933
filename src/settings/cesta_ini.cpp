#include "settings/cesta_ini.h"

#include "platform/syscalls.h"
#include "util/bajty_cesty.h"
#include "util/cesty.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc {

namespace {

bool zapisovatelny(const QString& adresar)
{
    return !adresar.isEmpty() && ::access(bajtyZTextu(adresar).c_str(), W_OK) == 0;
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
    // Through the name's own bytes: the program's directory need not be UTF-8.
    struct stat st {};
    return !adresarProgramu.isEmpty()
        && ::stat(bajtyZTextu(QDir(adresarProgramu).filePath(znacka)).c_str(), &st) == 0 && S_ISREG(st.st_mode);
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
                                    bajtyZTextu(konfiguracniAdresar(p)), 0777);
    return cesta;
}

} // namespace zrc
