#pragma once
// File names are bytes; texts are UTF-8. A path that arrives as bytes (the
// command line) travels as text without losing a byte: valid UTF-8 decodes as
// usual, and each byte of an invalid sequence becomes the lone surrogate
// U+DC80 + (byte - 0x80), which no valid UTF-8 yields. bajtyZTextu turns such a
// surrogate back into its byte, so the round trip gives the original bytes.

#include <QString>
#include <string>
#include <string_view>

namespace zrc {

QString textZBajtu(std::string_view bajty);
std::string bajtyZTextu(const QString& text);

// The text of a name or a path for showing only (the lists, messages, the
// command line's output): each byte that is not UTF-8 becomes the replacement
// character U+FFFD, as a name that is not UTF-8 is shown. There is no way back
// to the bytes, so a path is never rebuilt from this text.
QString textProZobrazeni(std::string_view bajty);

// True when the text holds a byte that is not UTF-8 (an escaped byte) or the
// replacement character U+FFFD that a lossy decoding leaves in its place.
bool obsahujeNeplatneZnaky(const QString& text);

} // namespace zrc
