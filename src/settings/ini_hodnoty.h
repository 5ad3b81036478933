#pragma once
// How values are written into and read from a line of the INI file.
//
// Three forms keep every value exact while plain values stay plain, so the
// file remains readable and compatible with other INI readers:
//   plain    key=C:/data           the usual case
//   quoted   key=" two blanks  "   leading or trailing blanks, or a value that
//                                   begins or ends with a quote character;
//                                   readers drop one outer pair of quotes
//   escaped  key=\"a\nb"           control characters (line breaks): a
//                                   backslash, then the value in double quotes
//                                   with \n \r \t \\ and \xHH escapes
// "=", ";" and "[" need no form of their own: the key ends at the first "="
// and the rest of the line is the value.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zrc {

// Longest string a reader returns, in characters (code points); longer values
// are cut when read, never when written.
constexpr int maxDelkaTextu = 1023;

QByteArray kodujHodnotu(const QString& hodnota);

// The value part of a line (everything after the first "="), decoded; not cut.
QString dekodujHodnotu(QByteArrayView surova);

// Cuts a text read from the file to maxDelkaTextu code points.
QString zkratNaMaxDelku(QString text);

// An integer as the settings file stores it: optional leading blanks and a
// sign, then decimal digits; "$1F" or "0x1F" (more than two characters) are
// hexadecimal, up to 32 bits. Anything else, or a decimal value outside the
// 32-bit range, gives the default.
int ctiCislo(QStringView text, int vychozi);

// A boolean is an integer read with the default 1 or 0; non-zero is true.
bool ctiBool(QStringView text, bool vychozi);

inline QString zapisBool(bool hodnota) { return hodnota ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace zrc
