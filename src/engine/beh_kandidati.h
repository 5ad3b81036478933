#pragma once
// The differences one pass has found in one directory while the trees were
// walked, kept until that pass's file stage hands them on. Both passes are
// classified from one reading of each pair of directories, but a pass's items
// may reach the lists only in its own file stage: after the structure stage,
// behind "&Stop", and judged by the file filters as they are set at that
// moment. So a difference is kept as a candidate (its page before the filters,
// name, time and size) and the filters are applied when it is handed on.
//
// A directory's candidates of one pass are packed one after another (19 bytes
// and the name, unaligned: some 46 bytes for a typical name; padded to 8 bytes
// they took 56, 2 MB more at a million files per side) into 32 KB blocks of
// the thread that compared the pair, and a block is given back as soon as the
// file stages have read every directory in it. The blocks are mapped on their
// own, so a block read through leaves nothing behind: small blocks of the
// heap, one per directory, stayed scattered over it once read and added 11 MiB
// at a million files per side. They are small because the file stages read
// the directories breadth first, not in the order the threads wrote them: a
// thread's 256 KB block spanned half the walk, so at a million files per side
// the first pass's stage gave back 2 of its 4 MB only after its last
// directory, while its lists filled (peak 34.6 MiB; 33.4 MiB with 32 KB).

#include "engine/cas.h"
#include "engine/porovnani.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace zrc {

// A candidate as read back from its packed record.
struct Kandidat {
    std::int64_t velikost = 0;
    BalenyCas cas = 0;
    Trida trida = Trida::Nove;
    std::string_view jmeno;
};

class BlokKandidatu;

// The candidates of one directory for one pass: a view into a thread's block,
// one pointer in size; the block lives as long as the thread's SberKandidatu.
class KandidatiAdresare final {
public:
    class Iterator {
    public:
        Kandidat operator*() const;
        Iterator& operator++();
        bool operator==(const Iterator& o) const { return p_ == o.p_; }
    private:
        friend class KandidatiAdresare;
        explicit Iterator(const std::byte* p) : p_(p) {}
        const std::byte* p_;
    };
    Iterator begin() const;
    Iterator end() const;
    bool empty() const { return !kus_; }
    // Read: the block is given back when nothing else in it is still unread.
    void uvolni();

private:
    friend class SberKandidatu;
    std::byte* kus_ = nullptr;   // its block, the length of the records, then the records
};

// A listing thread's candidates, written straight into the thread's blocks:
// gathered in a vector of their own first and then copied into a block, a
// huge directory's candidates were there twice, and the vectors of the threads
// on huge pairs held 4 MB at the peak of a flat tree of a million files.
class SberKandidatu final {
public:
    SberKandidatu();
    ~SberKandidatu();
    SberKandidatu(SberKandidatu&&) noexcept;
    SberKandidatu& operator=(SberKandidatu&&) = delete;

    // The bytes a candidate of that name takes.
    static std::size_t delkaZaznamu(std::string_view jmeno);
    // Room for a directory's candidates of the pass, bajtu bytes in all, which
    // pridej then fills in order; vezmi hands them over.
    void zacni(int pruchod, std::size_t bajtu);
    void pridej(int pruchod, Trida trida, std::string_view jmeno, BalenyCas cas, std::int64_t velikost);
    KandidatiAdresare vezmi(int pruchod);
    // Candidates of the pass for the page so far.
    std::size_t pocet(int pruchod, Trida trida) const { return pocty_[pruchod][static_cast<int>(trida)]; }

private:
    std::vector<std::unique_ptr<BlokKandidatu>> bloky_;
    BlokKandidatu* aktualni_[2] = {nullptr, nullptr};
    std::byte* kus_[2] = {nullptr, nullptr};      // the directory's room, per pass
    std::byte* dalsi_[2] = {nullptr, nullptr};    // where pridej writes next
    std::size_t pocty_[2][4] = {};
};

} // namespace zrc
