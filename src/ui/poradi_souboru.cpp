#include "ui/poradi_souboru.h"

#include <algorithm>

namespace zrc {

namespace {

// The source path the engine reports for an item: base, "/", relative path.
bool jeCestou(const std::string& zdroj, const std::string& zaklad, const std::string& rel)
{
    const bool lomitko = !zaklad.empty() && zaklad.back() == '/';
    const std::size_t delka = zaklad.size() + (lomitko ? 0 : 1) + rel.size();
    return zdroj.size() == delka && zdroj.starts_with(zaklad) && zdroj.ends_with(rel) &&
           (lomitko || zdroj[zaklad.size()] == '/');
}

} // namespace

PoradiSouboru::PoradiSouboru(const ZadaniOperace& z)
    : zaklad_(z.zdroj), polozky_(z.polozky)
{
}

std::size_t PoradiSouboru::krok(const std::string& zdroj)
{
    const std::size_t konec = std::min(polozky_.size(), dalsi_ + dohled);
    for (std::size_t i = dalsi_; i < konec; ++i) {
        if (jeCestou(zdroj, zaklad_, polozky_[i].cesta)) {
            dalsi_ = i + 1;
            break;
        }
    }
    return dalsi_;
}

} // namespace zrc
