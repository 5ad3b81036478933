#include "operace/kniha_chyb.h"

#include "operace/plan_operace.h"

#include <cstdio>

namespace zrc {

namespace {

std::string casTextem(std::time_t cas)
{
    struct tm t {};
    localtime_r(&cas, &t);
    char s[64];
    std::snprintf(s, sizeof s, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return s;
}

// "Kopírování:" without its colon.
std::string nazevOperace(KodOperace kod)
{
    std::string s = titulekKodu(kod);
    if (!s.empty() && s.back() == ':')
        s.pop_back();
    return s;
}

} // namespace

void KnihaChyb::pridej(ZaznamChyby z)
{
    if (!z.cas)
        z.cas = std::time(nullptr);
    zaznamy_.push_back(std::move(z));
}

std::size_t KnihaChyb::pocetPolozek() const
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < zaznamy_.size(); ++i) {
        const auto& z = zaznamy_[i];
        if (!z.polozka)
            continue;
        if (i > 0 && zaznamy_[i - 1].polozka && zaznamy_[i - 1].zdroj == z.zdroj &&
            zaznamy_[i - 1].cil == z.cil)
            continue;
        ++n;
    }
    return n;
}

const char* textOdpovedi(OdpovedZaznamu o)
{
    switch (o) {
    case OdpovedZaznamu::Zrusit: return "Zrušit";
    case OdpovedZaznamu::Ignorovat: return "Ignorovat";
    case OdpovedZaznamu::Ne: return "Ne";
    case OdpovedZaznamu::Zadna: break;
    }
    return "—";
}

std::string textKnihy(const std::vector<ZaznamChyby>& zaznamy)
{
    std::string s;
    for (const auto& z : zaznamy) {
        s += casTextem(z.cas) + "  " + nazevOperace(z.kod) + "\n";
        if (!z.zdroj.empty())
            s += "  zdroj: " + z.zdroj + "\n";
        if (!z.cil.empty())
            s += "  cíl:   " + z.cil + "\n";
        s += "  důvod: " + z.duvod + "\n";
        s += std::string("  odpověď: ") + textOdpovedi(z.odpoved) + "\n";
    }
    return s;
}

} // namespace zrc
