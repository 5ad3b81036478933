#include "util/velikost_text.h"

#include "util/retezce.h"

#include <array>
#include <cstdio>

namespace zrc {

namespace {

constexpr std::array<const char*, 4> jednotky{"KiB", "MiB", "GiB", "TiB"};

struct Desetiny {
    unsigned long long desetiny;   // tenths of the unit, rounded half up
    std::size_t jednotka;          // index into jednotky
};

// Tenths in integers (no binary fractions: 10,05 MiB is "10,1 MiB"); the unit
// is decided on the rounded value. bajty >= 1024.
Desetiny rozloz(std::int64_t bajty)
{
    const auto b = static_cast<unsigned __int128>(bajty);
    std::size_t j = 0;
    unsigned __int128 delitel = 1024;
    unsigned __int128 desetiny = (b * 10 + delitel / 2) / delitel;
    while (j + 1 < jednotky.size() && desetiny >= 10240) {
        ++j;
        delitel *= 1024;
        desetiny = (b * 10 + delitel / 2) / delitel;
    }
    return {static_cast<unsigned long long>(desetiny), j};
}

} // namespace

std::string velikostTextem(std::int64_t bajty)
{
    if (bajty < 1024)
        return std::to_string(bajty) + " B";
    const Desetiny d = rozloz(bajty);
    char s[64];
    std::snprintf(s, sizeof s, "%llu,%llu %s", d.desetiny / 10, d.desetiny % 10, jednotky[d.jednotka]);
    return s;
}

std::string rychlostTextem(std::int64_t bajtuZaSekundu)
{
    if (bajtuZaSekundu < 1024)
        return std::to_string(std::max<std::int64_t>(bajtuZaSekundu, 0)) + " B/s";
    const Desetiny d = rozloz(bajtuZaSekundu);
    if (d.desetiny < 100)
        return velikostTextem(bajtuZaSekundu) + "/s";
    // Whole units, rounded half up from the tenths.
    return std::to_string((d.desetiny + 5) / 10) + " " + jednotky[d.jednotka] + "/s";
}

QString TextVelikosti(std::int64_t s)
{
    if (s >= 0 && s < 1024)
        return DoplnZleva(QString::number(s), u' ', 4) + QStringLiteral("byte ");
    if (s >= 1024 && s <= 1023999)
        return DoplnZleva(QString::number(s / 1024), u' ', 5) + QStringLiteral("kB ");
    // One decimal, rounded, "." as the point whatever the locale.
    return DoplnZleva(QString::number(double(s) / 1048576.0, 'f', 1), u' ', 6) + QStringLiteral("MB ");
}

} // namespace zrc
