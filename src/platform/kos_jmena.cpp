// The texts of the trash: the info file, the encoded path, the names in files/.

#include "platform/kos.h"

#include <cstdio>
#include <cstdlib>

namespace zrc::platform {

namespace {

// NAME_MAX 255 less ".trashinfo".
constexpr std::size_t maxKandidat = 255 - 10;

bool nerezervovany(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '_' || c == '.' || c == '~' || c == '/';
}

std::string_view orizniUtf8(std::string_view s, std::size_t max)
{
    if (s.size() <= max)
        return s;
    std::size_t d = max;
    while (d > 0 && (static_cast<unsigned char>(s[d]) & 0xC0) == 0x80)
        --d;
    return s.substr(0, d);
}

} // namespace

std::string domovskyKos()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + "/Trash";
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return {};
    return std::string(home) + "/.local/share/Trash";
}

std::string kodujCestu(std::string_view cesta)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string v;
    v.reserve(cesta.size());
    for (char z : cesta) {
        const auto c = static_cast<unsigned char>(z);
        if (nerezervovany(c)) {
            v += z;
        } else {
            v += '%';
            v += hex[c >> 4];
            v += hex[c & 15];
        }
    }
    return v;
}

std::string textInfa(std::string_view cesta, std::time_t cas)
{
    struct tm t {};
    localtime_r(&cas, &t);
    char datum[64];
    std::snprintf(datum, sizeof datum, "%04d-%02d-%02dT%02d:%02d:%02d", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    std::string s = "[Trash Info]\nPath=";
    s += kodujCestu(cesta);
    s += "\nDeletionDate=";
    s += datum;
    s += '\n';
    return s;
}

std::string kandidatJmena(std::string_view jmeno, int n)
{
    if (n <= 1)
        return std::string(orizniUtf8(jmeno, maxKandidat));
    const std::string cislo = "." + std::to_string(n);
    auto tecka = jmeno.rfind('.');
    if (tecka == std::string_view::npos || tecka == 0)
        tecka = jmeno.size();
    const std::string_view pripona = jmeno.substr(tecka);
    // A very long extension is part of the stem for cutting purposes.
    const std::string_view konec = pripona.size() + cislo.size() < maxKandidat / 2 ? pripona : "";
    const std::string_view kmen = jmeno.substr(0, jmeno.size() - konec.size());
    std::string s(orizniUtf8(kmen, maxKandidat - cislo.size() - konec.size()));
    s += cislo;
    s += konec;
    return s;
}

} // namespace zrc::platform
