#include "engine/oznaceni.h"

#include "util/ascii.h"
#include "util/retezce.h"
#include "util/velikost_text.h"

#include <cmath>
#include <unordered_map>

namespace zrc {

namespace {

QString malaAscii(QStringView s)
{
    QString t = s.toString();
    for (QChar& c : t)
        c = MalaAscii(c);
    return t;
}

} // namespace

std::vector<int> RadkyDleSloupce(const UlozisteVysledku& u, int seznam, Sloupec sloupec, QStringView hodnota)
{
    const std::vector<Polozka>& polozky = u.seznam(seznam);
    std::vector<int> radky;
    // "podadr" texts repeat along a directory: one comparison per directory.
    std::unordered_map<std::uint32_t, bool> adresare;
    for (std::size_t i = 0; i < polozky.size(); ++i) {
        const Polozka& p = polozky[i];
        bool shoda = false;
        if (sloupec == Sloupec::Podadr) {
            auto [it, novy] = adresare.try_emplace(p.podadresar, false);
            if (novy)
                it->second = ShodneBezVelikostiAscii(textPolozky(u, p, sloupec), hodnota);
            shoda = it->second;
        } else {
            shoda = ShodneBezVelikostiAscii(textPolozky(u, p, sloupec), hodnota);
        }
        if (shoda)
            radky.push_back(int(i));
    }
    return radky;
}

std::vector<int> RadkyDleAdresare(const UlozisteVysledku& u, int seznam, QStringView maska)
{
    const QString m = malaAscii(maska);
    const std::vector<Polozka>& polozky = u.seznam(seznam);
    std::unordered_map<std::uint32_t, bool> adresare;
    std::vector<int> radky;
    for (std::size_t i = 0; i < polozky.size(); ++i) {
        auto [it, novy] = adresare.try_emplace(polozky[i].podadresar, false);
        if (novy)
            it->second = ShodaMasky(malaAscii(textPolozky(u, polozky[i], Sloupec::Podadr)), m);
        if (it->second)
            radky.push_back(int(i));
    }
    return radky;
}

QString SouhrnVyberu(int vybrano, int celkem, std::int64_t velikost, const QString& vlastniAdresar)
{
    return QStringLiteral("vybráno:") + QString::number(vybrano) + QStringLiteral(" z ") + QString::number(celkem)
         + QStringLiteral(" velikost:") + TextVelikosti(velikost) + QStringLiteral("   ") + vlastniAdresar;
}

} // namespace zrc
