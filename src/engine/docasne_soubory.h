#pragma once
// The temporary files of interrupted copies ("." + name + "." + six [a-z0-9]
// + ".zrtmp") that a comparison met. The walk never lists them
// as files; with a collector in ParametryBehu::docasne it records where they
// are, so that the window can offer once after the run to delete them.
//
// Listing threads add to one collector at once; it takes a lock only when a
// leftover is found, which a healthy tree never has.

#include <cerrno>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zrc {

// The names of the temporary files of a copy: "." + name + "." + six [a-z0-9]
// + ".zrtmp". The copy makes them (kopie_souboru.h); a comparison never lists
// them as ordinary files.
inline constexpr std::string_view priponaDocasneho = ".zrtmp";
inline constexpr std::size_t delkaNahodneCasti = 6;
bool jeDocasnySoubor(std::string_view jmeno);

class SberDocasnych final {
public:
    // A leftover named jmeno in the open directory fd. Its path is read from
    // /proc/self/fd; a directory whose path is unknown (beyond PATH_MAX) is
    // passed over.
    void pridej(int fd, std::string_view jmeno);
    // Full paths, sorted, each once (a directory read by both passes reports
    // its leftovers twice).
    std::vector<std::string> cesty() const;

private:
    mutable std::mutex zamek_;
    std::vector<std::string> cesty_;
};

} // namespace zrc
