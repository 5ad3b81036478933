#pragma once
// The pairs of directories waiting to be listed, taken by all threads of the
// walk in the order they were found. A thread lists and compares a pair alone
// and adds its subdirectories at once, so no thread waits for another's order:
// with 10 000 pairs of some 20 files, handing each pair over in breadth-first
// order cost 17 000 context switches and left a third of the two cores idle. A
// thread that found subdirectories takes the next pair itself and wakes others
// only for the rest, so a chain of directories runs on one thread without a
// hand-over per directory.
//
// A thread whose pair is huge offers the examination of its entries
// (DeleniVypisu) to the threads that wait for a pair; and only a few huge
// pairs are listed at once (zetony), as each holds some 100 bytes per entry
// of scratch: eight threads on eight directories of 50 000 files held 80 MB,
// while two of them, helped by the other six, keep both cores as busy.

#include "engine/deleni_vypisu.h"
#include "engine/strom_strany.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

namespace zrc {

class FrontaParu final {
public:
    FrontaParu(StromStran& strom, int zetonu) : strom_(strom), zetonu_(zetonu) {}

    // The next pair to list; null when the walk is over, after helping with
    // another pair's examination, or, with a time limit, when it passed with
    // nothing to take. Pairs go first: each keeps its thread busy for longer
    // than a range of another's entries.
    UzelStromu* vezmi(bool& konec, std::chrono::milliseconds limit = {});
    // Pair u is done: its subdirectories become pairs (their names copied out
    // of the listings).
    void dokonceno(UzelStromu& u, const std::vector<NovyPodadresar>& deti);
    // Pairs found and not yet taken.
    std::size_t cekajicich();

    // The ranges of d are there for any thread waiting for a pair or a token
    // until stahni, which returns once no other thread works on them.
    void nabidni(DeleniVypisu& d);
    void stahni(DeleniVypisu& d);

    // A token to list a huge pair; the thread helps others while it waits.
    void vezmiZeton();
    void vratZeton();

private:
    struct Nabidka {
        DeleniVypisu* deleni;
        int pomocniku;   // threads at work on it besides its own
    };
    Nabidka* nabidka();
    void pomoz(std::unique_lock<std::mutex>& l, Nabidka& n);

    StromStran& strom_;
    std::mutex m_;
    std::condition_variable prace_;            // pairs, offers, the walk's end
    std::condition_variable zeton_;            // tokens, offers
    std::condition_variable dokoncenaPomoc_;
    std::vector<Nabidka> nabidky_;   // few: at most one per thread
    std::size_t dalsi_ = 0;    // pairs before it are taken
    int aktivnich_ = 0;        // pairs taken and not done
    int cekajicich_ = 0;       // threads waiting for a pair
    int cekajicichNaZeton_ = 0;
    int zetonu_;
};

} // namespace zrc
