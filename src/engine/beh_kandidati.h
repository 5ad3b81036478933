#pragma once
// The differences one pass has found while the trees were walked, kept until
// that pass's file stage hands them on. Both passes are classified from one
// reading of each pair of directories, but a pass's items may reach the lists
// only in its own file stage: after the structure stage, behind "&Stop", and
// judged by the file filters as they are set at that moment. So a difference is
// kept as a candidate (its page before the filters, name, time, size and
// directory) and the filters are applied when it is handed on.
//
// Candidates are packed one after another into 256 KB blocks (24 bytes and the
// name, 8-byte aligned: some 56 bytes for a typical name) and every block is
// freed as soon as the file stage has read past it, so the candidates and the
// lists they fill never cost twice at once.

#include "engine/cas.h"
#include "engine/porovnani.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace zrc {

struct Kandidat {
    std::int64_t velikost = 0;
    BalenyCas cas = 0;
    std::uint32_t uzel = 0;       // index of the directory in StromStran
    std::uint16_t delka = 0;      // of the name that follows
    Trida trida = Trida::Nove;

    std::string_view jmeno() const { return {reinterpret_cast<const char*>(this + 1), delka}; }
};

class ZasobnikKandidatu {
public:
    void pridej(std::uint32_t uzel, Trida trida, std::string_view jmeno, BalenyCas cas,
                std::int64_t velikost);
    bool prazdny() const { return bloky_.empty(); }

    // Reading in the order of adding; every block read past is freed.
    const Kandidat* aktualni() const;   // null at the end
    void dalsi();
    void vycisti();

private:
    struct Blok {
        std::unique_ptr<std::byte[]> data;
        std::size_t pouzito = 0;
    };
    void preskocPrazdne();

    std::vector<Blok> bloky_;
    std::size_t blokCteni_ = 0, poziceCteni_ = 0;
};

} // namespace zrc
