// Runs one file operation of the engine over every file below a source
// directory, the way the window runs it for a list of selected items:
//
//   bench_operace copy|new|move|delete|trash SRC DST
//
// copy replaces existing targets, new places only absent ones (a "NOVÉ" list),
// move moves, delete deletes in SRC, trash deletes in SRC to the trash (the
// home trash of $XDG_DATA_HOME, as the window finds it). Errors are answered with Ignore and
// counted; the exit status is 1 when any item was not handled. With
// ZRC_BENCH_DENIK=DIR the operation is journaled into DIR as the window
// journals it (a wrapper script that sets it, given as --ref to
// fileops_bench, times the journal's cost in the same rounds).

#include "operace/operace.h"
#include "operace/slozka_deniku.h"
#include "operace/vraceni.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace zrc;

class Tichy : public RozhraniOperace {
public:
    int chyb = 0;
    bool nedostatekMista(std::int64_t, std::int64_t) override { return true; }
    void krok(Krok, const std::string&) override {}
    void prubeh(const Prubeh&) override {}
    OdpovedChyby chybaKopirovani(const std::string& z, const ChybaSouboru& c) override
    {
        return chyba(z, c);
    }
    OdpovedChyby chybaMazani(const std::string& z, const ChybaSouboru& c) override
    {
        return chyba(z, c);
    }
    OdpovedCteni jenProCteni(const std::string&) override { return OdpovedCteni::Vse; }
    void vyrizeno(std::size_t) override {}

private:
    OdpovedChyby chyba(const std::string& z, const ChybaSouboru& c)
    {
        if (++chyb <= 5)
            std::fprintf(stderr, "%s: %s\n", z.c_str(), textChyby(c).c_str());
        return OdpovedChyby::Ignorovat;
    }
};

std::vector<PolozkaOperace> polozky(const std::string& zdroj)
{
    std::vector<PolozkaOperace> v;
    const std::size_t od = zdroj.size() + (zdroj.ends_with('/') ? 0 : 1);
    for (const auto& e : fs::recursive_directory_iterator(zdroj))
        if (e.is_regular_file())
            v.push_back({e.path().string().substr(od), static_cast<std::int64_t>(e.file_size())});
    return v;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_operace copy|new|move|delete|trash SRC DST\n");
        return 2;
    }
    const std::string druh = argv[1];
    ZadaniOperace z;
    z.zdroj = argv[2];
    z.cil = argv[3];
    // "new" acts as on a "NOVÉ" list (list 1), the rest as on "NOVĚJŠÍ" (list 3).
    if (druh == "new")
        z.operace = OperaceKodu(1, int(KodOperace::Kopie));
    else if (druh == "copy")
        z.operace = OperaceKodu(3, int(KodOperace::Kopie));
    else if (druh == "move")
        z.operace = OperaceKodu(3, int(KodOperace::Presun));
    else if (druh == "delete" || druh == "trash")
        z.operace = OperaceKodu(3, int(KodOperace::Odstraneni));
    else
        return 2;
    if (druh == "trash")
        z.mazani = Mazani::DoKose;
    z.polozky = polozky(z.zdroj);
    Tichy r;
    ZapisDeniku denik;
    if (const char* d = std::getenv("ZRC_BENCH_DENIK"))
        if (const int e = zalozDenik(platform::realSyscalls(), d, hlavickaOperace(z), denik)) {
            std::fprintf(stderr, "journal: %s\n", std::strerror(e));
            return 2;
        }
    const auto v = ProvedOperaci(z, r, {.denik = denik.otevreny() ? &denik : nullptr});
    std::printf("%zu of %zu handled\n", v.vyrizene.size(), z.polozky.size());
    return v.vyrizene.size() == z.polozky.size() ? 0 : 1;
}
