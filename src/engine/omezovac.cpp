#include "engine/omezovac.h"

namespace zrc {

namespace {

constexpr auto intervalHlaseni = std::chrono::milliseconds(100);

} // namespace

bool Omezovac::ted()
{
    const auto nyni = std::chrono::steady_clock::now();
    if (nyni - posledni_ < intervalHlaseni)
        return false;
    posledni_ = nyni;
    return true;
}

} // namespace zrc
