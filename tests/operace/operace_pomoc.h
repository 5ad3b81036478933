#pragma once
// Shared set-up of the file operation tests: the fault seam (ChyboveVolani,
// support/chybova_volani.h), a scripted answerer of the operation's
// questions, and file helpers.

#include "operace/operace.h"
#include "platform/syscalls.h"
#include "support/chybova_volani.h"
#include "support/soubory.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace zrc::test {

// Answers the questions from queues (an empty queue answers Ignorovat, Ne or
// true) and records everything in order as short lines.
class Skript : public RozhraniOperace {
public:
    std::deque<OdpovedChyby> kopie, mazani;
    std::deque<OdpovedCteni> cteni;
    bool misto = true;
    std::vector<std::string> udalosti;   // "kopie x", "chyba-kopie x: duvod", ...
    std::vector<Prubeh> prubehy;

    bool nedostatekMista(std::int64_t volne, std::int64_t potreba) override;
    void krok(Krok k, const std::string& zdroj) override;
    void prubeh(const Prubeh& p) override { prubehy.push_back(p); }
    OdpovedChyby chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c) override;
    OdpovedChyby chybaMazani(const std::string& zdroj, const ChybaSouboru& c) override;
    OdpovedCteni jenProCteni(const std::string& zdroj) override;
    void vyrizeno(std::size_t i) override { udalosti.push_back("hotovo " + std::to_string(i)); }
};

void zapis(const std::string& cesta, const std::string& data);   // parents created
std::string vzorek(std::size_t delka, char seminko);    // deterministic bytes
// The names of temporary files anywhere below the directory.
std::vector<std::string> docasne(const std::string& koren);

} // namespace zrc::test
