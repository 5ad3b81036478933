#pragma once
// Times as the comparison sees them.
//
// A file's modification time is compared in the packed 2-second form (local time):
// bits 25-31 year - 1980, 21-24 month, 16-20 day, 11-15 hour, 5-10 minute,
// 0-4 seconds / 2. The packed layout has 7 bits of year and would turn negative
// from 2044 on when read as a signed 32-bit word, so the engine keeps it in 64 bits
// and lets the year field run outside 0..127: for 1980-2043 the value equals the
// classic 32-bit word, and times before 1980 or after 2107 still exist and order
// correctly against all others.
//
// Date-time ("DatumCas") is the floating count of days since 30 December 1899
// that the filter arithmetic uses: integer part the day, fraction the time of day.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <ctime>

namespace zrc {

using BalenyCas = std::int64_t;   // packed 2-second local time, see above
using DatumCas = double;          // days since 1899-12-30

// Packed value of a POSIX time (seconds since the epoch), in local time.
BalenyCas balenyCasZUnix(std::time_t t);
// Packed value of a local date-time; years outside 1980..2099 give 0, which the
// filters read as "no limit" (every time passes).
BalenyCas balenyCasZDatumCasu(DatumCas d);
// The local date-time of a packed value (seconds doubled).
DatumCas datumCasZBalenehoCasu(BalenyCas b);
QDateTime qDateTimeZBalenehoCasu(BalenyCas b);

DatumCas datumCasZQDateTime(const QDateTime& t);
QDateTime qDateTimeZDatumCasu(DatumCas d);

// The long time format of date-time texts: with seconds until a filter routine
// of the window fills a time field, then hours and minutes for good. The result
// store carries the format its lists are shown in.
enum class DlouhyFormatCasu { HodinyMinutySekundy, HodinyMinuty };

// The "datum" column text of a packed time: yyyy.mm.dd hh:nn:ss (or hh:nn under
// the short format), the date alone at exactly 00:00:00.
QString textDatumu(BalenyCas b, DlouhyFormatCasu format);
// The same text written into kam (Latin-1, at most 40 bytes); returns its end.
char* zapisDatum(char* kam, BalenyCas b, DlouhyFormatCasu format);

} // namespace zrc
