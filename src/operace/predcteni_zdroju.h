#pragma once
// Read-ahead of the small source files of a copy, on a thread of its own.
//
// A small file costs about a dozen system calls, five of them on the source
// (open, fstat, read, fstat, close) and a read that waits for the disk when
// the file is not cached. While the operation's thread creates, writes and
// renames the temporary files of the targets, this thread reads the next small
// sources whole into memory, as rsync's sender reads ahead of its receiver.
//
// It touches nothing on the target side and asks no question. A file that it
// cannot read whole and unchanged (gone, unreadable, not a regular file,
// sparse, too large, changed while read) is simply left out: the operation's
// thread copies it the usual way and reports its error in order. Below the
// base it opens directories as the operation does (O_NOFOLLOW, from the same
// base descriptor), and the sources with the same flags.
//
// The next few sources are opened before the current one is read, and the
// disk is asked for their data at once (POSIX_FADV_WILLNEED): their reads are
// in flight together instead of one after another. Files opened before a
// question are never read after it: the question's answer may come after they
// were replaced.
//
// The operation takes the items in order. When it asks for an item that the
// read-ahead has not reached yet, the read-ahead skips it (the operation reads
// it itself), so a slow disk keeps both threads reading instead of one waiting
// for the other.

#include "operace/kopie_souboru.h"
#include "operace/operace.h"
#include "operace/strom_operace.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace zrc {

class PredcteniZdroju final {
public:
    // Reads items from index od on; zaklad is the source base descriptor.
    PredcteniZdroju(platform::Syscalls& sys, SdilenyAdresar zaklad, std::string zakladCesta,
                    const std::vector<PolozkaOperace>& polozky, const VolbyOperace& volby,
                    std::size_t od);
    ~PredcteniZdroju();   // stops the thread and waits for it (at most one file's read)
    PredcteniZdroju(const PredcteniZdroju&) = delete;
    PredcteniZdroju& operator=(const PredcteniZdroju&) = delete;

    // The data of item i, when it was read whole. Items before i are dropped;
    // waits only while item i is being read.
    bool vezmi(std::size_t i, PrectenyZdroj& z);
    // Around every question: while a person answers, the files may change.
    // pozastav() drops everything read and reads nothing more; pokracuj()
    // drops what a read under way brought and goes on after the last item taken.
    void pozastav();
    void pokracuj();

private:
    struct Zaznam {
        std::size_t index = 0;
        bool platny = false;
        PrectenyZdroj zdroj;
    };

    // A source opened ahead, its data asked of the disk.
    struct Otevreny {
        std::size_t index = 0;
        std::uint64_t generace = 0;
        ZdrojKopie zdroj;
    };

    void behej();
    bool maPrejit() const;   // paused, full or nothing is left: wait
    void precti(Zaznam& z, std::uint64_t generace);
    bool otevri(std::size_t i, ZdrojKopie& z);
    bool vezmiOtevreny(std::size_t i, std::uint64_t generace, ZdrojKopie& z);
    void otevriDopredu(std::size_t od, std::uint64_t generace);
    void odeberPred(std::size_t i);
    void zahod();      // under m_
    void uvolneno();   // under m_

    platform::Syscalls& sys_;
    StromOperace strom_;   // used by the read-ahead thread only
    std::deque<Otevreny> otevrene_;   // the read-ahead thread's only, ascending
    const std::vector<PolozkaOperace>& polozky_;
    const std::size_t maxSouboru_;
    const std::int64_t maxBajtu_, maxVelikost_;

    std::mutex m_;
    std::condition_variable zmena_;
    std::deque<Zaznam> okno_;            // ascending indices
    std::int64_t bajty_ = 0;             // data held in okno_
    std::size_t dalsi_ = 0;              // the next item to read
    std::size_t vLetu_ = SIZE_MAX;       // the item being read now
    std::size_t zive_ = 0;               // the operation asks for no item before this
    std::uint64_t generace_ = 0;         // a new one makes the read under way stale
    bool pauza_ = false;
    bool plno_ = false;                  // wait until half of the window is taken
    bool konec_ = false;
    std::thread vlakno_;
};

} // namespace zrc
