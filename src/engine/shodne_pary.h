#pragma once
// The pairs a comparison judged equal (same time to two seconds, same size),
// which the lists never hold. Recorded only when the caller gives a collector
// in ParametryBehu::shodne: a check of content of "equal" pairs needs them,
// an ordinary run pays one untaken branch per equal pair.
//
// Listing threads add to one collector at once; each adds a directory's pairs
// under one lock. The NOVĚJŠÍ pairs go, only when the caller gives a receiver
// in ParametryBehu::novejsi, the same way to PrijemceNovejsich.

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zrc {

struct ShodnyPar {
    std::string cesta;           // relative path, own bytes: "a/b/x.txt"
    std::int64_t velikost = 0;
};

// A NOVĚJŠÍ pair as the walk found it (either side the newer one): its name
// in the directory and the sizes of both sides.
struct NovejsiPar {
    std::string_view jmeno;
    std::int64_t velikost1 = 0, velikost2 = 0;
};

// Takes the NOVĚJŠÍ pairs of each directory on the listing thread that has
// just read and classified it, long before the run hands its lists on: the
// command line compares their bytes there, from the directories' open
// descriptors, while the kernel still holds the names it has just looked up
// for the stat. After the walk every open looked its name up again from a
// cold cache, and 10 000 small pairs took a quarter more CPU time than
// diff -rq, which opens a file right after its stat. Called on several
// threads at once; the names and descriptors are valid during the call.
class PrijemceNovejsich {
public:
    virtual ~PrijemceNovejsich() = default;
    // podadresar: "" or "a/b/"; adresare: its descriptors on side 1 and 2.
    virtual void novejsi(std::string_view podadresar, const int (&adresare)[2],
                         const std::vector<NovejsiPar>& pary) = 0;
};

class SberShodnych final {
public:
    // The pairs jmena (names in the directory podadresar, "" or "a/b/").
    void pridej(std::string_view podadresar, const std::vector<ShodnyPar>& jmena);
    // Every pair once, in byte order of the paths.
    std::vector<ShodnyPar> pary() const;

private:
    mutable std::mutex zamek_;
    std::vector<ShodnyPar> pary_;
};

} // namespace zrc
