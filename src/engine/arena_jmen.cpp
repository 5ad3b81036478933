#include "engine/arena_jmen.h"

#include <algorithm>
#include <cstring>

namespace zrc {

namespace {
constexpr std::size_t velikostBloku = 64 * 1024;
} // namespace

std::string_view ArenaJmen::uloz(std::string_view jmeno)
{
    const std::size_t potreba = jmeno.size() + 1;
    if (bloky_.empty() || pouzito_ + potreba > kapacita_) {
        kapacita_ = std::max(velikostBloku, potreba);
        bloky_.push_back(std::make_unique_for_overwrite<char[]>(kapacita_));
        pouzito_ = 0;
    }
    char* cil = bloky_.back().get() + pouzito_;
    pouzito_ += potreba;
    if (!jmeno.empty())
        std::memcpy(cil, jmeno.data(), jmeno.size());
    cil[jmeno.size()] = '\0';
    return {cil, jmeno.size()};
}

void ArenaJmen::vycisti()
{
    bloky_.clear();
    bloky_.shrink_to_fit();
    pouzito_ = kapacita_ = 0;
}

} // namespace zrc
