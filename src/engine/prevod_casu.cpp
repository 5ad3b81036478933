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

// Day count since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's method).
constexpr std::int64_t denZData(std::int64_t r, int m, int d)
{
    r -= m <= 2 ? 1 : 0;
    const std::int64_t era = (r >= 0 ? r : r - 399) / 400;
    const std::int64_t yoe = r - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The range of seconds packed in the calendar layout, and the packed values
// where the plain continuation begins: two days beyond the range's ends, so that
// a local offset (at most 26 hours) never carries a time inside the range past
// them.
constexpr std::int64_t prvniSekunda = denZData(-rokMezePakovani, 1, 1) * sekundDne;
constexpr std::int64_t zaPosledniSekundou = denZData(rokMezePakovani, 1, 1) * sekundDne;

BalenyCas horniNavaz() { return zabalCas(rokMezePakovani, 1, 3, 0, 0, 0); }
BalenyCas dolniNavaz() { return zabalCas(-rokMezePakovani - 1, 12, 29, 0, 0, 0); }

} // namespace

bool mimoRozsahPakovani(std::int64_t unixCas)
{
    return unixCas < prvniSekunda || unixCas >= zaPosledniSekundou;
}

BalenyCas balenyMimoRozsah(std::int64_t unixCas)
{
    if (unixCas >= zaPosledniSekundou)
        return horniNavaz() + (unixCas - zaPosledniSekundou) / 2;
    return dolniNavaz() - 1 - (prvniSekunda - 1 - unixCas) / 2;
}

std::optional<std::int64_t> unixCasMimoRozsah(BalenyCas b)
{
    // Values no time packs to (beyond the ends of the continuation) saturate.
    constexpr std::int64_t nejvys = INT64_MAX / 2 - zaPosledniSekundou / 2;
    if (b >= horniNavaz()) {
        const std::int64_t kroky = b - horniNavaz();
        return kroky > nejvys ? INT64_MAX : zaPosledniSekundou + 2 * kroky;
    }
    if (b < dolniNavaz()) {
        const std::int64_t kroky = dolniNavaz() - 1 - b;
        return kroky > nejvys ? INT64_MIN : prvniSekunda - 2 - 2 * kroky;   // even, as in the range
    }
    return std::nullopt;
}

void datumZeDne(std::int64_t z, std::int64_t& rok, int& mesic, int& den)
{
    z += 719468;
    const std::int64_t era = deleniDolu(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    den = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    mesic = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    rok = yoe + era * 400 + (mesic <= 2 ? 1 : 0);
}

BalenyCas zabalCas(std::int64_t rok, int mesic, int den, int hodina, int minuta, int sekunda)
{
    // The year field multiplies out so that years below 1980 give negative values
    // and years after 2107 carry beyond bit 31: the order stays that of time.
    return static_cast<BalenyCas>(rok - 1980) * (BalenyCas{1} << 25)
        + (static_cast<BalenyCas>(mesic) << 21) + (static_cast<BalenyCas>(den) << 16)
        + (static_cast<BalenyCas>(hodina) << 11) + (static_cast<BalenyCas>(minuta) << 5)
        + sekunda / 2;
}

namespace {

BalenyCas balenyDatum(std::int64_t dny)
{
    std::int64_t rok = 0;
    int mesic = 0, den = 0;
    datumZeDne(dny, rok, mesic, den);
    return zabalCas(rok, mesic, den, 0, 0, 0);
}

} // namespace

constexpr int dnuBloku = 256;

// The offset at each day's last second is sampled every 8 days and bisected
// down to the day where the samples differ: some 40 library conversions a
// block instead of 256. A change and its return within 8 days are not seen (the
// shortest in the zone database, a summer time suspended for Ramadan, lasts
// about a month).
void PrevodCasu::naplnBlok(Blok& b, std::int64_t cislo) const
{
    b = Blok{};
    b.cislo = cislo;
    const std::int64_t zacatek = cislo * dnuBloku * sekundDne;
    b.posun = static_cast<std::int32_t>(posunUtc(zacatek));
    const auto konecDne = [zacatek](int d) { return posunUtc(zacatek + (d + 1) * sekundDne - 1); };
    // Days in (od, do_] whose last second's offset differs from the day before's.
    const auto najdi = [&](auto& self, int od, long posunOd, int do_, long posunDo) -> void {
        if (b.pomaly)
            return;
        if (do_ - od == 1) {
            if (b.zmen == b.zmeny.size()) {
                b.pomaly = true;
                return;
            }
            const bool smiseny = posunUtc(zacatek + do_ * sekundDne) != posunDo;
            b.zmeny[b.zmen++] = Zmena{static_cast<std::uint8_t>(do_), smiseny,
                                      static_cast<std::int32_t>(posunDo)};
            return;
        }
        const int stred = od + (do_ - od) / 2;
        const long posunStred = konecDne(stred);
        if (posunStred != posunOd)
            self(self, od, posunOd, stred, posunStred);
        if (posunStred != posunDo)
            self(self, stred, posunStred, do_, posunDo);
    };
    constexpr int krok = 8;
    int den = -1;
    long posun = b.posun;
    for (int d = krok - 1; d < dnuBloku; d += krok) {
        const long dalsi = konecDne(d);
        if (dalsi != posun)
            najdi(najdi, den, posun, d, dalsi);
        den = d;
        posun = dalsi;
    }
}

long PrevodCasu::posunDne(const Blok& b, int den, std::int64_t unixCas) const
{
    if (b.pomaly)
        return posunUtc(unixCas);
    long posun = b.posun;
    for (std::uint8_t i = 0; i < b.zmen && b.zmeny[i].den <= den; ++i) {
        if (b.zmeny[i].den == den && b.zmeny[i].smiseny)
            return posunUtc(unixCas);
        posun = b.zmeny[i].posun;
    }
    return posun;
}

long PrevodCasu::posun(std::int64_t unixCas)
{
    const std::int64_t denUtc = deleniDolu(unixCas, sekundDne);
    const std::int64_t cislo = deleniDolu(denUtc, dnuBloku);
    Blok& b = bloky_[static_cast<std::size_t>(cislo) % bloky_.size()];
    if (b.cislo != cislo)
        naplnBlok(b, cislo);
    return posunDne(b, static_cast<int>(denUtc - cislo * dnuBloku), unixCas);
}

bool PrevodCasu::stejnyPosun(std::int64_t a, std::int64_t b)
{
    if (mimoRozsahPakovani(a) || mimoRozsahPakovani(b))
        return false;
    return posun(a) == posun(b);
}

BalenyCas PrevodCasu::baleny(std::int64_t unixCas)
{
    if (mimoRozsahPakovani(unixCas))
        return balenyMimoRozsah(unixCas);
    const std::int64_t mistni = unixCas + posun(unixCas);
    const std::int64_t dny = deleniDolu(mistni, sekundDne);
    const std::int64_t sekundy = mistni - dny * sekundDne;
    return balenyDatum(dny) + zabalCas(1980, 0, 0, static_cast<int>(sekundy / 3600),
                                       static_cast<int>(sekundy / 60 % 60), static_cast<int>(sekundy % 60));
}

} // namespace zrc
