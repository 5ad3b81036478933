#pragma once
// Text routines shared by every layer: Czech-aware lower case, left filling,
// words split by a set of separator characters, simple asterisk masks.
// Positions and counts are in UTF-16 code units of QString; every letter these
// routines care about lies in the Basic Multilingual Plane.

#include <QString>
#include <QStringView>

namespace zrc {

// The small letter of one of the 22 Czech capitals of the lower-case table or
// of A-Z; every other character is returned unchanged.
QChar MalyZnak(QChar c);
// Every character passed through MalyZnak.
QString MalaPismena(QStringView s);

// s preceded by as many c as make it sirka long; s unchanged when already that
// long or longer.
QString DoplnZleva(QStringView s, QChar c, int sirka);

// Words of s separated by any character of oddelovace. Runs of separators never
// make empty words; leading and trailing separators are ignored.
int PocetSlov(QStringView s, QStringView oddelovace);
// The n-th word (1-based), or an empty text when s has fewer than n words.
QString NteSlovo(int n, QStringView s, QStringView oddelovace);

int PocetZnaku(QStringView s, QChar c);

// The mask without a leading and without a trailing asterisk.
QString OrezMasku(QStringView maska);
// Case-sensitive match of a name against "core", "core*", "*core" or "*core*"
// (asterisks inside the core are ordinary characters).
bool ShodaMasky(QStringView jmeno, QStringView maska);

} // namespace zrc
