#include "app/core/vstup_par.h"

#include "platform/listing.h"
#include "settings/klice.h"
#include "util/bajty_cesty.h"

#include <QDir>

namespace zrc {
namespace {

bool jeAdresar(const QString& cesta)
{
    return platform::isDirectory(bajtyZTextu(cesta).c_str());
}

QString predavanyParametr(const QString& parametr)
{
    if (parametr.isEmpty() || QDir::isAbsolutePath(parametr))
        return parametr;
    const QString absolutni = QDir::current().absoluteFilePath(parametr);
    return jeAdresar(absolutni) ? QDir::cleanPath(absolutni) : parametr;
}

} // namespace

VysledekZapisu ZapisVstupPar(const QString& cestaIni, const QString& program,
                             const QStringList& parametry)
{
    const int n = int(std::min<qsizetype>(parametry.size(), ini::maxParametru));
    return zmenIni(cestaIni, [&](IniDokument& dokument) {
        dokument.zapisText(ini::Zprava, u"0", program);
        for (int i = 1; i <= n; ++i)
            dokument.zapisText(ini::Zprava, QString::number(i), predavanyParametr(parametry[i - 1]));
        dokument.zapisCislo(ini::Zprava, ini::pocet, n);
    });
}

std::optional<VstupniAdresare> NactiVstupPar(const QString& cestaIni)
{
    const IniDokument dokument = nactiIni(cestaIni);
    const int pocet = dokument.ctiCislo(ini::Zprava, ini::pocet, 0);
    if (pocet == 0)
        return std::nullopt;
    const bool bezKontroly = dokument.ctiBool(ini::Nastaveni, ini::vstupparam, false);
    // A name that is not UTF-8 and arrived with replacement characters names
    // nothing; it stays in the field, so that the run says why it cannot be used
    // instead of the directory silently missing.
    const auto vyhovuje = [&](const QString& s) {
        return !s.isEmpty() && (bezKontroly || jeAdresar(s) || obsahujeNeplatneZnaky(s));
    };
    VstupniAdresare adresare;
    for (int k = 1; k <= std::min(pocet, ini::maxParametru); ++k) {
        const QString s = dokument.ctiText(ini::Zprava, QString::number(k));
        if (vyhovuje(s))
            (k == 1 ? adresare.adresar1 : adresare.adresar2) = s;
    }
    return adresare;
}

} // namespace zrc
