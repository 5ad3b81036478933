#pragma once
// Pairs the files of the two sides of a directory by name, straight from the
// listings in the kernel's order. Sorting both listings first and merging them
// cost two sorts of some 20 entries per directory; a hash table over side 2's
// names finds every counterpart in one probe, and only the differences (about
// a fifth of the files of two trees that mirror each other) are sorted later,
// to reach the lists in the byte order of their names.

#include "engine/vypis_adresare.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zrc {

class ParovaniSouboru final {
public:
    static constexpr std::uint32_t bezProtejsku = UINT32_MAX;

    // Pairs a's files with b's; the spans below stay valid until the next call.
    void sparuj(const NeserazenyVypis& a, const NeserazenyVypis& b);
    // For a's file i, the index of b's file of the same name, or bezProtejsku.
    std::span<const std::uint32_t> protejskyA() const { return protejsky_; }
    // For b's file j, whether some file of a has its name.
    std::span<const std::uint8_t> sparovanyB() const { return sparovane_; }
    // After a directory of some 30 000 files the tables are given back.
    void uvolniNadbytek();

private:
    std::vector<std::uint32_t> tabulka_;   // index + 1 of b's files, 0 = free
    std::vector<std::uint32_t> protejsky_;
    std::vector<std::uint8_t> sparovane_;
};

// A hash of a name's bytes, 8 at a time.
[[nodiscard]] std::uint64_t hashJmena(std::string_view jmeno);

} // namespace zrc
