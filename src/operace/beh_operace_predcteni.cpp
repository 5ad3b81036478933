// The read-ahead of small sources in a copy (predcteni_zdroju.h).

#include "operace/beh_operace.h"

#include <system_error>

namespace zrc {

// Item i's source, read ahead whole, when this is its first try (Retry reads
// again), the copy would be byte by byte anyway (no reflink lost) and needs no
// fdatasync of its own.
bool BehOperace::predcteno(std::size_t i, bool prvni, PrectenyZdroj& z)
{
    if (!predcteni_ || !prvni)
        return false;
    return predcteni_->vezmi(i, z) && kopie_.bezKlonu(z.st.st_dev) &&
           z.st.st_size <= volby_.samostatnySync;
}

// Starts the read-ahead after item i, once a file of a copy has been copied
// byte by byte. A move renames its files and reads nothing.
void BehOperace::spustPredcteni(std::size_t i, dev_t zdroj)
{
    if (predcteniZkuseno_ || z_.operace.odstraneni || volby_.predcteniSouboru == 0 ||
        i + 2 >= z_.polozky.size() || !kopie_.bezKlonu(zdroj))
        return;
    predcteniZkuseno_ = true;
    ChybaSouboru chyba;
    auto zaklad = zdroj_.otevri({}, false, chyba);
    if (!zaklad)
        return;
    try {
        predcteni_ = std::make_unique<PredcteniZdroju>(sys_, std::move(zaklad), zdroj_.zaklad(),
                                                       z_.polozky, volby_, i + 1);
    } catch (const std::system_error&) {
        return;   // no thread to be had: the copy reads its sources itself
    }
    otazky_.predcteni(predcteni_.get());
}

} // namespace zrc
