#pragma once
// Verification of pairs by content: for each pair of a list (a relative path
// under both bases), the two files are compared byte by byte (shoda_obsahu.h),
// one pair after the other, on the calling (worker) thread. The window runs it
// with its progress window, the command line directly.
//
// Nothing is written: a pair is only sorted into equal, differing and
// unreadable. An unreadable pair is no reason to stop: it is recorded with
// its error and the walk goes on.

#include "operace/chyba_souboru.h"
#include "operace/operace.h"
#include "operace/shoda_obsahu.h"
#include "platform/syscalls.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zrc {

struct ParOvereni {
    std::string cesta;           // relative path, own bytes: "a/b/x.txt"
    std::int64_t velikost = 0;   // the list's size of the item (the progress total)
};

struct ZadaniOvereni {
    std::string zaklad1{}, zaklad2{};   // base directories (bytes)
    std::vector<ParOvereni> pary{};
};

struct NecitelnyPar {
    std::size_t index = 0;
    std::string cesta{};          // full path of the side that failed
    ChybaSouboru chyba{};
};

struct VysledekOvereni {
    std::vector<std::size_t> shodne;   // indices of the pairs with equal bytes, ascending
    std::vector<std::size_t> lisi;     // indices of the pairs that differ, ascending
    std::vector<NecitelnyPar> necitelne;
    std::int64_t bajtuShodnych = 0;    // of one side
    bool zruseno = false;              // the pairs from the cancelled one on are in no vector
};

// What a verification tells while it runs; both calls may be left as they are.
class RozhraniOvereni {
public:
    virtual ~RozhraniOvereni() = default;
    // The pair with this side-1 path (full, bytes) starts.
    virtual void krok(const std::string& cesta1) { (void)cesta1; }
    // At every pair's start and end and at least every 100 ms within a pair.
    virtual void prubeh(const Prubeh& p) { (void)p; }
};

// "shodný obsah: 12 souborů, 3,4 GiB": the status line after a verification
// and the command line's report.
std::string textShodnehoObsahu(const VysledekOvereni& v);

// A base directory opened once (O_PATH), so that a pair is opened by its
// relative path: two components to look up instead of the base's as well.
// Not open (a base that went away): the pairs' full paths are used.
platform::Fd otevriZakladOvereni(platform::Syscalls& sys, const std::string& zaklad);
// The path to open: rel relative to the base's descriptor, else in full
// (built in plna).
const std::string& cestaOvereni(const platform::Fd& adresar, const std::string& zaklad, const std::string& rel,
                                std::string& plna);
// Sorts pair i with its comparison's result into v (cestaChyby: the full
// path of the side that failed, when one did); false for a cancelled pair,
// which goes nowhere.
[[nodiscard]] bool zaradPar(VysledekOvereni& v, std::size_t i, const VysledekShody& s, std::string cestaChyby);

[[nodiscard]] VysledekOvereni OverObsah(const ZadaniOvereni& z, RozhraniOvereni& r,
                                        const VolbyShody& volby = {});

} // namespace zrc
