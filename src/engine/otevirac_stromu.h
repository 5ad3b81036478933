#pragma once
// Opens the directories of one side's tree the way a walk must: each one
// relative to its parent's descriptor with O_DIRECTORY|O_NOFOLLOW, never by its
// full path. A tree of any depth is then reachable (paths far beyond PATH_MAX),
// and a directory that is swapped for a symbolic link while the run goes is
// refused instead of followed out of the tree.
//
// The opener keeps the descriptors of the chain from the base directory down to
// the directory opened last. Directories of one level are listed in
// breadth-first order, so the next one is nearly always a sibling or a cousin
// and costs one or two openat calls. The chain keeps at most a given number of
// descriptors open (the base directory and the deepest ones); a closed link is
// opened again from the nearest open one above it when a walk comes back to it.

#include "engine/strom_strany.h"
#include "platform/listing.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace zrc {

class OteviracStromu {
public:
    // otevrenych: descriptors the chain may hold, at least 2.
    explicit OteviracStromu(std::size_t otevrenych = 16);

    // The open descriptor of node uzel of strom, valid until the next call; -1
    // with the reason in ec when it or a directory above it cannot be opened.
    int otevri(const StromStrany& strom, std::uint32_t uzel, std::error_code& ec);

private:
    struct Clanek {
        std::uint32_t uzel = 0;
        platform::DirectoryHandle adresar;
    };
    platform::DirectoryHandle otevriClanek(const StromStrany& strom, std::size_t i, std::error_code& ec);

    std::vector<Clanek> cesta_;        // the base directory first
    std::vector<std::uint32_t> retez_; // nodes from the base directory to the target
    std::string jmeno_;                // NUL-terminated copy of one name
    std::size_t otevrenych_;
};

// Descriptors one opener may keep when threads openers run at once: a share of
// the process's limit (raised to its hard maximum first), leaving room for the
// rest of the program.
std::size_t descriptoruNaOtevirac(int otviracu);

} // namespace zrc
