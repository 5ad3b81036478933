#pragma once
// Names stored one after another in 64 KB blocks that never move: a view of a
// stored name stays valid until the arena is cleared. A name costs its bytes
// and a NUL, where a std::string of its own costs 32 bytes and, beyond 15
// bytes, a heap block with its overhead.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace zrc {

class ArenaJmen final {
public:
    // A NUL-terminated copy of jmeno.
    std::string_view uloz(std::string_view jmeno);
    void vycisti();

private:
    std::vector<std::unique_ptr<char[]>> bloky_;
    std::size_t pouzito_ = 0, kapacita_ = 0;   // of the last block
};

} // namespace zrc
