#pragma once
// The directories of one side that a run has met, as a tree of listings. Each
// directory is listed at most once per run: the second pass and the other
// side's pass reuse what the first one read.

#include "engine/nepristupne_adresare.h"
#include "engine/vypis_adresare.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zrc {

constexpr std::uint32_t zadnyUzel = UINT32_MAX;

enum class StavUzlu : std::uint8_t { Nenacteny, Nacteny, Chyba };

struct UzelStromu {
    std::uint32_t rodic = zadnyUzel;
    std::uint32_t poradi = 0;                 // index among the parent's subdirectories
    std::uint32_t prvniPotomek = zadnyUzel;   // one child per subdirectory, contiguous
    StavUzlu stav = StavUzlu::Nenacteny;
    bool maCas = false;
    BalenyCas cas = 0;                        // the directory's own time, when maCas
    VypisAdresare vypis;
};

class StromStrany {
public:
    static constexpr std::uint32_t koren = 0;

    // zaklad: the base directory as given (bytes), one trailing "/" removed.
    explicit StromStrany(std::string zaklad);

    const std::string& zaklad() const { return zaklad_; }
    const UzelStromu& uzel(std::uint32_t i) const { return uzly_[i]; }
    UzelStromu& uzel(std::uint32_t i) { return uzly_[i]; }

    // The child for the parent's subdirectory of that name, or zadnyUzel (also
    // while the parent is not listed).
    std::uint32_t potomek(std::uint32_t rodic, std::string_view jmeno) const;
    std::uint32_t potomek(std::uint32_t rodic, std::uint32_t poradi) const;
    std::string_view jmeno(std::uint32_t i) const;

    // "" for the base directory, else "a/b".
    void relativniCesta(std::uint32_t i, std::string& cil) const;
    // The base directory joined with the relative path (never "//").
    std::string plnaCesta(std::uint32_t i) const;

    // Stores a listing and creates the children of its subdirectories; a
    // listing with an error is remembered with its node.
    void vloz(std::uint32_t i, NactenyAdresar&& nacteny);
    // The directories that could not be read, in the order they were stored.
    std::vector<NepristupnyAdresar> nepristupne() const;

private:
    struct ChybaUzlu {
        std::uint32_t uzel;
        std::error_code duvod;
    };
    std::string zaklad_;
    std::vector<UzelStromu> uzly_;
    std::vector<ChybaUzlu> chyby_;
};

} // namespace zrc
