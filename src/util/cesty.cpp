#include "util/cesty.h"

#include "util/bajty_cesty.h"

#include <climits>
#include <unistd.h>

namespace zrc {

QString AdresarProgramu()
{
    char cesta[PATH_MAX];
    const ssize_t delka = ::readlink("/proc/self/exe", cesta, sizeof cesta);
    if (delka <= 0 || delka == ssize_t(sizeof cesta))
        return {};
    return AdresarCesty(textZBajtu(std::string_view(cesta, std::size_t(delka))));
}

QString AdresarCesty(QStringView cesta)
{
    const qsizetype lomitko = cesta.lastIndexOf(u'/');
    if (lomitko < 0)
        return {};
    if (lomitko == 0)
        return QStringLiteral("/");
    return cesta.left(lomitko).toString();
}

QString ZkratCestu(int maxDelka, QStringView cesta)
{
    if (cesta.size() < maxDelka)
        return cesta.toString();
    // The cut head is shown as "/.." (or ".." for a relative path); the tail
    // keeps whole components, dropping them from the front until it fits.
    const bool absolutni = cesta.startsWith(u'/');
    const QString hlava = absolutni ? QStringLiteral("/..") : QStringLiteral("..");
    const QStringView zbytek = cesta.mid(absolutni ? 1 : 0);
    qsizetype od = -1;
    for (;;) {
        od = zbytek.indexOf(u'/', od + 1);
        if (od < 0 || zbytek.size() - od + hlava.size() < maxDelka)
            break;
    }
    if (od >= 0)
        return QString(hlava).append(zbytek.mid(od));
    // Even the last component is too long: keep as many of its last characters
    // as fit.
    const qsizetype vejde = qMax<qsizetype>(0, maxDelka - hlava.size() - 1);
    return QString(hlava).append(zbytek.right(vejde));
}

std::string spojCestu(const std::string& zaklad, std::string_view rel)
{
    std::string s = zaklad;
    if (s.empty() || s.back() != '/')
        s += '/';
    s += rel;
    return s;
}

} // namespace zrc
