#pragma once
// The directories of one side of an operation, opened relative to its base.
//
// Below the base every component is opened with O_NOFOLLOW, so a symbolic link
// inside the tree is never followed and an operation never writes or deletes
// outside the two trees (the base itself is taken as the user typed it, links
// included). Opened directories are kept in a small cache: sorted lists visit
// the same few directories over and over, and a miss costs one openat per level.

#include "operace/chyba_souboru.h"
#include "platform/syscalls.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zrc {

using SdilenyAdresar = std::shared_ptr<platform::Fd>;

class StromOperace final {
public:
    StromOperace(platform::Syscalls& sys, std::string zaklad);
    // The same tree for another thread: the base descriptor shared (so both
    // see the same directory even if its path changes), the cache its own.
    StromOperace(platform::Syscalls& sys, std::string zaklad, SdilenyAdresar zakladFd);

    // Opens the directory podadr ("" or "a/b") below the base; with vytvorit,
    // missing directories (the base too) are created with 0777 less the umask
    // and remembered.
    SdilenyAdresar otevri(std::string_view podadr, bool vytvorit, ChybaSouboru& chyba);
    // Forgets cached directories (after pruning removed some).
    void zapomen() { cache_.clear(); }

    const std::string& zaklad() const { return zaklad_; }
    // Relative paths of the directories created, in order of creation.
    const std::vector<std::string>& vytvorene() const { return vytvorene_; }

private:
    SdilenyAdresar otevriZaklad(bool vytvorit, ChybaSouboru& chyba);

    platform::Syscalls& sys_;
    std::string zaklad_;
    SdilenyAdresar zakladFd_;
    std::unordered_map<std::string, SdilenyAdresar> cache_;
    std::vector<std::string> vytvorene_;
};

// Splits "a/b/x.txt" into "a/b" and "x.txt".
std::pair<std::string_view, std::string_view> rozdelCestu(std::string_view cesta);

} // namespace zrc
