#pragma once
// Excluded types given as a plain list (the command line's --exclude, tests).

#include "engine/vynechane_typy.h"

#include <QString>
#include <string>
#include <vector>

namespace zrc {

// A plain list of excluded types ("BAK", "tmp"; compared as the upper-cased
// last extension against "." + the upper-cased type); an empty list excludes
// nothing, and empty entries (free slots) are ignored. Holds no mutable state:
// several listing threads may ask at once.
class SeznamVynechanychTypu final : public VynechaneTypy {
public:
    explicit SeznamVynechanychTypu(std::vector<QString> typy = {});
    bool jeVynechanyTyp(std::string_view jmenoSouboru) override;
private:
    std::vector<std::string> pripony_;   // "." + type, upper-cased, UTF-8
};

} // namespace zrc
