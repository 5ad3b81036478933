#pragma once
// The receiver of a command-line run: keeps the items and, on a terminal, shows
// the status and progress of a long run on standard error.

#include "engine/porovnani.h"
#include "engine/vysledky.h"

#include <chrono>

namespace zrc {
class OvereniBehem;
}

namespace zrc::cli {

class PrijemceCli final : public PrijemceBehu {
public:
    // overeni: the check by content during the walk, given its bases here; or null.
    explicit PrijemceCli(UlozisteVysledku& vysledky, OvereniBehem* overeni = nullptr);

    void overeno(const QString& cestaAdr1, const QString& cestaAdr2) override;
    void polozka(int seznam, const NalezenySoubor& soubor) override;
    void predpoklad(int seznam, std::size_t nejvyse) override;
    void stav(const QString& text) override;
    void prubeh(int pozice) override;
    // Clears the progress line, if one was shown.
    void ukonci();

private:
    void ukaz();

    UlozisteVysledku& vysledky_;
    OvereniBehem* overeni_;
    bool terminal_;
    bool ukazano_ = false;
    std::chrono::steady_clock::time_point zacatek_;
    QString stav_;
    int prubeh_ = 0;
};

} // namespace zrc::cli
