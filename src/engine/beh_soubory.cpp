// The file stage of a pass: the differences the walk found in every directory
// of the pass's table, handed on in the table's order.

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

} // namespace

void Beh::hlasPrubeh(int pozice)
{
    if (pozice == posledniPrubeh_)
        return;
    posledniPrubeh_ = pozice;
    prijemce_.prubeh(pozice);
}

bool Beh::porovnejSoubory(int zdroj, const std::vector<std::uint32_t>& t)
{
    const int offset = zdroj == 0 ? 0 : 50;
    prijemce_.stav(zdroj == 0
        ? QStringLiteral("vyhledávání a porovnávání jednotlivých souborů - ADRESÁŘ 1")
        : QStringLiteral("vyhledávání a porovnávání jednotlivých souborů - ADRESÁŘ 2"));
    hlasPrubeh(offset);
    for (const Trida trida : {Trida::Nove, Trida::Novejsi, Trida::Vetsi, Trida::Mensi}) {
        std::size_t pocet = 0;
        for (const PraceVlakna& p : vlakna_)
            pocet += p.kandidati.pocet(zdroj, trida);
        prijemce_.predpoklad(cisloSeznamu(trida, zdroj + 1), pocet);
    }
    for (std::size_t j = 0; j < t.size(); ++j) {
        if (!predejRozdily(zdroj, strom_[t[j]]))
            return false;
        hlasPrubeh(pozicePrubehu(offset, j + 1, t.size()));
    }
    // Those of directories the time filter removed are no longer needed either.
    for (std::size_t i = 0; i < strom_.size(); ++i)
        strom_[i].kandidati[zdroj].uvolni();
    return true;
}

// The stop flag is read after every file that a pass reading the directory here
// would have compared; a file that is no difference adds nothing between two
// reads, so reading it after each difference and after the directory is the same.
bool Beh::predejRozdily(int zdroj, UzelStromu& u)
{
    if (!u.maSoubory[zdroj])
        return true;
    if (omezovac_.ted())
        prijemce_.stav(QStringLiteral("soubory v: ") + textCesty(zdroj, u));
    const int jina = 1 - zdroj;
    if (u.existuje[jina] && u.chyba[jina])
        return true;   // the other side could not be read: no file here is known to be new
    for (const Kandidat& c : u.kandidati[zdroj]) {
        if (prijmout(c.trida, c.jmeno, c.cas, kontext_)) {
            prijemce_.polozka(cisloSeznamu(c.trida, zdroj + 1),
                              {.podadresar = podadresar(u), .jmeno = c.jmeno,
                               .cas = c.cas, .velikost = c.velikost, .cisloAdresare = u.index});
            ++pocetPolozek_;
        }
        if (zastaveno())
            return false;
    }
    u.kandidati[zdroj].uvolni();
    return !zastaveno();
}

// Directories with differences come in breadth-first order; in a chain each
// is the child of the one before, so its path grows by one name instead of
// being rebuilt from the base (a chain 2 000 deep would cost O(depth²)).
const std::string& Beh::podadresar(const UzelStromu& u)
{
    if (uzelPodadresare_ == &u)
        return podadresar_;
    if (uzelPodadresare_ && u.rodic == uzelPodadresare_) {
        podadresar_.append(u.jmeno());
    } else {
        strom_.relativniCesta(u, podadresar_);
        if (podadresar_.empty()) {
            uzelPodadresare_ = &u;
            return podadresar_;
        }
    }
    podadresar_.push_back('/');
    uzelPodadresare_ = &u;
    return podadresar_;
}

} // namespace zrc
