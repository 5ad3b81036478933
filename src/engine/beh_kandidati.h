#pragma once
// The differences one pass has found in one directory while the trees were
// walked, kept until that pass's file stage hands them on. Both passes are
// classified from one reading of each pair of directories, but a pass's items
// may reach the lists only in its own file stage: after the structure stage,
// behind "&Stop", and judged by the file filters as they are set at that
// moment. So a difference is kept as a candidate (its page before the filters,
// name, time and size) and the filters are applied when it is handed on.
//
// A directory's candidates of one pass are packed into one block of exactly
// their size (24 bytes and the name, 8-byte aligned: some 56 bytes for a
// typical name), made by the thread that compared the pair and freed as soon as
// the file stage has read it, so the candidates and the lists they fill never
// cost twice at once.

#include "engine/cas.h"
#include "engine/porovnani.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace zrc {

struct Kandidat {
    std::int64_t velikost = 0;
    BalenyCas cas = 0;
    std::uint16_t delka = 0;      // of the name that follows
    Trida trida = Trida::Nove;

    std::string_view jmeno() const { return {reinterpret_cast<const char*>(this + 1), delka}; }
};

// The candidates of one directory for one pass; empty takes one pointer.
class KandidatiAdresare {
public:
    class Iterator {
    public:
        const Kandidat& operator*() const { return *reinterpret_cast<const Kandidat*>(p_); }
        const Kandidat* operator->() const { return &**this; }
        Iterator& operator++();
        bool operator==(const Iterator& o) const { return p_ == o.p_; }
    private:
        friend class KandidatiAdresare;
        explicit Iterator(const std::byte* p) : p_(p) {}
        const std::byte* p_;
    };
    Iterator begin() const;
    Iterator end() const;
    bool empty() const { return !blok_; }
    void uvolni() { blok_.reset(); }

private:
    friend class SberKandidatu;
    std::unique_ptr<std::byte[]> blok_;   // the length of the records, then the records
};

// A listing thread's scratch for the candidates of the pair it compares.
class SberKandidatu {
public:
    void pridej(int pruchod, Trida trida, std::string_view jmeno, BalenyCas cas, std::int64_t velikost);
    // The pass's candidates gathered since the last call, packed for keeping.
    KandidatiAdresare vezmi(int pruchod);

private:
    std::vector<std::byte> data_[2];
};

} // namespace zrc
