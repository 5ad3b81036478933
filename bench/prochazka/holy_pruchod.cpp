// holy_pruchod: the least a comparison must do, as a yardstick for bench/run_bench.
//
//     holy_pruchod [--threads N] DIR...
//
// Walks every DIR with N threads (default: as zrcadlovac-cli, 4 per core and at
// least 8): each directory opened once relative to its parent, listed with
// getdents64, every file examined with one fstatat; nothing is kept, sorted or
// compared. Prints the counts of directories and files; ends with 1 when a
// directory could not be opened or listed, so that a yardstick which skipped
// part of the tree is never taken for a fast one.
//
// The directories waiting to be walked are taken last in, first out: each keeps
// its parent open, and taken breadth first a level of a tree of a million files
// (17 000 directories) ran past the limit of 20 000 descriptors, which left a
// tenth of the tree out.

#include "platform/listing.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace zrc::platform;

struct Adresar {
    std::shared_ptr<DirectoryHandle> rodic;   // keeps the parent open while it is needed
    std::string jmeno;                        // relative to rodic, or a path when rodic is null
};

class Fronta {
public:
    void pridej(Adresar a)
    {
        {
            std::lock_guard l(m_);
            fronta_.push_back(std::move(a));
        }
        cv_.notify_one();
    }
    bool vezmi(Adresar& a)
    {
        std::unique_lock l(m_);
        ++cekajici_;
        if (fronta_.empty() && cekajici_ == vlaken_)
            cv_.notify_all();
        cv_.wait(l, [&] { return !fronta_.empty() || cekajici_ == vlaken_; });
        if (fronta_.empty())
            return false;
        --cekajici_;
        a = std::move(fronta_.back());
        fronta_.pop_back();
        return true;
    }
    void nastavVlakna(int n) { vlaken_ = n; }

private:
    std::mutex m_;
    std::condition_variable cv_;
    std::deque<Adresar> fronta_;
    int cekajici_ = 0;
    int vlaken_ = 1;
};

std::atomic<long> adresaru{0}, souboru{0}, chyb{0};

void projdi(Fronta& f)
{
    RawListing vypis;
    std::vector<char> buffer;
    Adresar a;
    while (f.vezmi(a)) {
        std::error_code ec;
        auto h = std::make_shared<DirectoryHandle>(
            a.rodic ? openSubdirectory(a.rodic->get(), a.jmeno.c_str(), ec)
                    : openDirectory(a.jmeno.c_str(), FollowLinks::Yes, ec));
        a.rodic.reset();
        if (!h->valid()) {
            ++chyb;
            continue;
        }
        ++adresaru;
        statOpen(h->get(), ec);
        if (readDirectory(h->get(), vypis, buffer)) {
            ++chyb;
            continue;
        }
        for (const RawEntry& e : vypis.entries) {
            if (e.type == EntryType::Directory) {
                f.pridej({h, vypis.name(e)});
                continue;
            }
            if (statAt(h->get(), vypis.name(e), FollowLinks::No, ec))
                ++souboru;
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    int vlaken = std::max(8, 4 * static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    Fronta f;
    int i = 1;
    if (argc > 2 && std::strcmp(argv[1], "--threads") == 0) {
        vlaken = std::max(1, std::atoi(argv[2]));
        i = 3;
    }
    if (i >= argc) {
        std::fputs("usage: holy_pruchod [--threads N] DIR...\n", stderr);
        return 2;
    }
    raiseDescriptorLimit();
    for (; i < argc; ++i)
        f.pridej({nullptr, argv[i]});
    f.nastavVlakna(vlaken);
    std::vector<std::thread> vlakna;
    for (int v = 0; v < vlaken; ++v)
        vlakna.emplace_back([&f] { projdi(f); });
    for (auto& t : vlakna)
        t.join();
    std::printf("%ld directories, %ld files\n", adresaru.load(), souboru.load());
    if (chyb > 0) {
        std::fprintf(stderr, "holy_pruchod: %ld directories could not be opened or listed\n", chyb.load());
        return 1;
    }
    return 0;
}
