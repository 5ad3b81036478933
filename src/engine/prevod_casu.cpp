#include "engine/prevod_casu.h"

#include <ctime>

namespace zrc {

namespace {

constexpr std::int64_t sekundDne = 86400;

std::int64_t deleniDolu(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

long posunUtc(std::int64_t t)
{
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    if (!localtime_r(&tt, &tm))
        return 0;
    return tm.tm_gmtoff;
}

// Proleptic Gregorian date of a day count since 1970-01-01 (H. Hinnant's method).
void datumZeDne(std::int64_t z, int& rok, int& mesic, int& den)
{
    z += 719468;
    const std::int64_t era = deleniDolu(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    den = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    mesic = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    rok = static_cast<int>(yoe + era * 400 + (mesic <= 2 ? 1 : 0));
}

} // namespace

BalenyCas zabalCas(int rok, int mesic, int den, int hodina, int minuta, int sekunda)
{
    return static_cast<BalenyCas>(rok - 1980) * (BalenyCas{1} << 25)
        + (static_cast<BalenyCas>(mesic) << 21) + (static_cast<BalenyCas>(den) << 16)
        + (static_cast<BalenyCas>(hodina) << 11) + (static_cast<BalenyCas>(minuta) << 5)
        + sekunda / 2;
}

BalenyCas PrevodCasu::baleny(std::int64_t unixCas)
{
    const std::int64_t denUtc = deleniDolu(unixCas, sekundDne);
    Den& d = dny_[static_cast<std::size_t>(denUtc) % dny_.size()];
    if (d.den != denUtc) {
        d.den = denUtc;
        d.posun = posunUtc(denUtc * sekundDne);
        d.smiseny = posunUtc(denUtc * sekundDne + sekundDne - 1) != d.posun;
    }
    const std::int64_t mistni = unixCas + (d.smiseny ? posunUtc(unixCas) : d.posun);
    const std::int64_t dny = deleniDolu(mistni, sekundDne);
    const std::int64_t sekundy = mistni - dny * sekundDne;
    int rok = 0, mesic = 0, den = 0;
    datumZeDne(dny, rok, mesic, den);
    return zabalCas(rok, mesic, den, static_cast<int>(sekundy / 3600),
                    static_cast<int>(sekundy / 60 % 60), static_cast<int>(sekundy % 60));
}

} // namespace zrc
