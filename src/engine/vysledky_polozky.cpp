// Texts and paths of one result item.
#include "engine/vysledky.h"

#include "engine/filtry.h"
#include "util/retezce.h"

#include <QFile>

namespace zrc {

namespace {

QString zUtf8(std::string_view s)
{
    // Bytes that are not UTF-8 become replacement characters; the item itself
    // keeps the bytes, so paths are never rebuilt from this text.
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::string spoj(const QString& zaklad, std::string_view relativni)
{
    std::string cesta = QFile::encodeName(zaklad).toStdString();
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

QString textPolozky(const UlozisteVysledku& u, const Polozka& p, Sloupec s)
{
    switch (s) {
    case Sloupec::Nazev: return MalaPismena(zUtf8(nazevPolozky(p)));
    case Sloupec::Typ: return MalaPismena(zUtf8(typPolozky(p)));
    case Sloupec::Datum: return textDatumu(p.cas);
    case Sloupec::Velikost: return QString::number(p.velikost);
    case Sloupec::Podadr: return MalaPismena(zUtf8(u.podadresar(p.podadresar)));
    }
    return {};
}

std::string CestaPolozky(const UlozisteVysledku& u, const Polozka& p, bool sPodadresarem)
{
    if (!sPodadresarem)
        return p.jmeno;
    return u.podadresar(p.podadresar) + p.jmeno;
}

const QString& VlastniAdresar(const UlozisteVysledku& u, int seznam)
{
    return u.cestaAdr(seznam % 2 == 0 ? 2 : 1);
}

const QString& ProtejsiAdresar(const UlozisteVysledku& u, int seznam)
{
    return u.cestaAdr(seznam % 2 == 0 ? 1 : 2);
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
    switch (seznam) {
    case 5: return 8;
    case 6: return 7;
    case 7: return 6;
    default: return 5;
    }
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
    std::vector<Polozka>& polozky = u.seznam(seznam);
    for (std::size_t i = 0; i < polozky.size(); ++i) {
        if (polozky[i].podadresar == vzor.podadresar && polozky[i].jmeno == vzor.jmeno) {
            polozky.erase(polozky.begin() + std::ptrdiff_t(i));
            return int(i);
        }
    }
    return -1;
}

} // namespace zrc
