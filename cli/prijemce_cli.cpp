#include "prijemce_cli.h"

#include "engine/nepristupne_adresare.h"
#include "operace/overeni_behem.h"
#include "util/bajty_cesty.h"

#include <cstdio>
#include <unistd.h>

namespace zrc::cli {

namespace {

// Runs shorter than this show no progress line at all.
constexpr auto prodlevaPrubehu = std::chrono::milliseconds(500);
constexpr int sirkaStavu = 70;

} // namespace

PrijemceCli::PrijemceCli(UlozisteVysledku& vysledky, OvereniBehem* overeni)
    : vysledky_(vysledky),
      overeni_(overeni),
      terminal_(::isatty(STDERR_FILENO) == 1),
      zacatek_(std::chrono::steady_clock::now())
{
}

void PrijemceCli::overeno(const QString& cestaAdr1, const QString& cestaAdr2)
{
    if (overeni_)
        overeni_->zacni(bajtyZTextu(cestaAdr1), bajtyZTextu(cestaAdr2));
}

void PrijemceCli::polozka(int seznam, const NalezenySoubor& soubor)
{
    vysledky_.pridej(seznam, soubor);
}

// Lists that grow by doubling hold up to twice their items, and three times
// while one is copied; a million files per side gave 180 000 items and a
// peak of 11.8 MB for lists of 7.2 MB.
void PrijemceCli::predpoklad(int seznam, std::size_t nejvyse)
{
    vysledky_.pripravMisto(seznam, nejvyse);
}

void PrijemceCli::stav(const QString& text)
{
    stav_ = text;
    ukaz();
}

void PrijemceCli::prubeh(int pozice)
{
    prubeh_ = pozice;
    ukaz();
}

void PrijemceCli::ukaz()
{
    if (!terminal_ || std::chrono::steady_clock::now() - zacatek_ < prodlevaPrubehu)
        return;
    QString text = bezpecnaCesta(bajtyZTextu(stav_));   // names may hold bytes that are not UTF-8
    if (text.size() > sirkaStavu)
        text = QStringLiteral("…") + text.right(sirkaStavu - 1);
    std::fprintf(stderr, "\r\033[K%3d %% %s", prubeh_, text.toUtf8().constData());
    std::fflush(stderr);
    ukazano_ = true;
}

void PrijemceCli::ukonci()
{
    if (ukazano_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

} // namespace zrc::cli
