#pragma once
// The plan line under a confirmation: what the operation will do, in Czech.
//
// The window adds it as the second line of "Opravdu odstranit vybrané
// soubory?" and "Opravdu nahradit vybrané soubory?":
//
//   const auto radek = textPlanu({.soubory = n, .bajty = b},
//                                kos ? KamSmazane::DoKose : KamSmazane::Natrvalo);
//   otazka + "\r" + textZBajtu(radek)
//
// n and b are the count and the summed size of the selected items (the same
// sum the selection summary shows). The size is util/velikost_text.h's
// velikostTextem.

#include <cstdint>
#include <string>

namespace zrc {

struct PlanOperace {
    std::int64_t soubory = 0;
    std::int64_t bajty = 0;
};

// Where deleted or replaced files go; the tail of the plan line.
enum class KamSmazane : std::uint8_t {
    Nic,           // "3 soubory, 6,0 MiB"
    DoKose,        // "3 soubory, 6,0 MiB, do koše"
    Natrvalo,      // "3 soubory, 6,0 MiB, natrvalo"
    StareDoKose,   // "3 soubory, 6,0 MiB, staré verze do koše" (a replacement)
};

// "1 soubor", "2 soubory" .. "4 soubory", "0 souborů", "5 souborů", "22 souborů":
// the Czech forms by the number itself, as the Czech plural rule of gettext.
std::string pocetSouboru(std::int64_t n);
std::string textPlanu(const PlanOperace& plan, KamSmazane kam = KamSmazane::Nic);

} // namespace zrc
