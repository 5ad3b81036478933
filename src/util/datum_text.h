#pragma once
// Year-first form of a date-time text.

#include <QString>
#include <QStringView>

namespace zrc {

// Turns a day-first text "d.M.yyyy[ h:mm[:ss]]" into "yyyy.mm.dd[ hh:mm[:ss]]":
// "6.12.2026 9:05:03" -> "2026.12.06 09:05:03", "6.12.2026" -> "2026.12.06".
QString UpravDatum(QStringView text);

} // namespace zrc
