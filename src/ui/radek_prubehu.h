#pragma once
// The progress line under the two bars of the progress window:
//
//   "3 z 120 souborů · 1,2 GiB z 4,0 GiB · 85 MiB/s · zbývá 0:34"
//
// The window samples the done bytes a few times a second (vzorek) and sets the
// text it gets back. The speed is the average over the last 3 seconds, shown
// once a second of samples exists; "zbývá" (remaining bytes / speed) appears
// once the speed is stable: the averaging window is full and the average has
// moved by at most a quarter over the last second. The first seconds of a
// copy (the page cache swallowing writes) would otherwise promise a time that
// the disk cannot keep. Once shown, it stays.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

namespace zrc {

struct StavRadku {
    std::size_t soubor = 0;    // the file being worked on, from 1 (0: none yet)
    std::size_t souboru = 0;   // files of the operation
    std::int64_t hotovo = 0;   // bytes of the whole set done
    std::int64_t celkem = 0;
};

class RadekPrubehu final {
public:
    static constexpr std::int64_t oknoMs = 3000;     // averaging window
    static constexpr std::int64_t prvniMs = 1000;    // samples needed for a speed

    // The done bytes at a time in milliseconds of a monotonic clock.
    void vzorek(std::int64_t hotovo, std::int64_t ms);

    // Bytes per second over the window; none before a second of samples.
    [[nodiscard]] std::optional<std::int64_t> rychlost() const;
    // Whole seconds left at the current speed, once it is stable.
    [[nodiscard]] std::optional<std::int64_t> zbyva(std::int64_t hotovo, std::int64_t celkem) const;
    [[nodiscard]] QString text(const StavRadku& s) const;

private:
    struct Vzorek {
        std::int64_t ms, bajty;
    };
    void over(std::int64_t ms);

    std::deque<Vzorek> vzorky_;
    std::optional<std::int64_t> kontrolaMs_;   // when the speed was last compared
    std::int64_t kontrolaRychlost_ = 0;
    bool stabilni_ = false;
};

// "0:34", "12:05", "1:02:03".
[[nodiscard]] QString textZbyva(std::int64_t sekundy);
// "3 z 120 souborů", "1 z 1 souboru" (the genitive after "z").
[[nodiscard]] QString textSouboru(std::size_t soubor, std::size_t souboru);

} // namespace zrc
