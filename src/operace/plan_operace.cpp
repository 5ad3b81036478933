#include "operace/plan_operace.h"

#include "util/velikost_text.h"

namespace zrc {

std::string pocetSouboru(std::int64_t n)
{
    const char* tvar = n == 1 ? "soubor" : (n >= 2 && n <= 4) ? "soubory" : "souborů";
    return std::to_string(n) + " " + tvar;
}

std::string textPlanu(const PlanOperace& plan, KamSmazane kam)
{
    std::string s = pocetSouboru(plan.soubory) + ", " + velikostTextem(plan.bajty);
    switch (kam) {
    case KamSmazane::Nic: break;
    case KamSmazane::DoKose: s += ", do koše"; break;
    case KamSmazane::Natrvalo: s += ", natrvalo"; break;
    case KamSmazane::StareDoKose: s += ", staré verze do koše"; break;
    }
    return s;
}

} // namespace zrc
