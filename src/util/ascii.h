#pragma once
// Letter case of the 26 ASCII letters only: every other character, accented
// letters included, stays as it is. Used where a rule folds just A-Z (INI
// names, list items, choice captions, type-ahead) and as the fast path of a
// full upper-casing of text that is plain ASCII.

#include <QChar>
#include <QStringView>
#include <algorithm>
#include <string_view>

namespace zrc {

constexpr char VelkaAscii(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - ('a' - 'A')) : c;
}

inline QChar MalaAscii(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(char16_t(c.unicode() + (u'a' - u'A'))) : c;
}

inline QChar VelkaAscii(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(char16_t(c.unicode() - (u'a' - u'A'))) : c;
}

// Equal texts when A-Z and a-z count as the same letter.
inline bool ShodneBezVelikostiAscii(QStringView a, QStringView b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](QChar x, QChar y) { return MalaAscii(x) == MalaAscii(y); });
}

inline bool JeAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace zrc
