#include "vystup.h"

#include "engine/cislo_seznamu.h"
#include "engine/nepristupne_adresare.h"
#include "util/bajty_cesty.h"
#include "util/retezce.h"

#include <cerrno>
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace zrc::cli {

namespace {

const std::array<const char*, 4> strankyUtf8 = {"NOVÉ", "NOVĚJŠÍ", "VĚTŠÍ", "MENŠÍ"};

class Vystup {
public:
    explicit Vystup(std::FILE* f) : f_(f) {}
    Vystup& operator<<(std::string_view s) { buf_.append(s); kontrola(); return *this; }
    Vystup& operator<<(const char* s) { return *this << std::string_view(s); }
    Vystup& operator<<(const std::string& s) { return *this << std::string_view(s); }
    Vystup& operator<<(const QString& s) { return *this << std::string_view(s.toUtf8()); }
    Vystup& operator<<(char c) { buf_.push_back(c); return *this; }
    // Writes what is buffered; after a failed write nothing more is tried.
    void flush()
    {
        errno = 0;
        if (chyba_ == 0 && !buf_.empty()
            && std::fwrite(buf_.data(), 1, buf_.size(), f_) != buf_.size())
            chyba_ = errno ? errno : EIO;
        buf_.clear();
    }
    int chyba() const { return chyba_; }

private:
    // 64 KB at a time: as fast to write as larger pieces, and the buffer
    // (which grew to 2 MB when it was flushed at 1 MB) is no longer a part of
    // the run's peak memory worth mentioning.
    void kontrola() { if (buf_.size() > 64 * 1024) flush(); }
    std::FILE* f_;
    std::string buf_;
    int chyba_ = 0;
};

QString text(const UlozisteVysledku& u, const Polozka& p, Sloupec s)
{
    return textPolozky(u, p, s);
}

// Tabs, line breaks and backslashes inside a name would break the lines and
// columns of TSV; they are written as \t, \n, \r and \\.
void pridejBezRidicich(std::string& cil, std::string_view utf8)
{
    // A plain loop: find_first_of searched the four characters with a memchr
    // call for every byte of the text.
    std::size_t od = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char* nahrada = nullptr;
        switch (utf8[i]) {
        case '\t': nahrada = "\\t"; break;
        case '\n': nahrada = "\\n"; break;
        case '\r': nahrada = "\\r"; break;
        case '\\': nahrada = "\\\\"; break;
        default: continue;
        }
        cil.append(utf8.substr(od, i - od));
        cil.append(nahrada);
        od = i + 1;
    }
    cil.append(utf8.substr(od));
}

// The length of the UTF-8 sequence at the start of s, 0 when it is not valid
// (overlong, a surrogate, beyond U+10FFFF, cut off).
std::size_t delkaUtf8(std::string_view s)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const auto pokracuje = [&](std::size_t i, unsigned od = 0x80, unsigned po = 0xBF) {
        return i < s.size() && b(i) >= od && b(i) <= po;
    };
    const unsigned c = b(0);
    if (c >= 0xC2 && c <= 0xDF)
        return pokracuje(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const bool prvni = c == 0xE0 ? pokracuje(1, 0xA0) : c == 0xED ? pokracuje(1, 0x80, 0x9F) : pokracuje(1);
        return prvni && pokracuje(2) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const bool prvni = c == 0xF0 ? pokracuje(1, 0x90) : c == 0xF4 ? pokracuje(1, 0x80, 0x8F) : pokracuje(1);
        return prvni && pokracuje(2) && pokracuje(3) ? 4 : 0;
    }
    return 0;
}

// Lowers valid UTF-8 without control characters straight from its bytes: the
// letters that have a small form lie below U+0800 (two bytes), longer
// sequences stay as they are. False, with cil as it was, for anything else,
// which goes through UTF-16 and gets its replacement characters there.
bool pridejMaleUtf8(std::string& cil, std::string_view bajty)
{
    if (bajty.starts_with("\xEF\xBB\xBF"))
        return false;
    // Lowering keeps every character's length in bytes, so the name is written
    // into room taken at once (byte by byte appends were 6 % of the command
    // line's own time at a million files).
    const std::size_t zacatek = cil.size();
    cil.resize(zacatek + bajty.size());
    char* out = cil.data() + zacatek;
    for (std::size_t i = 0; i < bajty.size();) {
        const auto b = static_cast<unsigned char>(bajty[i]);
        if (b < 0x80) {
            if (b < 0x20 || b == '\\') {
                cil.resize(zacatek);
                return false;
            }
            out[i++] = b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : static_cast<char>(b);
            continue;
        }
        const bool dvaBajty = b >= 0xC2 && b <= 0xDF && i + 1 < bajty.size()
            && (static_cast<unsigned char>(bajty[i + 1]) & 0xC0) == 0x80;
        const std::size_t delka = dvaBajty ? 2 : delkaUtf8(bajty.substr(i));
        if (delka == 0) {
            cil.resize(zacatek);
            return false;
        }
        if (delka == 2) {
            const auto znak = static_cast<char16_t>(((b & 0x1F) << 6) | (static_cast<unsigned char>(bajty[i + 1]) & 0x3F));
            const char16_t maly = MalyZnak(QChar(znak)).unicode();
            out[i] = static_cast<char>(0xC0 | (maly >> 6));
            out[i + 1] = static_cast<char>(0x80 | (maly & 0x3F));
        } else {
            std::memcpy(out + i, bajty.data() + i, delka);
        }
        i += delka;
    }
    return true;
}

