#pragma once
// Pruning of directories that a deletion emptied, and the free space of a target.

#include "platform/syscalls.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zrc {

// Removes podadr and its parents below the base, deepest first, keeping the
// directories up to uroven levels below the base; unlinkat(AT_REMOVEDIR) only,
// which refuses a non-empty directory atomically, so a file created meanwhile
// is never lost. Stops at the first failure. Returns the count removed.
int prorezejAdresare(platform::Syscalls& sys, int zakladFd, std::string_view podadr, int uroven);

// f_bavail * f_frsize of the directory or of its nearest existing parent; -1
// when none can be read.
std::int64_t volneMisto(platform::Syscalls& sys, const std::string& adresar);

} // namespace zrc
