// Texts and paths of one result item.
#include "engine/vysledky.h"

#include "engine/filtry.h"
#include "util/bajty_cesty.h"
#include "util/retezce.h"

#include <unordered_map>

namespace zrc {

namespace {

std::string spoj(const QString& zaklad, std::string_view relativni)
{
    std::string cesta = bajtyZTextu(zaklad);
    if (!cesta.empty() && cesta.back() != '/')
        cesta += '/';
    cesta += relativni;
    return cesta;
}

} // namespace

std::string_view nazevPolozky(const Polozka& p)
{
    const std::string_view jmeno = p.jmeno;
    return jmeno.substr(0, jmeno.size() - priponaSouboru(jmeno).size());
}

std::string_view typPolozky(const Polozka& p)
{
    const std::string_view pripona = priponaSouboru(p.jmeno);
    return pripona.empty() ? pripona : pripona.substr(1);
}

QString textZobrazeni(std::string_view bajty)
{
    // Only shown and sorted; the item keeps its bytes for every path.
    return MalaPismena(textProZobrazeni(bajty));
}

QString textPolozky(const UlozisteVysledku& u, const Polozka& p, Sloupec s)
{
    switch (s) {
    case Sloupec::Nazev: return textZobrazeni(nazevPolozky(p));
    case Sloupec::Typ: return textZobrazeni(typPolozky(p));
    case Sloupec::Datum: return textDatumu(p.cas, u.formatCasu());
    case Sloupec::Velikost: return QString::number(p.velikost);
    case Sloupec::Podadr: return textZobrazeni(u.podadresar(p.podadresar));
    }
    return {};
}

std::string CestaPolozky(const UlozisteVysledku& u, const Polozka& p, bool sPodadresarem)
{
    if (!sPodadresarem)
        return std::string(p.jmeno);
    std::string cesta(u.podadresar(p.podadresar));
    cesta.append(p.jmeno);
    return cesta;
}

const QString& VlastniAdresar(const UlozisteVysledku& u, int seznam)
{
    return u.cestaAdr(CisloSeznamu(seznam).adresar());
}

const QString& ProtejsiAdresar(const UlozisteVysledku& u, int seznam)
{
    return u.cestaAdr(CisloSeznamu(seznam).protejsiAdresar());
}

std::string plnaCesta(const UlozisteVysledku& u, int seznam, const Polozka& p)
{
    return spoj(VlastniAdresar(u, seznam), CestaPolozky(u, p, true));
}

std::string cestaProtejsku(const UlozisteVysledku& u, int seznam, const Polozka& p)
{
    return spoj(ProtejsiAdresar(u, seznam), CestaPolozky(u, p, true));
}

int ProtejsiSeznam(int seznam)
{
    // A list without twins answers list 5, as it always has; nothing asks it
    // for one, because only twin lists remove twins.
    const auto protejsi = CisloSeznamu::platne(seznam) ? CisloSeznamu(seznam).protejsiSeznam() : std::nullopt;
    return protejsi ? protejsi->cislo() : 5;
}

int OdeberProtejsek(UlozisteVysledku& u, int seznam, std::string_view nazev,
                    std::string_view typ, std::string_view podadr)
{
    std::vector<Polozka>& polozky = u.seznam(seznam);
    for (std::size_t i = 0; i < polozky.size(); ++i) {
        const Polozka& p = polozky[i];
        if (nazevPolozky(p) == nazev && typPolozky(p) == typ
            && u.podadresar(p.podadresar) == podadr) {
            polozky.erase(polozky.begin() + std::ptrdiff_t(i));
            return int(i);
        }
    }
    return -1;
}

int OdeberProtejsek(UlozisteVysledku& u, int seznam, const Polozka& vzor)
{
    const std::vector<int> radky = RadkyProtejsku(u, seznam, std::span(&vzor, 1));
    if (radky.empty())
        return -1;
    std::vector<Polozka>& polozky = u.seznam(seznam);
    polozky.erase(polozky.begin() + radky.front());
    return radky.front();
}

namespace {

// Identity of an item within one store: directories are interned once per
// store, so equal relative paths have equal directory indices.
struct KlicPolozky {
    std::uint32_t podadresar;
    std::string_view jmeno;
    bool operator==(const KlicPolozky&) const = default;
};

struct HashPolozky {
    std::size_t operator()(const KlicPolozky& k) const noexcept
    {
        return std::hash<std::string_view>{}(k.jmeno) * 31u + k.podadresar;
    }
};

} // namespace

std::vector<int> RadkyProtejsku(const UlozisteVysledku& u, int seznam, std::span<const Polozka> vzory)
{
    // One hash lookup per item of the list instead of one scan of the list per
    // twin: 40 000 twins in a list of 200 000 items are 200 000 lookups, not
    // some 4 x 10^9 comparisons. A pattern given twice takes two items.
    std::unordered_map<KlicPolozky, int, HashPolozky> hledane;
    hledane.reserve(vzory.size());
    for (const Polozka& v : vzory)
        ++hledane[KlicPolozky{v.podadresar, v.jmeno}];
    std::vector<int> radky;
    radky.reserve(vzory.size());
    const std::vector<Polozka>& polozky = u.seznam(seznam);
    for (std::size_t i = 0; i < polozky.size() && !hledane.empty(); ++i) {
        const auto it = hledane.find(KlicPolozky{polozky[i].podadresar, polozky[i].jmeno});
        if (it == hledane.end())
            continue;
        radky.push_back(int(i));
        if (--it->second == 0)
            hledane.erase(it);
    }
    return radky;
}

} // namespace zrc
