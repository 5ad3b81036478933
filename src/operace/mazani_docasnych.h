#pragma once
// Removing the temporary files of interrupted copies that a comparison met
// (SberDocasnych, engine/docasne_soubory.h), once the user agreed.
//
// Each goes only while it is still the file the walk saw: its directory is
// opened from the walked base one component at a time without following a
// symbolic link (StromOperace), so a directory swapped for a link since the
// walk leads nowhere; and the file must still be a regular file of the
// temporary name pattern with the device, inode, size and modification time
// the walk recorded. A user's own file that merely has such a name goes to the
// trash like any deleted file when the trash is on.

#include "engine/docasne_soubory.h"
#include "operace/chyba_souboru.h"
#include "operace/operace.h"

#include <string>
#include <vector>

namespace zrc {

namespace platform { class Syscalls; }

struct VolbyMazaniDocasnych {
    platform::Syscalls* sys = nullptr;   // nullptr: the real system calls
    Mazani mazani = Mazani::Natrvalo;    // DoKose: into the desktop's trash
    std::string kosDomov{};              // the home trash; "": $XDG_DATA_HOME/Trash
};

struct NesmazanyDocasny {
    std::string cesta;
    ChybaSouboru chyba;
};

struct VysledekMazaniDocasnych {
    std::size_t doKose = 0;                   // moved into the trash
    std::size_t smazano = 0;                  // deleted permanently
    std::vector<NesmazanyDocasny> nesmazane;  // left in place, with the reason
};

// One already gone counts as removed; one that is no longer what the walk saw
// stays and is reported (Duvod::ZmenenOdPorovnani). With the trash on and no
// trash usable for its file system the file stays too (Duvod::KosNelze): a
// leftover is never deleted permanently against the setting.
[[nodiscard]] VysledekMazaniDocasnych smazDocasne(const std::vector<NalezenyDocasny>& docasne,
                                                  const VolbyMazaniDocasnych& volby = {});

} // namespace zrc
