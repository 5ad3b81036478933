// The file stage of a pass: every file of every directory of the table, paired
// with the file of the same name in the counterpart directory.

#include "engine/beh.h"

namespace zrc {

namespace {

// offset + round(j / count * 50), halves to the even neighbour.
int pozicePrubehu(int offset, std::size_t j, std::size_t pocet)
{
    const std::size_t citatel = j * 50;
    std::size_t cela = citatel / pocet;
    const std::size_t zbytek2 = 2 * (citatel % pocet);
    if (zbytek2 > pocet || (zbytek2 == pocet && cela % 2 == 1))
        ++cela;
    return offset + static_cast<int>(cela);
}

const VypisAdresare prazdnyVypis;

} // namespace

void Beh::hlasPrubeh(int pozice)
{
    if (pozice == posledniPrubeh_)
        return;
    posledniPrubeh_ = pozice;
    prijemce_.prubeh(pozice);
}

bool Beh::porovnejSoubory(int zdroj, const std::vector<PolozkaTabulky>& t)
{
    const int offset = zdroj == 0 ? 0 : 50;
    prijemce_.stav(zdroj == 0
        ? QStringLiteral("vyhledávání a porovnávání jednotlivých souborů - ADRESÁŘ 1")
        : QStringLiteral("vyhledávání a porovnávání jednotlivých souborů - ADRESÁŘ 2"));
    hlasPrubeh(offset);
    for (std::size_t j = 0; j < t.size(); ++j) {
        if (!porovnejAdresar(zdroj, t[j]))
            return false;
        hlasPrubeh(pozicePrubehu(offset, j + 1, t.size()));
    }
    return true;
}

bool Beh::porovnejAdresar(int zdroj, const PolozkaTabulky& p)
{
    const StromStrany& strom = stromy_[zdroj];
    const VypisAdresare& a = strom.uzel(p.zdroj).vypis;
    const auto souboryA = a.soubory();
    if (souboryA.empty())
        return true;
    if (omezovac_.ted())
        prijemce_.stav(QStringLiteral("soubory v: ") + textCesty(zdroj, p.zdroj));
    if (p.protejsek != zadnyUzel && stromy_[1 - zdroj].uzel(p.protejsek).stav == StavUzlu::Chyba)
        return true;   // the other side could not be read: no file here is known to be new
    const VypisAdresare& b =
        p.protejsek == zadnyUzel ? prazdnyVypis : stromy_[1 - zdroj].uzel(p.protejsek).vypis;
    const auto souboryB = b.soubory();
    strom.relativniCesta(p.zdroj, rel_);
    podadresar_ = rel_;
    if (!podadresar_.empty())
        podadresar_.push_back('/');
    std::size_t k = 0;
    for (const SouborVypisu& f : souboryA) {
        const std::string_view jmeno = a.jmeno(f);
        while (k < souboryB.size() && b.jmeno(souboryB[k]) < jmeno)
            ++k;
        const bool par = k < souboryB.size() && b.jmeno(souboryB[k]) == jmeno;
        if (const auto trida = zarad(f, par ? &souboryB[k] : nullptr, jmeno, kontext_)) {
            prijemce_.polozka(cisloSeznamu(*trida, zdroj + 1),
                              {.podadresar = podadresar_, .jmeno = jmeno,
                               .cas = f.cas, .velikost = f.velikost});
            ++pocetPolozek_;
        }
        if (zastaveno())
            return false;
    }
    return true;
}

} // namespace zrc
