#pragma once
// Sizes as text: the one formatter of the program.
//
// Two forms come out of it. The selection summary of the status bar keeps its
// fixed-width field ("1023byte ", "    1kB ", "   1.0MB "), whose columns stay
// put while the summary is refreshed every second. Every other line that
// names a size (the plan line of the confirmations, the progress line of the
// progress window, the status line after an operation) uses the readable
// form: binary units, one decimal, a decimal comma ("6,0 MiB").

#include <QString>
#include <cstdint>
#include <string>

namespace zrc {

// "0 B", "1023 B", "1,0 KiB", "6,0 MiB", "1,5 GiB": one decimal, rounded half
// up, binary units up to TiB; a value that rounds to 1024 takes the next unit
// (1 048 575 B is "1,0 MiB", never "1024,0 KiB").
std::string velikostTextem(std::int64_t bajty);

// A transfer rate in the same units: "85 MiB/s" from 10 units up (a decimal
// there only flickers), "8,5 MiB/s" below, "512 B/s" under a KiB.
std::string rychlostTextem(std::int64_t bajtuZaSekundu);

// The size field of the selection summary: for 0..1023 the number in 4
// characters and "byte ", up to 1023999 the KiB (fraction dropped) in 5
// characters and "kB ", above (or negative) the MiB with one rounded decimal
// and "." in 6 characters and "MB ". Longer numbers are never cut.
QString TextVelikosti(std::int64_t s);

} // namespace zrc
