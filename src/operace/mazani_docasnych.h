#pragma once
// Deleting the temporary files of interrupted copies that a comparison met
// (SberDocasnych, engine/docasne_soubory.h), once the user agreed.

#include <string>
#include <vector>

namespace zrc {

namespace platform { class Syscalls; }

struct NesmazanyDocasny {
    std::string cesta;
    int err = 0;
};

// Deletes the leftovers permanently: each only while it still is a regular
// file of the temporary name pattern, through its directory opened without
// following a symbolic link. Returns those that could not be deleted (one
// already gone counts as deleted).
// sys: nullptr for the real system calls.
[[nodiscard]] std::vector<NesmazanyDocasny> smazDocasne(const std::vector<std::string>& cesty,
                                                        platform::Syscalls* sys = nullptr);

} // namespace zrc
