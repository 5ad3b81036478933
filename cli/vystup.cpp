#include "vystup.h"

#include "engine/nepristupne_adresare.h"

#include <QFile>
#include <cerrno>
#include <algorithm>
#include <array>
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
    for (;;) {
        const std::size_t i = utf8.find_first_of("\t\n\r\\");
        cil.append(utf8.substr(0, i));
        if (i == std::string_view::npos)
            return;
        switch (utf8[i]) {
        case '\t': cil += "\\t"; break;
        case '\n': cil += "\\n"; break;
        case '\r': cil += "\\r"; break;
        default: cil += "\\\\"; break;
        }
        utf8.remove_prefix(i + 1);
    }
}

// A name column as the lists show it (in small letters). Names are nearly
// always ASCII without control characters, and then the bytes are lowered as
// they are copied: a chain of 2 000 directories prints 2 000 paths of up to
// 4 KB, and the way through UTF-16 and back took more time than listing it.
void pridejJmeno(std::string& cil, std::string_view bajty)
{
    unsigned vse = 0, zvlastni = 0;
    for (const char c : bajty) {
        const auto b = static_cast<unsigned char>(c);
        vse |= b;
        zvlastni |= static_cast<unsigned>(b < 0x20) | static_cast<unsigned>(b == '\\');
    }
    if ((vse & 0x80) || zvlastni) {
        pridejBezRidicich(cil, std::string_view(textZobrazeni(bajty).toUtf8()));
        return;
    }
    const std::size_t zacatek = cil.size();
    cil.resize(zacatek + bajty.size());
    std::ranges::transform(bajty, cil.begin() + std::ptrdiff_t(zacatek), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
}

void tsv(Vystup& o, const UlozisteVysledku& u)
{
    std::string radek;
    for (int s = 1; s <= UlozisteVysledku::pocetSeznamu; ++s) {
        const std::string cislo = std::to_string(s);
        for (const Polozka& p : u.seznam(s)) {
            radek = cislo;
            radek += '\t';
            pridejJmeno(radek, nazevPolozky(p));
            radek += '\t';
            pridejJmeno(radek, typPolozky(p));
            radek += '\t';
            pridejBezRidicich(radek, std::string_view(text(u, p, Sloupec::Datum).toUtf8()));
            radek += '\t';
            radek += std::to_string(p.velikost);
            radek += '\t';
            pridejJmeno(radek, u.podadresar(p.podadresar));
            radek += '\n';
            o << radek;
        }
    }
}

// The relative path in the file's own letters (names that are not UTF-8 with
// replacement characters).
QString relativniCesta(const UlozisteVysledku& u, const Polozka& p)
{
    const std::string cesta = CestaPolozky(u, p, true);
    return QString::fromUtf8(cesta.data(), qsizetype(cesta.size()));
}

// Names go to a terminal: control characters (ESC, CR, BEL ...) are written
// escaped, so that no escape sequence from a file name reaches it.
std::string proTerminal(const QString& s)
{
    return bezpecnaCesta(std::string_view(s.toUtf8())).toStdString();
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
        o << strankyUtf8[std::size_t((s - 1) / 2)] << " - ADRESÁŘ " << (s % 2 ? "1: " : "2: ")
          << proTerminal(VlastniAdresar(u, s)) << " (" << std::to_string(seznam.size()) << ")\n";
        for (const Polozka& p : seznam) {
            const QString datum = text(u, p, Sloupec::Datum);
            const QString velikost = text(u, p, Sloupec::Velikost);
            o << "  " << datum.leftJustified(19) << "  " << velikost.rightJustified(14) << "  "
              << proTerminal(relativniCesta(u, p)) << '\n';
        }
    }
    if (!neco)
        o << "Nové, nebo změněné soubory vyhovující zadanému filtru nejsou nalezeny.\n";
}

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

void jsonPolozka(Vystup& o, const UlozisteVysledku& u, const Polozka& p)
{
    o << "{\"name\":" << jsonText(text(u, p, Sloupec::Nazev))
      << ",\"type\":" << jsonText(text(u, p, Sloupec::Typ))
      << ",\"date\":" << jsonText(text(u, p, Sloupec::Datum))
      << ",\"size\":" << std::to_string(p.velikost)
      << ",\"subdir\":" << jsonText(text(u, p, Sloupec::Podadr))
      << ",\"path\":" << jsonText(relativniCesta(u, p)) << '}';
}

void json(Vystup& o, const UlozisteVysledku& u)
{
    o << "{\"directory1\":" << jsonText(u.cestaAdr(1)) << ",\"directory2\":"
      << jsonText(u.cestaAdr(2)) << ",\"lists\":[";
    for (int s = 1; s <= UlozisteVysledku::pocetSeznamu; ++s) {
        o << (s > 1 ? ",\n" : "\n") << "{\"list\":" << std::to_string(s) << ",\"page\":\""
          << strankyUtf8[std::size_t((s - 1) / 2)] << "\",\"side\":" << (s % 2 ? "1" : "2")
          << ",\"items\":[";
        bool prvni = true;
        for (const Polozka& p : u.seznam(s)) {
            o << (prvni ? "\n" : ",\n");
            prvni = false;
            jsonPolozka(o, u, p);
        }
        o << "]}";
    }
    o << "\n]}\n";
}

} // namespace

int vypisVysledky(std::FILE* f, const UlozisteVysledku& u, Format format)
{
    Vystup o(f);
    switch (format) {
    case Format::Tsv: tsv(o, u); break;
    case Format::Text: text(o, u); break;
    case Format::Json: json(o, u); break;
    }
    o.flush();
    errno = 0;
    if (o.chyba() == 0 && std::fflush(f) != 0)
        return errno ? errno : EIO;
    return o.chyba();
}

} // namespace zrc::cli
