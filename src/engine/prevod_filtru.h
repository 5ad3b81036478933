#pragma once
// The two representations of a time filter and the conversion between them:
// relative (a count of days, hours or minutes before now) and absolute (a
// date and an "hh:nn" time of day). Only the one of the filter's mode is
// used by a run; the other is brought in line when the mode is chosen.
//
// The arithmetic is on the wall clock, as the date fields show it: "3 hours
// ago" across a daylight-saving change is 3 hours of the clock face.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

namespace zrc {

struct AbsolutniMez {
    QDate datum;
    QString cas;   // "hh:nn"
};

// p = now - N minutes, now - N hours, or today - N days (midnight N days ago)
// for every other unit number; its date and its time of day as "hh:nn"
// (seconds dropped, so days always give "00:00").
AbsolutniMez absolutniZRelativni(int pocet, int jednotka, const QDateTime& ted);

// The count N that the absolute limit (date + time text) makes in the unit:
// (now - p) in hours or minutes, (today - p) in days, rounded to the nearest
// whole number with halves going to the even neighbour. Negative when p lies
// ahead. Nothing when the time text is not a valid time.
std::optional<qint64> relativniZAbsolutni(const QDate& datum, const QString& casText, int jednotka,
                                          const QDateTime& ted);

// A time of day as the time fields hold it: "hh:nn".
QString textCasuFiltru(const QTime& cas);

// n / d rounded to the nearest whole number, halves to the even one (d > 0).
qint64 zaokrouhliNaSude(qint64 n, qint64 d);

} // namespace zrc
