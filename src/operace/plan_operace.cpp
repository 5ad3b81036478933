#include "operace/plan_operace.h"

#include <array>
#include <cstdio>

namespace zrc {

std::string pocetSouboru(std::int64_t n)
{
    const char* tvar = n == 1 ? "soubor" : (n >= 2 && n <= 4) ? "soubory" : "souborů";
    return std::to_string(n) + " " + tvar;
}

std::string velikostTextem(std::int64_t bajty)
{
    if (bajty < 1024)
        return std::to_string(bajty) + " B";
    static constexpr std::array<const char*, 4> jednotky{"KiB", "MiB", "GiB", "TiB"};
    // Tenths of the unit, rounded half up in integers (no binary fractions:
    // 10,05 MiB is "10,1 MiB"); the unit is decided on the rounded value, so
    // 1 048 575 B is "1,0 MiB", never "1024,0 KiB".
    const auto b = static_cast<unsigned __int128>(bajty);
    std::size_t j = 0;
    unsigned __int128 delitel = 1024;
    unsigned __int128 desetiny = (b * 10 + delitel / 2) / delitel;
    while (j + 1 < jednotky.size() && desetiny >= 10240) {
        ++j;
        delitel *= 1024;
        desetiny = (b * 10 + delitel / 2) / delitel;
    }
    char s[64];
    std::snprintf(s, sizeof s, "%llu,%llu %s", static_cast<unsigned long long>(desetiny / 10),
                  static_cast<unsigned long long>(desetiny % 10), jednotky[j]);
    return s;
}

std::string textPlanu(const PlanOperace& plan, KamSmazane kam)
{
    std::string s = pocetSouboru(plan.soubory) + ", " + velikostTextem(plan.bajty);
    switch (kam) {
    case KamSmazane::Nic: break;
    case KamSmazane::DoKose: s += ", do koše"; break;
    case KamSmazane::Natrvalo: s += ", natrvalo"; break;
    case KamSmazane::StareDoKose: s += ", staré verze do koše"; break;
    }
    return s;
}

} // namespace zrc
