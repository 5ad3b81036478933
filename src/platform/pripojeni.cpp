#include "platform/pripojeni.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace zrc::platform {

namespace {

std::vector<std::string_view> pole(std::string_view radek)
{
    std::vector<std::string_view> v;
    std::size_t i = 0;
    while (i < radek.size()) {
        while (i < radek.size() && (radek[i] == ' ' || radek[i] == '\t'))
            ++i;
        const std::size_t od = i;
        while (i < radek.size() && radek[i] != ' ' && radek[i] != '\t')
            ++i;
        if (i > od)
            v.push_back(radek.substr(od, i - od));
    }
    return v;
}

int cislo(std::string_view s, bool& ok)
{
    int n = 0;
    if (s.empty())
        ok = false;
    for (char c : s) {
        if (c < '0' || c > '9') {
            ok = false;
            return 0;
        }
        n = n * 10 + (c - '0');
    }
    return n;
}

// "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw": the
// optional fields end with a lone "-", then type, source and super options.
std::optional<Pripojeni> radekMountinfo(std::string_view radek)
{
    const auto p = pole(radek);
    std::size_t pomlcka = 6;
    while (pomlcka < p.size() && p[pomlcka] != "-")
        ++pomlcka;
    if (p.size() < 6 || pomlcka + 1 >= p.size())
        return std::nullopt;
    Pripojeni m;
    bool ok = true;
    m.id = cislo(p[0], ok);
    m.rodic = cislo(p[1], ok);
    const auto dvojtecka = p[2].find(':');
    if (dvojtecka == std::string_view::npos)
        return std::nullopt;
    m.major = static_cast<unsigned>(cislo(p[2].substr(0, dvojtecka), ok));
    m.minor = static_cast<unsigned>(cislo(p[2].substr(dvojtecka + 1), ok));
    if (!ok)
        return std::nullopt;
    m.bod = odescapuj(p[4]);
    m.typ = odescapuj(p[pomlcka + 1]);
    if (pomlcka + 2 < p.size())
        m.zdroj = odescapuj(p[pomlcka + 2]);
    return m;
}

// The mount point is a whole-component prefix of the path: "/a" holds
// "/a/b", not "/ab".
bool drzi(const std::string& bod, const std::string& cesta)
{
    if (bod == "/")
        return !cesta.empty() && cesta[0] == '/';
    return cesta.starts_with(bod) && (cesta.size() == bod.size() || cesta[bod.size()] == '/');
}

} // namespace

std::string odescapuj(std::string_view s)
{
    std::string v;
    v.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() &&
            s.substr(i + 1, 3).find_first_not_of("01234567") == std::string_view::npos) {
            v += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            v += s[i];
        }
    }
    return v;
}

std::vector<Pripojeni> rozeberMountinfo(std::string_view text)
{
    std::vector<Pripojeni> v;
    while (!text.empty()) {
        auto konec = text.find('\n');
        if (konec == std::string_view::npos)
            konec = text.size();
        if (auto m = radekMountinfo(text.substr(0, konec)))
            v.push_back(std::move(*m));
        text.remove_prefix(std::min(konec + 1, text.size()));
    }
    return v;
}

std::vector<Pripojeni> nactiPripojeni()
{
    std::ifstream f("/proc/self/mountinfo");
    if (!f)
        return {};
    std::stringstream s;
    s << f.rdbuf();
    return rozeberMountinfo(s.str());
}

int idPripojeni(int fd)
{
    std::ifstream f("/proc/self/fdinfo/" + std::to_string(fd));
    std::string radek;
    while (std::getline(f, radek)) {
        if (radek.starts_with("mnt_id:")) {
            bool ok = true;
            const auto p = pole(std::string_view(radek).substr(7));
            const int id = p.empty() ? -1 : cislo(p[0], ok);
            return ok ? id : -1;
        }
    }
    return -1;
}

std::string cestaDeskriptoru(int fd)
{
    const std::string odkaz = "/proc/self/fd/" + std::to_string(fd);
    std::string v(4096, '\0');
    const ssize_t n = ::readlink(odkaz.c_str(), v.data(), v.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= v.size() || v[0] != '/')
        return {};
    v.resize(static_cast<std::size_t>(n));
    // A removed directory reads back as "/path (deleted)": no usable path.
    if (v.ends_with(" (deleted)"))
        return {};
    return v;
}

std::optional<Pripojeni> pripojeniAdresare(int fd, const std::string& cesta,
                                           const std::vector<Pripojeni>& tabulka)
{
    if (const int id = fd >= 0 ? idPripojeni(fd) : -1; id >= 0) {
        for (const auto& m : tabulka)
            if (m.id == id)
                return m;
    }
    const Pripojeni* nejlepsi = nullptr;
    for (const auto& m : tabulka) {
        // ">=": of several mounts on one point the last listed is the one on top.
        if (drzi(m.bod, cesta) && (!nejlepsi || m.bod.size() >= nejlepsi->bod.size()))
            nejlepsi = &m;
    }
    if (!nejlepsi)
        return std::nullopt;
    return *nejlepsi;
}

} // namespace zrc::platform