// A name column as the lists show it (in small letters). A chain of 2 000
// directories prints 2 000 paths of up to 4 KB, and the way through UTF-16 and
// back took more time than listing the chain; names are lowered from their
// bytes when they are plain UTF-8, which they nearly always are.
void pridejJmeno(std::string& cil, std::string_view bajty)
{
    if (!pridejMaleUtf8(cil, bajty))
        pridejBezRidicich(cil, std::string_view(textZobrazeni(bajty).toUtf8()));
}

void tsv(Vystup& o, const UlozisteVysledku& u)
{
    std::string radek;
    // Items of one directory follow each other; its path, the longest column,
    // is lowered once for all of them.
    std::string podadresar;
    std::uint32_t cisloPodadresare = UINT32_MAX;
    for (int s = 1; s <= UlozisteVysledku::pocetSeznamu; ++s) {
        const std::string cislo = std::to_string(s);
        for (const Polozka& p : u.seznam(s)) {
            if (p.podadresar != cisloPodadresare) {
                podadresar.clear();
                pridejJmeno(podadresar, u.podadresar(p.podadresar));
                cisloPodadresare = p.podadresar;
            }
            radek = cislo;
            radek += '\t';
            pridejJmeno(radek, nazevPolozky(p));
            radek += '\t';
            pridejJmeno(radek, typPolozky(p));
            radek += '\t';
            char datum[40];   // digits and separators: nothing to escape
            radek.append(datum, zapisDatum(datum, p.cas, u.formatCasu()));
            radek += '\t';
            radek += std::to_string(p.velikost);
            radek += '\t';
            radek += podadresar;
            radek += '\n';
            o << radek;
        }
    }
}

// Names go to a terminal: control characters (ESC, CR, BEL ...) are written
// escaped, so that no escape sequence from a file name reaches it; bytes that
// are not UTF-8 show as replacement characters.
std::string proTerminal(std::string_view bajty)
{
    return bezpecnaCesta(bajty).toStdString();
}

// The relative path in the file's own letters, for showing.
QString relativniCesta(const UlozisteVysledku& u, const Polozka& p)
{
    return textProZobrazeni(CestaPolozky(u, p, true));
}

// A base directory as given (its bytes kept in the text), for showing.
QString zakladProZobrazeni(const UlozisteVysledku& u, int adresar)
{
    return textProZobrazeni(bajtyZTextu(u.cestaAdr(adresar)));
}

void text(Vystup& o, const UlozisteVysledku& u)
{
    bool neco = false;
    for (int s = 1; s <= UlozisteVysledku::pocetSeznamu; ++s) {
        const auto& seznam = u.seznam(s);
        if (seznam.empty())
            continue;
        if (neco)
            o << '\n';
        neco = true;
        const CisloSeznamu c(s);
        o << strankyUtf8[std::size_t(c.stranka() - 1)] << " - ADRESÁŘ " << std::to_string(c.adresar()) << ": "
          << proTerminal(bajtyZTextu(VlastniAdresar(u, s))) << " (" << std::to_string(seznam.size()) << ")\n";
        for (const Polozka& p : seznam) {
            const QString datum = text(u, p, Sloupec::Datum);
            const QString velikost = text(u, p, Sloupec::Velikost);
            o << "  " << datum.leftJustified(19) << "  " << velikost.rightJustified(14) << "  "
              << proTerminal(CestaPolozky(u, p, true)) << '\n';
        }
    }
    if (!neco)
        o << "Nové, nebo změněné soubory vyhovující zadanému filtru nejsou nalezeny.\n";
}


void jsonPolozka(Vystup& o, const UlozisteVysledku& u, const Polozka& p)
{
    o << "{\"name\":" << jsonText(text(u, p, Sloupec::Nazev))
      << ",\"type\":" << jsonText(text(u, p, Sloupec::Typ))
      << ",\"date\":" << jsonText(text(u, p, Sloupec::Datum))
      << ",\"size\":" << std::to_string(p.velikost)
      << ",\"subdir\":" << jsonText(text(u, p, Sloupec::Podadr))
      << ",\"path\":" << jsonText(relativniCesta(u, p)) << '}';
}

void json(Vystup& o, const UlozisteVysledku& u, const std::string& dodatek)
{
    o << "{\"directory1\":" << jsonText(zakladProZobrazeni(u, 1)) << ",\"directory2\":"
      << jsonText(zakladProZobrazeni(u, 2)) << ",\"lists\":[";
    for (int s = 1; s <= UlozisteVysledku::pocetSeznamu; ++s) {
        const CisloSeznamu c(s);
        o << (s > 1 ? ",\n" : "\n") << "{\"list\":" << std::to_string(s) << ",\"page\":\""
          << strankyUtf8[std::size_t(c.stranka() - 1)] << "\",\"side\":" << std::to_string(c.adresar())
          << ",\"items\":[";
        bool prvni = true;
        for (const Polozka& p : u.seznam(s)) {
            o << (prvni ? "\n" : ",\n");
            prvni = false;
            jsonPolozka(o, u, p);
        }
        o << "]}";
    }
    o << "\n]" << dodatek << "}\n";
}

} // namespace

std::string jsonText(const QString& s)
{
    std::string v = "\"";
    for (const char c : s.toUtf8()) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            v.push_back('\\');
            v.push_back(c);
        } else if (b < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", b);
            v += esc;
        } else {
            v.push_back(c);
        }
    }
    return v + "\"";
}

int vypisVysledky(std::FILE* f, const UlozisteVysledku& u, Format format, const std::string& dodatekJson)
{
    Vystup o(f);
    switch (format) {
    case Format::Tsv: tsv(o, u); break;
    case Format::Text: text(o, u); break;
    case Format::Json: json(o, u, dodatekJson); break;
    }
    o.flush();
    errno = 0;
    if (o.chyba() == 0 && std::fflush(f) != 0)
        return errno ? errno : EIO;
    return o.chyba();
}

} // namespace zrc::cli
