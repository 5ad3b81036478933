#include "engine/docasne_soubory.h"

#include "platform/pripojeni.h"

#include <algorithm>

namespace zrc {

void SberDocasnych::pridej(int fd, std::string_view jmeno)
{
    const std::string adresar = platform::cestaDeskriptoru(fd);
    if (adresar.empty())
        return;
    std::string cesta = adresar == "/" ? std::string() : adresar;
    cesta += '/';
    cesta += jmeno;
    std::lock_guard z(zamek_);
    cesty_.push_back(std::move(cesta));
}

std::vector<std::string> SberDocasnych::cesty() const
{
    std::lock_guard z(zamek_);
    std::vector<std::string> v = cesty_;
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

bool jeDocasnySoubor(std::string_view j)
{
    const std::size_t ocas = 1 + delkaNahodneCasti + priponaDocasneho.size();
    if (j.size() < 2 + ocas || j[0] != '.' || !j.ends_with(priponaDocasneho))
        return false;
    const std::size_t tecka = j.size() - ocas;
    if (j[tecka] != '.')
        return false;
    for (char c : j.substr(tecka + 1, delkaNahodneCasti))
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

} // namespace zrc
