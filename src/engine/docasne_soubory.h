#pragma once
// The temporary files of interrupted copies ("." + name + "." + six [a-z0-9]
// + ".zrtmp") that a comparison met. The walk never lists them
// as files; with a collector in ParametryBehu::docasne it records where they
// are and what they were, so that the window or the command line can offer
// once after the run to remove them.
//
// Listing threads add to one collector at once; it takes a lock only when a
// leftover is found, which a healthy tree never has.

#include <cerrno>
#include <compare>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace zrc {

// The names of the temporary files of a copy: "." + name + "." + six [a-z0-9]
// + ".zrtmp". The copy makes them (kopie_souboru.h); a comparison never lists
// them as ordinary files.
inline constexpr std::string_view priponaDocasneho = ".zrtmp";
inline constexpr std::size_t delkaNahodneCasti = 6;
bool jeDocasnySoubor(std::string_view jmeno);
// "1 dočasný soubor", "3 dočasné soubory", "5 dočasných souborů".
std::string pocetDocasnych(std::size_t n);

// A leftover as the walk met it: where it lies, relative to the base that was
// walked, and what it was then. Its removal goes through the same path
// component by component and only while the file is still this one (a user's
// own file of such a name may have been edited since, or a directory swapped
// for a link).
struct NalezenyDocasny {
    std::string zaklad;        // the base directory as given to the comparison
    std::string podadr;        // "" or "a/b" below the base
    std::string jmeno;
    dev_t dev = 0;
    ino_t ino = 0;
    std::int64_t velikost = 0;
    std::int64_t casSekundy = 0;   // modification time
    long casNano = 0;

    // zaklad/podadr/jmeno, for messages.
    std::string cesta() const;
    bool operator==(const NalezenyDocasny&) const = default;
    auto operator<=>(const NalezenyDocasny&) const = default;
};

// A leftover named jmeno in the open directory fd, with the identity it has
// now; false when it is not there or not a regular file (a link of such a
// name is no leftover of a copy).
bool zjistiDocasny(int fd, std::string_view jmeno, NalezenyDocasny& d);

class SberDocasnych final {
public:
    void pridej(NalezenyDocasny d);
    // Sorted by base and path, each once (a directory read by both passes
    // reports its leftovers twice).
    std::vector<NalezenyDocasny> nalezene() const;

private:
    mutable std::mutex zamek_;
    std::vector<NalezenyDocasny> nalezene_;
};

} // namespace zrc
