#include "util/bajty_cesty.h"

namespace zrc {

namespace {

constexpr char16_t prvniUnik = 0xDC80;   // escaped byte 0x80
constexpr char16_t posledniUnik = 0xDCFF;

// Length of the valid UTF-8 sequence at the start of b, 0 when it is not one.
std::size_t delkaSekvence(std::string_view b)
{
    const auto u = [&](std::size_t i) { return static_cast<unsigned char>(b[i]); };
    const unsigned char c = u(0);
    std::size_t n = 0;
    char32_t min = 0, kod = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) { n = 2; min = 0x80; kod = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { n = 3; min = 0x800; kod = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { n = 4; min = 0x10000; kod = c & 0x07; }
    else return 0;
    if (b.size() < n)
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((u(i) & 0xC0) != 0x80)
            return 0;
        kod = (kod << 6) | (u(i) & 0x3F);
    }
    if (kod < min || kod > 0x10FFFF || (kod >= 0xD800 && kod <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

QString textZBajtu(std::string_view bajty)
{
    QString text;
    text.reserve(qsizetype(bajty.size()));
    std::size_t platnyOd = 0, i = 0;
    auto pripojPlatne = [&] {
        text += QString::fromUtf8(bajty.data() + platnyOd, qsizetype(i - platnyOd));
    };
    while (i < bajty.size()) {
        const std::size_t n = delkaSekvence(bajty.substr(i));
        if (n > 0) {
            i += n;
            continue;
        }
        pripojPlatne();
        text += QChar(char16_t(prvniUnik + static_cast<unsigned char>(bajty[i]) - 0x80));
        platnyOd = ++i;
    }
    pripojPlatne();
    return text;
}

std::string bajtyZTextu(const QString& text)
{
    std::string bajty;
    bajty.reserve(std::size_t(text.size()));
    qsizetype platnyOd = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const bool predHigh = i > 0 && text.at(i - 1).isHighSurrogate();
        if (c < prvniUnik || c > posledniUnik || predHigh)
            continue;
        bajty += text.mid(platnyOd, i - platnyOd).toStdString();
        bajty.push_back(static_cast<char>(c - prvniUnik + 0x80));
        platnyOd = i + 1;
    }
    bajty += text.mid(platnyOd).toStdString();
    return bajty;
}

QString textProZobrazeni(std::string_view bajty)
{
    return QString::fromUtf8(bajty.data(), qsizetype(bajty.size()));
}

bool obsahujeNeplatneZnaky(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == 0xFFFD)
            return true;
        if (c >= prvniUnik && c <= posledniUnik && !(i > 0 && text.at(i - 1).isHighSurrogate()))
            return true;
    }
    return false;
}

} // namespace zrc
