#include "engine/prevod_filtru.h"

#include "engine/filtry.h"
#include "engine/nastaveni.h"

namespace zrc {

namespace {

constexpr qint64 msMinuty = 60'000;
constexpr qint64 msHodiny = 60 * msMinuty;
constexpr qint64 msDne = 24 * msHodiny;

// Wall-clock milliseconds since the Julian day 0: plain integers, so that
// halves stay exact halves (2.5 hours is 9 000 000 ms, not 0.104166... days).
qint64 msHodin(const QDate& datum, const QTime& cas)
{
    return datum.toJulianDay() * msDne + cas.msecsSinceStartOfDay();
}

qint64 delkaJednotky(int jednotka)
{
    switch (JednotkaFiltru(jednotka)) {
    case JednotkaFiltru::Minuty: return msMinuty;
    case JednotkaFiltru::Hodiny: return msHodiny;
    default: return msDne;
    }
}

bool jsouDny(int jednotka)
{
    return jednotka != int(JednotkaFiltru::Minuty) && jednotka != int(JednotkaFiltru::Hodiny);
}

} // namespace

qint64 zaokrouhliNaSude(qint64 n, qint64 d)
{
    qint64 q = n / d;
    qint64 r = n % d;
    if (r < 0) {   // floor division: 0 <= r < d
        --q;
        r += d;
    }
    if (2 * r > d || (2 * r == d && q % 2 != 0))
        ++q;
    return q;
}

QString textCasuFiltru(const QTime& cas)
{
    return cas.toString(QStringLiteral("hh:mm"));
}

AbsolutniMez absolutniZRelativni(int pocet, int jednotka, const QDateTime& ted)
{
    const qint64 nyni = msHodin(ted.date(), ted.time());
    const qint64 p = jsouDny(jednotka) ? (ted.date().toJulianDay() - pocet) * msDne
                                       : nyni - pocet * delkaJednotky(jednotka);
    const qint64 den = p >= 0 ? p / msDne : (p - msDne + 1) / msDne;
    const QTime cas = QTime::fromMSecsSinceStartOfDay(int(p - den * msDne));
    return {QDate::fromJulianDay(den), textCasuFiltru(cas)};
}

std::optional<qint64> relativniZAbsolutni(const QDate& datum, const QString& casText, int jednotka,
                                          const QDateTime& ted)
{
    const std::optional<QTime> cas = casZTextu(casText);
    if (!cas || !datum.isValid())
        return std::nullopt;
    const qint64 p = msHodin(datum, *cas);
    const qint64 od = jsouDny(jednotka) ? ted.date().toJulianDay() * msDne : msHodin(ted.date(), ted.time());
    return zaokrouhliNaSude(od - p, delkaJednotky(jednotka));
}

} // namespace zrc
