#pragma once
// Byte comparison of the two files of a pair: do they hold the same bytes?
//
// Each file is read once, front to back, to the length both had when opened,
// in blocks of VolbyShody::blok from both files per step, and the comparison stops at the first block that
// differs. No hash: a hash reads both files whole, a comparison of a pair can
// stop early and needs nothing but the two buffers, so memory does not grow
// with the file. The kernel is told the reading is sequential (larger
// read-ahead), and the files are opened without updating their access time
// where the owner may do so (a verification is no use of a file).

#include "operace/chyba_souboru.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zrc {

namespace platform { class Syscalls; }

enum class Shoda : std::uint8_t {
    Shodne,    // the same length and the same bytes
    Lisi,      // a byte or the length differs
    Chyba,     // a side could not be opened or read (chyba, strana)
    Zruseno,   // the cancel flag was raised during the comparison
};

struct VysledekShody {
    Shoda shoda = Shoda::Shodne;
    ChybaSouboru chyba{};
    int strana = 0;              // 1 or 2: the side of the error
    std::int64_t velikost = 0;   // of side 1, when it could be read
};

struct VolbyShody {
    platform::Syscalls* sys = nullptr;            // nullptr: the real system calls
    const std::atomic<bool>* zrusit = nullptr;    // read after every step
    // 1 MiB per side: few system calls per byte, and a step is some 16 ms of
    // a 60 MB/s disk, so a cancel still answers at once.
    std::size_t blok = std::size_t{1} << 20;
};

class PorovnaniObsahu final {
public:
    explicit PorovnaniObsahu(const VolbyShody& volby = {});

    // Compares the files at two full paths (bytes). prubeh gets the bytes of
    // one side compared so far after each step.
    [[nodiscard]] VysledekShody porovnej(const std::string& cesta1, const std::string& cesta2,
                                         const std::function<void(std::int64_t)>& prubeh = {});

private:
    [[nodiscard]] VysledekShody porovnejData(int fd1, int fd2, std::int64_t velikost,
                                             const std::function<void(std::int64_t)>& prubeh);

    platform::Syscalls& sys_;
    const std::atomic<bool>* zrusit_;
    std::vector<char> a_, b_;
};

} // namespace zrc
