#include "engine/cas.h"

#include "engine/prevod_casu.h"

#include <charconv>
#include <cmath>

namespace zrc {

namespace {

constexpr BalenyCas rokJednotka = BalenyCas(1) << 25;   // one year in the packed layout
constexpr int prvniRok = 1980;
constexpr qint64 msZaDen = 86'400'000;
const QDate nulaDatumCasu(1899, 12, 30);

struct Slozky {
    std::int64_t rok = prvniRok;
    int mesic = 0, den = 0, hodina = 0, minuta = 0, sekunda = 0;
};

BalenyCas zabal(const Slozky& s)
{
    return zabalCas(s.rok, s.mesic, s.den, s.hodina, s.minuta, s.sekunda);
}

// Beyond the layout's range the value counts 2-second steps; its fields are
// those of the time in UTC (no zone has rules that far).
Slozky rozbalMimoRozsah(std::int64_t t)
{
    const std::int64_t dny = t / 86400 - (t % 86400 < 0 ? 1 : 0);
    const std::int64_t sekundy = t - dny * 86400;
    Slozky s;
    datumZeDne(dny, s.rok, s.mesic, s.den);
    s.hodina = int(sekundy / 3600);
    s.minuta = int(sekundy / 60 % 60);
    s.sekunda = int(sekundy % 60);
    return s;
}

Slozky rozbal(BalenyCas b)
{
    if (const auto t = unixCasMimoRozsah(b))
        return rozbalMimoRozsah(*t);
    // Floor division: the low 25 bits are always the non-negative rest.
    BalenyCas roky = b / rokJednotka;
    if (b % rokJednotka < 0)
        --roky;
    const BalenyCas zbytek = b - roky * rokJednotka;
    Slozky s;
    s.rok = prvniRok + roky;
    s.mesic = int((zbytek >> 21) & 0xF);
    s.den = int((zbytek >> 16) & 0x1F);
    s.hodina = int((zbytek >> 11) & 0x1F);
    s.minuta = int((zbytek >> 5) & 0x3F);
    s.sekunda = int(zbytek & 0x1F) * 2;
    return s;
}

// Splits a date-time into its day and the milliseconds of its time of day,
// rounded to the millisecond so that "now - 1/1440" lands on whole seconds.
void rozdelDatumCas(DatumCas d, qint64& den, qint64& ms)
{
    den = qint64(std::floor(d));
    ms = std::llround((d - double(den)) * double(msZaDen));
    if (ms >= msZaDen) {
        ++den;
        ms -= msZaDen;
    }
}

} // namespace

BalenyCas balenyCasZUnix(std::time_t t)
{
    if (mimoRozsahPakovani(t))
        return balenyMimoRozsah(t);
    std::tm m{};
    if (!localtime_r(&t, &m))
        return 0;
    return zabal({std::int64_t(m.tm_year) + 1900, m.tm_mon + 1, m.tm_mday, m.tm_hour, m.tm_min, m.tm_sec});
}

BalenyCas balenyCasZDatumCasu(DatumCas d)
{
    if (!std::isfinite(d))
        return 0;
    qint64 den = 0, ms = 0;
    rozdelDatumCas(d, den, ms);
    // Any date counts, also before 1980 and after 2099: the 64-bit packed
    // times hold files of every year, and a limit of 2100 must exclude 2099.
    const QDate datum = nulaDatumCasu.addDays(den);
    if (!datum.isValid())
        return 0;
    const qint64 sekundy = ms / 1000;
    return zabal({datum.year(), datum.month(), datum.day(), int(sekundy / 3600),
                  int(sekundy / 60 % 60), int(sekundy % 60)});
}

QDateTime qDateTimeZBalenehoCasu(BalenyCas b)
{
    const Slozky s = rozbal(b);
    if (s.rok < INT32_MIN / 2 || s.rok > INT32_MAX / 2)
        return {};
    const QDate datum(int(s.rok), s.mesic, s.den);
    const QTime cas(s.hodina, s.minuta, s.sekunda);
    if (!datum.isValid() || !cas.isValid())
        return {};
    return QDateTime(datum, cas);
}

DatumCas datumCasZBalenehoCasu(BalenyCas b)
{
    // Straight from the fields: a wall-clock time that a daylight-saving change
    // skipped still has its own date-time.
    const Slozky s = rozbal(b);
    if (s.rok < INT32_MIN / 2 || s.rok > INT32_MAX / 2)
        return 0.0;
    const QDate datum(int(s.rok), s.mesic, s.den);
    const QTime cas(s.hodina, s.minuta, s.sekunda);
    if (!datum.isValid() || !cas.isValid())
        return 0.0;
    return double(nulaDatumCasu.daysTo(datum))
         + double(cas.msecsSinceStartOfDay()) / double(msZaDen);
}

DatumCas datumCasZQDateTime(const QDateTime& t)
{
    if (!t.isValid())
        return 0.0;
    const QDateTime mistni = t.timeSpec() == Qt::LocalTime ? t : t.toLocalTime();
    return double(nulaDatumCasu.daysTo(mistni.date()))
         + double(mistni.time().msecsSinceStartOfDay()) / double(msZaDen);
}

QDateTime qDateTimeZDatumCasu(DatumCas d)
{
    if (!std::isfinite(d))
        return {};
    qint64 den = 0, ms = 0;
    rozdelDatumCas(d, den, ms);
    return QDateTime(nulaDatumCasu.addDays(den), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

namespace {

// Writes v with at least sirka digits (more when it needs more) and returns the
// position after it.
char* zapisCislo(char* kam, char* konec, std::int64_t v, int sirka)
{
    char cislice[24];
    const std::uint64_t absolutni = v < 0 ? 0 - std::uint64_t(v) : std::uint64_t(v);
    const auto [za, chyba] = std::to_chars(cislice, cislice + sizeof cislice, absolutni);
    (void)chyba;
    const int delka = int(za - cislice);
    if (v < 0 && kam < konec)
        *kam++ = '-';
    for (int i = delka; i < sirka && kam < konec; ++i)
        *kam++ = '0';
    for (const char* c = cislice; c < za && kam < konec; ++c)
        *kam++ = *c;
    return kam;
}

} // namespace

QString textDatumu(BalenyCas b, DlouhyFormatCasu format)
{
    char text[40];
    const char* k = zapisDatum(text, b, format);
    return QString::fromLatin1(text, k - text);
}

char* zapisDatum(char* text, BalenyCas b, DlouhyFormatCasu format)
{
    const Slozky s = rozbal(b);
    char* const konec = text + 40;
    char* k = zapisCislo(text, konec, s.rok, 4);
    *k++ = '.';
    k = zapisCislo(k, konec, s.mesic, 2);
    *k++ = '.';
    k = zapisCislo(k, konec, s.den, 2);
    if (s.hodina != 0 || s.minuta != 0 || s.sekunda != 0) {
        *k++ = ' ';
        k = zapisCislo(k, konec, s.hodina, 2);
        *k++ = ':';
        k = zapisCislo(k, konec, s.minuta, 2);
        if (format == DlouhyFormatCasu::HodinyMinutySekundy) {
            *k++ = ':';
            k = zapisCislo(k, konec, s.sekunda, 2);
        }
    }
    return k;
}

} // namespace zrc
