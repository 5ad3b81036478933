#pragma once
// Byte comparison of the two files of a pair: do they hold the same bytes?
//
// Each file is read once, front to back, in blocks of VolbyShody::blok from
// both files per step, and the comparison stops at the first block that
// differs. No hash: a hash reads both files whole, a comparison of a pair can
// stop early and needs nothing but the two buffers, so memory does not grow
// with the file. A file smaller than a block, at the size its list gave,
// costs one read per side and no fstat: the read asks one byte more than that
// size, and a shorter answer is the end of the file. Larger files are read to
// the length fstat gave, with the kernel told the reading is sequential
// (larger read-ahead). Files are opened without updating their access time
// where the owner may do so (a verification is no use of a file).

#include "operace/chyba_souboru.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <string>

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
    // Relative paths of side 1 and 2 are opened from these directories.
    int adresar1 = AT_FDCWD, adresar2 = AT_FDCWD;
};

class PorovnaniObsahu final {
public:
    explicit PorovnaniObsahu(const VolbyShody& volby = {});

    // Relative paths are opened from these directories from now on.
    void nastavAdresare(int adresar1, int adresar2)
    {
        adresar1_ = adresar1;
        adresar2_ = adresar2;
    }

    // Compares the files at two paths (bytes; relative ones from the
    // directories of VolbyShody). ocekavana: the size the list gave the
    // pair, -1 when none. prubeh gets the bytes of one side compared so far
    // after each step.
    [[nodiscard]] VysledekShody porovnej(const std::string& cesta1, const std::string& cesta2,
                                         std::int64_t ocekavana = -1,
                                         const std::function<void(std::int64_t)>& prubeh = {});

private:
    [[nodiscard]] bool porovnejMaly(int fd1, int fd2, std::int64_t velikost, VysledekShody& v);
    [[nodiscard]] VysledekShody porovnejVelky(int fd1, int fd2, const std::function<void(std::int64_t)>& prubeh);
    [[nodiscard]] VysledekShody porovnejData(int fd1, int fd2, std::int64_t velikost,
                                             const std::function<void(std::int64_t)>& prubeh);

    platform::Syscalls& sys_;
    const std::atomic<bool>* zrusit_;
    int adresar1_, adresar2_;
    std::size_t blok_;
    // Not cleared: a page of a buffer costs memory only once a read reaches
    // it, so eight comparers of small files hold a few KiB each, not 2 MiB.
    std::unique_ptr<char[]> a_, b_;
    bool bezAtime_ = true;   // O_NOATIME until a file refuses it
};

} // namespace zrc
