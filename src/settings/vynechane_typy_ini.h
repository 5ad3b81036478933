#pragma once
// The excluded types of a comparison, from section "Typ" of the INI file:
// "pouzit" (default false) switches the list on, keys "1".."10" hold the types
// (an extension without its dot; empty = free slot). A file is excluded when
// its last extension, upper-cased (full Unicode), equals "." + a type exactly.

#include "engine/porovnani.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace zrc {

// Asked once per candidate file, possibly from several listing threads at
// once. The parsed list is cached; the file is looked at (one stat) at most
// once per interval, 50 ms by default, and read again only when its identity,
// size or times (nanoseconds) changed. A change of the file, also by another
// process, thus takes effect within 50 ms, while a run of 100 000 files per
// second pays about 20 stats a second instead of 100 000 reads of the file.
class VynechaneTypyIni final : public VynechaneTypy {
public:
    static constexpr std::chrono::milliseconds vychoziInterval{50};

    explicit VynechaneTypyIni(QString cestaIni, std::chrono::nanoseconds interval = vychoziInterval);
    ~VynechaneTypyIni() override;
    bool jeVynechanyTyp(std::string_view jmenoSouboru) override;

private:
    struct Seznam;
    struct Podpis {
        bool existuje = false;
        std::uint64_t zarizeni = 0, inode = 0;
        std::int64_t velikost = 0, zmena = 0, stav = 0;   // mtime and ctime, ns
        bool operator==(const Podpis&) const = default;
    };

    const Seznam& aktualni();
    void zkontroluj();   // with zamek_ held

    const QString cesta_;
    const std::int64_t intervalNs_;
    std::atomic<std::int64_t> dalsiKontrola_{0};   // monotonic clock, ns
    std::atomic<const Seznam*> seznam_{nullptr};
    std::mutex zamek_;                              // one thread re-reads, the others use the old list
    Podpis podpis_;                                 // guarded by zamek_
    // Replaced lists stay until the object goes: a reader may still use one.
    // One per change of the file, at most one per interval.
    std::vector<std::unique_ptr<const Seznam>> seznamy_;
};

} // namespace zrc
