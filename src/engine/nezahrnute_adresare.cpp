#include "engine/nezahrnute_adresare.h"

#include <QStringList>

namespace zrc {

namespace {

// "1 podadresář", "3 podadresáře", "5 podadresářů".
QString pocetPodadresaru(std::size_t n)
{
    const char* tvar = n == 1 ? "podadresář" : (n >= 2 && n <= 4) ? "podadresáře" : "podadresářů";
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(tvar);
}

QString castPoStranach(const QString& nadpis, const std::size_t (&pocty)[2])
{
    QStringList strany;
    for (int s = 0; s < 2; ++s)
        if (pocty[s] > 0)
            strany << pocetPodadresaru(pocty[s]) + QStringLiteral(" v adresáři %1").arg(s + 1);
    return strany.isEmpty() ? QString() : nadpis + strany.join(QStringLiteral(", "));
}

} // namespace

bool NezahrnuteAdresare::prazdne() const
{
    return bezProtejsku[0] == 0 && bezProtejsku[1] == 0 && jinySvazek[0] == 0 && jinySvazek[1] == 0;
}

QString textNezahrnutych(const NezahrnuteAdresare& n)
{
    QStringList casti;
    for (const QString& c : {castPoStranach(QStringLiteral("bez protějšku nezahrnuto: "), n.bezProtejsku),
                             castPoStranach(QStringLiteral("jiný svazek nezahrnut: "), n.jinySvazek)})
        if (!c.isEmpty())
            casti << c;
    return casti.join(QStringLiteral("; "));
}

} // namespace zrc
