#include "util/datum_text.h"

#include "util/retezce.h"

#include <QStringList>

#include <algorithm>

namespace zrc {

namespace {

// "d.M.yyyy[ time]" -> "yyyy.M.d[ time]".
QString obratDatum(QStringView text)
{
    const QString mezera = QStringLiteral(" ");
    const QString datum = NteSlovo(1, text, mezera);
    QStringList casti = datum.split(u'.');
    std::reverse(casti.begin(), casti.end());
    QString vysledek = casti.join(u'.');
    const QString cas = NteSlovo(2, text, mezera);
    if (!cas.isEmpty())
        vysledek += u' ' + cas;
    return vysledek;
}

} // namespace

QString UpravDatum(QStringView text)
{
    const QString obracene = obratDatum(text);
    const QString oddelovace = QStringLiteral(" .:");
    const int pocet = PocetSlov(obracene, oddelovace);
    QString vysledek;
    for (int i = 1; i <= pocet; ++i) {
        const QString slovo = NteSlovo(i, obracene, oddelovace);
        if (i == 1) {
            vysledek += DoplnZleva(slovo, u'0', 4);
            continue;
        }
        // Date parts joined by ".", the time after one blank, its parts by ":".
        const QChar spojka = (i == 4) ? u' ' : (i == 5 || i == 6) ? u':' : u'.';
        vysledek += spojka + DoplnZleva(slovo, u'0', 2);
    }
    return vysledek;
}

} // namespace zrc
