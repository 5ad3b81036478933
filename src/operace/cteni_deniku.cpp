// Reading a journal back, and the check that it points only into its trees
// and the trash.

#include "operace/slozka_deniku.h"

#include "platform/kos.h"

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace zrc {

namespace {

// No empty, "." or ".." component: the path means what its text says.
bool cista(std::string_view cesta)
{
    if (cesta.empty() || cesta[0] != '/')
        return false;
    std::size_t od = 1;
    while (od <= cesta.size()) {
        const auto konec = std::min(cesta.find('/', od), cesta.size());
        const auto c = cesta.substr(od, konec - od);
        if (c.empty() || c == "." || c == "..")
            return cesta == "/";
        od = konec + 1;
    }
    return true;
}

std::string bezLomitka(std::string s)
{
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

bool pod(const std::string& cesta, const std::string& koren)
{
    const std::string k = bezLomitka(koren);
    return cista(cesta) && cista(k) && cesta.size() > k.size() + (k == "/" ? 0 : 1) &&
           cesta.starts_with(k) && (k == "/" || cesta[k.size()] == '/');
}

// The home trash, or a trash at a mount point: .Trash-$uid or .Trash/$uid.
bool kosPovolen(const std::string& kos, const KontrolaDeniku& k)
{
    if (!cista(kos))
        return false;
    const std::string domov = bezLomitka(k.kosDomov.empty() ? platform::domovskyKos() : k.kosDomov);
    const std::string uid = std::to_string(k.uid < 0 ? long(::getuid()) : k.uid);
    return kos == domov || kos.ends_with("/.Trash-" + uid) || kos.ends_with("/.Trash/" + uid);
}

bool jmenoVKosi(std::string_view j)
{
    return !j.empty() && j != "." && j != ".." && j.find('/') == std::string_view::npos;
}

} // namespace

std::optional<std::string> cestaMimo(const Denik& d, const KontrolaDeniku& k)
{
    const auto& h = d.hlavicka;
    if (!cista(bezLomitka(h.zdroj)) || !cista(bezLomitka(h.cil)))
        return cista(bezLomitka(h.zdroj)) ? h.cil : h.zdroj;
    for (const auto& z : d.zaznamy) {
        for (const std::string* c : {&z.cesta, &z.cil})
            if (!c->empty() && !pod(*c, h.zdroj) && !pod(*c, h.cil))
                return *c;
        if (!z.kos.empty() && (!kosPovolen(z.kos, k) || !jmenoVKosi(z.vKosi)))
            return z.kos + "/files/" + z.vKosi;
    }
    return std::nullopt;
}

CteniDeniku ctiDenik(const std::string& cesta, const KontrolaDeniku& k)
{
    std::ifstream f(cesta, std::ios::binary);
    if (!f)
        return {std::nullopt, "Deník " + cesta + " nelze přečíst."};
    const std::string obsah{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    const auto konecHlavicky = obsah.find('\n');
    const auto h = konecHlavicky == std::string::npos ? std::nullopt
                                                      : rozeberHlavicku(std::string_view(obsah).substr(0, konecHlavicky));
    if (!h)
        return {std::nullopt, "Soubor " + cesta + " není deník Zrcadlovače nebo je poškozen."};
    Denik d{.cesta = cesta, .hlavicka = *h, .zaznamy = {}};
    std::size_t od = konecHlavicky + 1;
    for (int radek = 2; od < obsah.size(); ++radek) {
        const auto konec = obsah.find('\n', od);
        const bool posledni = konec == std::string::npos || konec + 1 == obsah.size();
        const auto z = konec == std::string::npos ? std::nullopt
                                                  : rozeberZaznam(std::string_view(obsah).substr(od, konec - od));
        if (!z && !posledni)
            return {std::nullopt, "Deník " + cesta + " je poškozen na řádku " + std::to_string(radek) + "."};
        if (z)
            d.zaznamy.push_back(*z);
        d.useknuty = !z;
        if (konec == std::string::npos)
            break;
        od = konec + 1;
    }
    if (const auto mimo = cestaMimo(d, k))
        return {std::nullopt, "Deník " + cesta + " ukazuje mimo porovnávané adresáře a koš: " + *mimo};
    return {std::move(d), {}};
}

} // namespace zrc
