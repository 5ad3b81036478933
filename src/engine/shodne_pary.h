#pragma once
// The pairs a comparison judged equal (same time to two seconds, same size),
// which the lists never hold. Recorded only when the caller gives a collector
// in ParametryBehu::shodne: a check of content of "equal" pairs needs them,
// an ordinary run pays one untaken branch per equal pair.
//
// Listing threads add to one collector at once; each adds a directory's pairs
// under one lock.

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
