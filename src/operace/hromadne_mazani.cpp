#include "operace/hromadne_mazani.h"

#include "operace/plan_operace.h"

namespace zrc {

bool hromadneMazani(const RozsahMazani& r)
{
    // 2 * n >= total: "half" includes exactly half, in integers without rounding.
    return r.natrvalo && r.mazanych >= hromadneOd && 2 * r.mazanych >= r.naStrane;
}

std::string textHromadnehoMazani(std::int64_t mazanych, std::int64_t naStrane, const std::string& radekAdresare)
{
    return "Natrvalo se odstraní " + pocetSouboru(mazanych) + " z " + std::to_string(naStrane) +
           (naStrane == 1 ? " uvedeného" : " uvedených") + " na této straně.\r" +
           (radekAdresare.empty() ? "" : radekAdresare + "\r") + "Opravdu pokračovat?";
}

} // namespace zrc
