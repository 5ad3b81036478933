#include "engine/docasne_soubory.h"
#include "operace_pomoc.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc::test {

namespace fs = std::filesystem;
namespace {

std::string posledni(const std::string& cesta)
{
    return cesta.substr(cesta.find_last_of('/') + 1);
}

template <class T>
T vezmi(std::deque<T>& q, T vychozi)
{
    if (q.empty())
        return vychozi;
    T t = q.front();
    q.pop_front();
    return t;
}

} // namespace

bool Skript::nedostatekMista(std::int64_t volne, std::int64_t potreba)
{
    udalosti.push_back("misto " + std::to_string(volne) + "<" + std::to_string(potreba));
    return misto;
}

void Skript::krok(Krok k, const std::string& zdroj)
{
    udalosti.push_back((k == Krok::Kopirovani ? "kopie " : "mazani ") + posledni(zdroj));
}

OdpovedChyby Skript::chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c)
{
    udalosti.push_back("chyba-kopie " + posledni(zdroj) + ": " + textChyby(c));
    return vezmi(kopie, OdpovedChyby::Ignorovat);
}

OdpovedChyby Skript::chybaMazani(const std::string& zdroj, const ChybaSouboru& c)
{
    udalosti.push_back("chyba-mazani " + posledni(zdroj) + ": " + textChyby(c));
    return vezmi(mazani, OdpovedChyby::Ignorovat);
}

OdpovedCteni Skript::jenProCteni(const std::string& zdroj)
{
    udalosti.push_back("jen-cteni " + posledni(zdroj));
    return vezmi(cteni, OdpovedCteni::Ne);
}

void zapis(const std::string& cesta, const std::string& data)
{
    fs::create_directories(fs::path(cesta).parent_path());
    std::ofstream f(cesta, std::ios::binary | std::ios::trunc);
    f << data;
}

std::string vzorek(std::size_t delka, char seminko)
{
    std::string s(delka, '\0');
    std::uint32_t x = static_cast<unsigned char>(seminko) * 2654435761u + 1;
    for (auto& c : s) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    return s;
}

std::vector<std::string> docasne(const std::string& koren)
{
    std::vector<std::string> v;
    for (const auto& e : fs::recursive_directory_iterator(koren))
        if (jeDocasnySoubor(e.path().filename().string()))
            v.push_back(e.path().string());
    return v;
}

} // namespace zrc::test
