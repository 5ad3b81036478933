#include "settings/ini_hodnoty.h"

#include "util/bajty_cesty.h"

#include <limits>
#include <optional>

namespace zrc {

namespace {

bool jeMezera(char16_t c) { return c == u' ' || c == u'\t'; }
bool jeUvozovka(QChar c) { return c == u'"' || c == u'\''; }
bool jeRidici(QChar c) { return c.unicode() < 0x20 && c != u'\t'; }

bool potrebujeEscape(const QString& h)
{
    for (QChar c : h)
        if (jeRidici(c))
            return true;
    return false;
}

bool potrebujeUvozovky(const QString& h)
{
    return jeMezera(h.front().unicode()) || jeMezera(h.back().unicode())
        || jeUvozovka(h.front()) || jeUvozovka(h.back());
}

QByteArray escapuj(const QString& h)
{
    QByteArray ven = "\\\"";
    for (char c : bajtyZTextu(h)) {
        switch (c) {
        case '\n': ven += "\\n"; break;
        case '\r': ven += "\\r"; break;
        case '\t': ven += "\\t"; break;
        case '\\': ven += "\\\\"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                ven += "\\x" + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
            else
                ven += c;
        }
    }
    return ven + '"';
}

int hexCislice(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Inverse of escapuj for the text between the quotes. An unknown or cut escape
// is kept as written: a hand-edited file must not lose characters.
QString odescapuj(QByteArrayView s)
{
    QByteArray ven;
    ven.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            ven += s[i];
            continue;
        }
        const char e = s[i + 1];
        if (e == 'n') { ven += '\n'; ++i; }
        else if (e == 'r') { ven += '\r'; ++i; }
        else if (e == 't') { ven += '\t'; ++i; }
        else if (e == '\\') { ven += '\\'; ++i; }
        else if (e == 'x' && i + 3 < s.size() && hexCislice(s[i + 2]) >= 0 && hexCislice(s[i + 3]) >= 0) {
            ven += static_cast<char>(hexCislice(s[i + 2]) * 16 + hexCislice(s[i + 3]));
            i += 3;
        } else {
            ven += s[i];
        }
    }
    return textZBajtu(std::string_view(ven.constData(), std::size_t(ven.size())));
}

std::optional<std::uint32_t> hexadecimalne(QStringView cislice)
{
    if (cislice.isEmpty() || cislice.size() > 8 + 8)
        return std::nullopt;
    std::uint64_t v = 0;
    for (QChar c : cislice) {
        const int d = c.unicode() < 128 ? hexCislice(static_cast<char>(c.unicode())) : -1;
        if (d < 0)
            return std::nullopt;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(v);
}

std::optional<int> desitkove(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool zaporne = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        zaporne = text[i++] == u'-';
    if (i == text.size())
        return std::nullopt;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        v = v * 10 + (text[i].unicode() - u'0');
        if (v > std::int64_t{std::numeric_limits<int>::max()} + 1)
            return std::nullopt;
    }
    v = zaporne ? -v : v;
    if (v > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

} // namespace

// Values are written as UTF-8; a byte that is not UTF-8, which a path's text
// carries as an escaped byte (util/bajty_cesty.h), is written as that byte, so
// that a directory whose name is not UTF-8 (the command line, the history)
// reads back as the same directory instead of a name with replacement
// characters.
QByteArray kodujHodnotu(const QString& hodnota)
{
    if (hodnota.isEmpty())
        return {};
    if (potrebujeEscape(hodnota))
        return escapuj(hodnota);
    const QByteArray bajty = QByteArray::fromStdString(bajtyZTextu(hodnota));
    if (potrebujeUvozovky(hodnota))
        return '"' + bajty + '"';
    return bajty;
}

QString dekodujHodnotu(QByteArrayView surova)
{
    qsizetype od = 0, po = surova.size();
    while (od < po && (surova[od] == ' ' || surova[od] == '\t'))
        ++od;
    while (po > od && (surova[po - 1] == ' ' || surova[po - 1] == '\t'))
        --po;
    const QByteArrayView h = surova.sliced(od, po - od);
    if (h.size() >= 3 && h.startsWith("\\\"") && h.back() == '"')
        return odescapuj(h.sliced(2, h.size() - 3));
    if (h.size() >= 2 && (h.front() == '"' || h.front() == '\'') && h.back() == h.front())
        return textZBajtu(std::string_view(h.data() + 1, std::size_t(h.size() - 2)));
    return textZBajtu(std::string_view(h.data(), std::size_t(h.size())));
}

QString zkratNaMaxDelku(QString text)
{
    if (text.size() <= maxDelkaTextu)
        return text;
    qsizetype i = 0;
    for (int znaku = 0; znaku < maxDelkaTextu && i < text.size(); ++znaku)
        i += (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
    text.truncate(i);
    return text;
}

int ctiCislo(QStringView text, int vychozi)
{
    std::optional<std::uint32_t> hex;
    if (text.startsWith(u'$'))
        hex = hexadecimalne(text.sliced(1));
    else if (text.size() > 2 && (text.startsWith(u"0x") || text.startsWith(u"0X")))
        hex = hexadecimalne(text.sliced(2));
    else
        return desitkove(text).value_or(vychozi);
    return hex ? static_cast<int>(*hex) : vychozi;
}

bool ctiBool(QStringView text, bool vychozi)
{
    return ctiCislo(text, vychozi ? 1 : 0) != 0;
}

} // namespace zrc
