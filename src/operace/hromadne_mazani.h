#pragma once
// The guard against wiping a tree by mistake: one more question before an
// operation permanently deletes many of the files listed on its side.
//
// It asks when at least 10 files are deleted AND they are at least half of the
// files listed on that side; fewer than 10 files cost little to restore by
// hand, and a small share of a big list is an ordinary clean-up. Only for a
// permanent deletion: what goes to the trash can come back. The question comes
// also when "potvrzodstr" is off. The window calls it once per operation,
// after the ordinary confirmation and before ProvedOperaci:
//
//   if (hromadneMazani({.mazanych = n, .naStrane = list.rowCount(), .natrvalo = !kos}))
//       ask(textZBajtu(textHromadnehoMazani(n, list.rowCount())), Yes | No);
//
// naStrane counts the items of the list the command works on (for "starší
// verzi odstraň", whose files lie on the other side, the same list: each of
// its items names one file there). When the trash turns out to be unusable
// during the operation the engine asks about permanent deletion itself.

#include <cstdint>
#include <string>

namespace zrc {

struct RozsahMazani {
    std::int64_t mazanych = 0;   // files the operation would delete
    std::int64_t naStrane = 0;   // files listed on that side
    bool natrvalo = true;        // false: they go to the trash
};

inline constexpr std::int64_t hromadneOd = 10;

bool hromadneMazani(const RozsahMazani& r);
// "Natrvalo se odstraní 12 souborů z 20 uvedených na této straně.\rOpravdu pokračovat?";
// a line radekAdresare ("v adresáři 1: /data") comes before the question.
std::string textHromadnehoMazani(std::int64_t mazanych, std::int64_t naStrane,
                                 const std::string& radekAdresare = {});

} // namespace zrc
