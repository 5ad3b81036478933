#pragma once
// Shared set-up of the undo tests: two trees a/ and b/, a home trash and a
// journal directory in one temporary tree; an operation run with its journal,
// and the undo of that journal.

#include "operace/kniha_chyb.h"
#include "operace/vraceni.h"
#include "operace_pomoc.h"

#include <map>

namespace zrc::test {

// Relative path -> content of every regular file below the directory.
using Snimek = std::map<std::string, std::string>;
Snimek snimek(const std::string& koren);

class VraceniTest : public testing::Test {
protected:
    TempTree t{dir("a"), dir("b"), dir("data"), dir("stav")};
    std::string kos() const { return t.path("data/Trash"); }
    std::string a() const { return t.path("a"); }
    std::string b() const { return t.path("b"); }
    // Both trees and the trash's files, keyed "a/..", "b/..", "kos/..".
    Snimek vse() const;

    // Runs the command (list, code) on the items from a to b (a to a for a
    // deletion) with "mazat do koše", journaled; returns the journal read back.
    Denik proved(int seznam, KodOperace kod, const std::vector<std::string>& polozky,
                 platform::Syscalls* sys = nullptr);
    // Undoes d through sys (nullptr: the real calls), journaled.
    VysledekVraceni vrat(const Denik& d, platform::Syscalls* sys = nullptr);

    KnihaChyb kniha;
    Skript skript;
    std::string denikVraceni;   // the undo's own journal
};

} // namespace zrc::test
