#pragma once
// The guard of the base directories: a disk unmounted or mounted since the
// comparison must not turn an operation into a copy onto the wrong disk or a
// deletion of what the result lists no longer describe.
//
// At the end of a comparison the window records each base:
//
//   straz_ = StrazZakladu({{"Adresář 1", CestaAdr1}, {"Adresář 2", CestaAdr2}});
//
// and before every operation (after its confirmations, before ProvedOperaci):
//
//   if (const auto zmena = straz_.zkontroluj()) {
//       Hlaseni(textZBajtu(zmena->zprava), warning, Ok);   // nothing is done
//       return;
//   }
//
// A base that could not be opened at the end of the comparison (a one-sided
// run whose target does not exist yet) is not guarded: the operation creates it.

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zrc {

namespace platform { class Syscalls; }

// What a base directory was at one moment.
struct OtiskZakladu {
    std::string nazev;         // "Adresář 1"
    std::string cesta;         // as typed
    int err = 0;               // errno of the open; 0: it existed
    dev_t dev = 0;
    ino_t ino = 0;
    int idPripojeni = -1;      // mount id, -1 unknown
    std::string bodPripojeni;  // mount point
    std::string typ;           // file-system type
};

// sys: nullptr for the real system calls.
OtiskZakladu otiskZakladu(std::string nazev, std::string cesta, platform::Syscalls* sys = nullptr);

// Czech reason why the base now differs from the record, or nullopt.
std::optional<std::string> rozdilZakladu(const OtiskZakladu& puvodni, const OtiskZakladu& ted);

struct ZmenaZakladu {
    std::string nazev, cesta;
    std::string zprava;   // the whole message, naming the base
};

class StrazZakladu final {
public:
    struct Zaklad {
        std::string nazev, cesta;
    };
    StrazZakladu() = default;
    explicit StrazZakladu(const std::vector<Zaklad>& zaklady, platform::Syscalls* sys = nullptr);

    // The first base that is gone, replaced or on another mount now.
    [[nodiscard]] std::optional<ZmenaZakladu> zkontroluj() const;
    const std::vector<OtiskZakladu>& otisky() const { return otisky_; }

private:
    std::vector<OtiskZakladu> otisky_;
    platform::Syscalls* sys_ = nullptr;
};

} // namespace zrc
