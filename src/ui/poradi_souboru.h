#pragma once
// Which file of an operation is being worked on ("3" of "3 z 120 souborů"),
// told from the steps the engine reports, without a counter in the engine.
//
// The engine starts the items in list order, each with a step (krok) that
// names its source path; Retry repeats the step of the same item, and a move
// to another disk reports the delete steps of a finished batch afterwards,
// for items already counted. So the number advances only when a step names
// one of the next items, found within a short look-ahead (an item that got no
// step of its own, refused before it started, is passed over).

#include "operace/operace.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zrc {

class PoradiSouboru final {
public:
    explicit PoradiSouboru(const ZadaniOperace& z);

    // A step started on this source path (full, bytes); returns the number of
    // the file being worked on, from 1.
    std::size_t krok(const std::string& zdroj);
    [[nodiscard]] std::size_t aktualni() const { return dalsi_; }

private:
    static constexpr std::size_t dohled = 64;

    const std::string& zaklad_;
    const std::vector<PolozkaOperace>& polozky_;
    std::size_t dalsi_ = 0;   // items already started
};

} // namespace zrc
