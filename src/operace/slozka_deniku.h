#pragma once
// Where the journals live and how one is read back.
//
// $XDG_STATE_HOME/zrcadlovac/ (default ~/.local/state/zrcadlovac/), one file
// per operation, "operace-<number>.denik"; the number grows with each
// operation (nanoseconds of the wall clock, at least the last one + 1), so
// the names sort in the order the operations ran. The last 20 are kept: an
// undo reaches back one operation, the rest is for the command line's
// listing and a look by hand.
//
// A journal is followed only when it is whole and ours: its header intact,
// every record but the last intact (the last may have been cut by a kill and
// is then left out), and every path inside one of its two trees or a trash
// directory. Anything else is refused with a Czech message.

#include "operace/denik.h"
#include "operace/zapis_deniku.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zrc {

inline constexpr std::size_t ponechatDeniku = 20;

// The directory from the environment; "" without $XDG_STATE_HOME and $HOME.
std::string adresarDeniku();

// Creates the directory when missing and a new journal in it with the header
// on disk, then removes all but the newest ponechatDeniku journals. 0, or the
// errno of the step that failed (then nothing was created).
[[nodiscard]] int zalozDenik(platform::Syscalls& sys, const std::string& adresar,
                             const HlavickaDeniku& h, ZapisDeniku& vysledek);

// The journals of the directory, oldest first (full paths).
std::vector<std::string> denikyVAdresari(const std::string& adresar);

struct Denik {
    std::string cesta;
    HlavickaDeniku hlavicka;
    std::vector<ZaznamDeniku> zaznamy;
    bool useknuty = false;   // the last line was incomplete and left out
};

struct KontrolaDeniku {
    std::string kosDomov{};   // the home trash; "": domovskyKos()
    long uid = -1;            // -1: getuid()
};

struct CteniDeniku {
    std::optional<Denik> denik;
    std::string chyba;   // Czech, when denik is empty
};

CteniDeniku ctiDenik(const std::string& cesta, const KontrolaDeniku& k = {});

// Where a path points outside the journal's trees and trashes, or nullopt.
std::optional<std::string> cestaMimo(const Denik& d, const KontrolaDeniku& k);

} // namespace zrc
