// Scratch memory a listing thread keeps after a very large directory.
//
//   bench_vypis [--files N] [--threads T] [--dir DIR]
//
// Builds DIR/velky with N empty files (200 000 by default) and DIR/maly with
// 100 (DIR defaults to a new directory in /dev/shm, removed at the end). Each
// of T threads lists maly, then velky (its listing dropped at once, as a run
// drops a pair's listings), then maly again, and keeps its scratch space
// alive while the process is measured:
//   - the bytes the thread's scratch still holds (its containers' capacities),
//   - the growth of the process's resident memory and of the C library's heap
//     (in use, free but kept) over the state before the threads started,
//   - the same after malloc_trim(0), which gives the free pages back.
// Target: at most 1 MB per thread after the large directory. The allocator is
// set up as the programs set it (vracejVelkeBloky); ZRC_C_DEFAULT=1 keeps the
// C library's defaults for comparison.

#include "engine/vypis_adresare.h"
#include "platform/listing.h"
#include "platform/pamet.h"

#include <barrier>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace zrc;

struct Volby {
    int souboru = 200000;
    int vlaken = 2;
    std::string adresar;
};

Volby nactiVolby(int argc, char** argv)
{
    Volby v;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string klic = argv[i];
        if (klic == "--files")
            v.souboru = std::atoi(argv[i + 1]);
        else if (klic == "--threads")
            v.vlaken = std::atoi(argv[i + 1]);
        else if (klic == "--dir")
            v.adresar = argv[i + 1];
        else {
            std::fprintf(stderr, "usage: bench_vypis [--files N] [--threads T] [--dir DIR]\n");
            std::exit(2);
        }
    }
    if (v.adresar.empty())
        v.adresar = "/dev/shm/zrc-vypis-" + std::to_string(getpid());
    return v;
}

void vytvorSoubory(const std::string& adresar, int pocet)
{
    std::filesystem::create_directories(adresar);
    for (int i = 0; i < pocet; ++i) {
        const std::string cesta = adresar + "/soubor-" + std::to_string(i) + ".txt";
        const int fd = ::open(cesta.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0) {
            std::perror(cesta.c_str());
            std::exit(1);
        }
        ::close(fd);
    }
}

double rezidentniMiB()
{
    std::ifstream f("/proc/self/status");
    for (std::string radek; std::getline(f, radek);)
        if (radek.rfind("VmRSS:", 0) == 0)
            return std::atof(radek.c_str() + 6) / 1024;
    return 0;
}

struct Stav {
    double rss = 0, vPouziti = 0, volne = 0;   // MiB
};

Stav zmer()
{
    const struct mallinfo2 m = mallinfo2();   // all arenas
    return {rezidentniMiB(), double(m.uordblks + m.hblkhd) / (1 << 20), double(m.fordblks) / (1 << 20)};
}

void vypis(const char* co, const Stav& s, const Stav& pred, int vlaken)
{
    std::printf("  %-34s resident %+7.2f MiB (%+6.2f per thread), heap in use %+6.2f, free but kept %+6.2f\n", co,
                s.rss - pred.rss, (s.rss - pred.rss) / vlaken, s.vPouziti - pred.vPouziti, s.volne - pred.volne);
}

void nacti(const std::string& cesta, PracovniPametVypisu& p)
{
    std::error_code ec;
    const platform::DirectoryHandle d = platform::openDirectory(cesta.c_str(), platform::FollowLinks::No, ec);
    if (!d.valid()) {
        std::fprintf(stderr, "%s: %s\n", cesta.c_str(), ec.message().c_str());
        std::exit(1);
    }
    NactenyAdresar a = nactiAdresar(d.get(), p);
    (void)a;   // dropped here, as a run drops a finished pair's listings
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("ZRC_C_DEFAULT") == nullptr)
        vracejVelkeBloky();   // as both programs do; ZRC_C_DEFAULT=1: the C library's own setting
    const Volby v = nactiVolby(argc, argv);
    const bool svuj = std::getenv("ZRC_KEEP") == nullptr && v.adresar.rfind("/dev/shm/zrc-vypis-", 0) == 0;
    std::printf("building %d files in %s/velky ...\n", v.souboru, v.adresar.c_str());
    std::fflush(stdout);
    vytvorSoubory(v.adresar + "/velky", v.souboru);
    vytvorSoubory(v.adresar + "/maly", 100);

    const Stav pred = zmer();
    std::barrier zmereno(v.vlaken + 1), konec(v.vlaken + 1);
    std::vector<std::size_t> drzeno(std::size_t(v.vlaken));
    std::vector<std::thread> vlakna;
    for (int i = 0; i < v.vlaken; ++i)
        vlakna.emplace_back([&, i] {
            PracovniPametVypisu p;
            nacti(v.adresar + "/maly", p);
            nacti(v.adresar + "/velky", p);
            nacti(v.adresar + "/maly", p);
            drzeno[std::size_t(i)] = p.velikostZaznamu() + p.buffer.capacity();
            zmereno.arrive_and_wait();
            konec.arrive_and_wait();   // the scratch lives until the process is measured
        });
    zmereno.arrive_and_wait();
    std::printf("\n%d threads, each after a directory of %d files and a small one:\n", v.vlaken, v.souboru);
    for (int i = 0; i < v.vlaken; ++i)
        std::printf("  thread %d: its scratch holds %.2f MiB (entries, names, getdents buffer)\n", i + 1,
                    double(drzeno[std::size_t(i)]) / (1 << 20));
    vypis("the process, threads alive:", zmer(), pred, v.vlaken);
    malloc_trim(0);
    vypis("the same after malloc_trim(0):", zmer(), pred, v.vlaken);
    konec.arrive_and_wait();
    for (std::thread& t : vlakna)
        t.join();
    std::printf("  target: at most 1 MB per thread\n");
    if (svuj)
        std::filesystem::remove_all(v.adresar);
    return 0;
}
