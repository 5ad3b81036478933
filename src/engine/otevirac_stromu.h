#pragma once
// Opens the directories of one side's tree the way a walk must: each one
// relative to its parent's descriptor with O_DIRECTORY|O_NOFOLLOW, never by its
// full path. A tree of any depth is then reachable (paths far beyond PATH_MAX),
// and a directory that is swapped for a symbolic link while the run goes is
// refused instead of followed out of the tree.
//
// The opener keeps the descriptors of the chain from the base directory down to
// the directory opened last. Directories are listed in breadth-first order, so
// the next one is nearly always a sibling or a cousin: the opener climbs from
// the target only as far as the nearest open ancestor (one or two steps) and
// opens down from there, so neither finding nor opening a directory costs
// anything in proportion to its depth (a chain of 2 000 directories is 2 000
// openat calls, not two million steps). A directory two or more levels below
// the nearest open ancestor is opened from it in one openat2 call that refuses
// links in every component. The chain keeps at most a given number of
// descriptors open (the base directory and the deepest ones); a closed link is
// opened again from the nearest open one above it when a walk comes back.

#include "engine/strom_strany.h"
#include "platform/listing.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace zrc {

class OteviracStromu final {
public:
    // otevrenych: descriptors the chain may hold, at least 2.
    explicit OteviracStromu(std::size_t otevrenych = 16);

    // The open descriptor of node uzel on side strana of strom, valid until the
    // next call; -1 with the reason in ec when it or a directory above it cannot
    // be opened. One opener serves one side.
    int otevri(const StromStran& strom, int strana, const UzelStromu& uzel, std::error_code& ec);
    // Closes the chain's descriptors and gives back its memory.
    void zavri();

private:
    struct Clanek {
        const UzelStromu* uzel = nullptr;
        platform::DirectoryHandle adresar;
    };
    bool jeOtevreny(const UzelStromu& u) const;
    std::optional<int> otevriNaprimo(const UzelStromu& uzel, std::error_code& ec);
    void omezOtevrene();

    std::vector<Clanek> cesta_;                 // index = depth, the base directory first
    std::vector<const UzelStromu*> retez_;      // the target up to below the open ancestor
    std::string relativni_;                     // retez_ as a path, for one openat2
    std::size_t otevrenych_;
};

// Descriptors one opener may keep when threads openers run at once: a share of
// the process's limit (raised to its hard maximum first), leaving room for the
// rest of the program.
std::size_t descriptoruNaOtevirac(int otviracu);

} // namespace zrc
