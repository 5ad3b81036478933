#include "engine/beh.h"

#include "util/bajty_cesty.h"

#include <algorithm>
#include <memory>
#include <thread>

namespace zrc {

namespace {

QString cisloAdresare(int strana)
{
    return strana == 0 ? QStringLiteral("ADRESÁŘ 1") : QStringLiteral("ADRESÁŘ 2");
}

} // namespace

int vychoziPocetVlaken()
{
    const int jader = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::max(8, 4 * jader);
}

Beh::Beh(const ParametryBehu& p, PrijemceBehu& prijemce, const ZiveVolby& volby,
         const Limity& limity, const ZakladyBehu& zaklady)
    : prijemce_(prijemce),
      volby_(volby),
      limity_(limity),
      kontext_{.volby = volby, .limity = limity, .vynechaneTypy = p.vynechaneTypy},
      stop_(p.stop),
      shodne_(p.shodne),
      novejsi_(p.novejsi),
      omezeni_(p.nastaveni.CBOmez),
      vlaken_(p.vlakna > 0 ? p.vlakna : vychoziPocetVlaken()),
      strom_(zaklady.adresar1, zaklady.adresar2),
      jineSvazky_(p.jineSvazky),
      sys_(p.sys ? p.sys : &platform::realSyscalls())
{
    const std::size_t otevrenych = descriptoruNaOtevirac(2 * vlaken_);
    // A quarter of the process's descriptors, at most 65 536 (some 256 bytes of
    // kernel memory each).
    limitDrzenych_ = std::min<std::size_t>(platform::raiseDescriptorLimit() / 4, 65536);
    vlakna_.reserve(static_cast<std::size_t>(vlaken_));
    for (int i = 0; i < vlaken_; ++i) {
        PracovniPametVypisu& pamet = vlakna_.emplace_back(otevrenych).pamet;
        pamet.docasne = p.docasne;
        pamet.sys = sys_;
    }
}

// A directory read for the first pass (as its source or as the counterpart) is
// reported before those that only the second pass reads; the second pass's own
// are left out when the run ended before that pass began, as they would not
// have been read at all.
std::vector<NepristupnyAdresar> Beh::nepristupne() const
{
    std::vector<NepristupnyAdresar> v;
    for (int strana = 0; strana < 2; ++strana) {
        for (const bool prvniPruchod : {true, false}) {
            if (!prvniPruchod && !zacalPruchod_[1])
                continue;
            for (const Chyba& c : chyby_[strana]) {
                if (c.uzel->prochazi[0] != prvniPruchod)
                    continue;
                if (c.soubor.empty()) {
                    v.push_back({strom_.plnaCesta(strana, *c.uzel), c.duvod});
                    continue;
                }
                std::string cesta = strom_.plnaCesta(strana, *c.uzel);
                if (cesta.back() != '/')
                    cesta.push_back('/');
                v.push_back({cesta + c.soubor, c.duvod, DruhNepristupneho::Soubor});
            }
        }
    }
    return v;
}

bool Beh::zastaveno() const
{
    return stop_ && stop_->load(std::memory_order_relaxed);
}

KonecBehu Beh::proved()
{
    const bool pruchod1 = omezeni_ != static_cast<int>(Omezeni::JenAdresar2);
    const bool pruchod2 = omezeni_ != static_cast<int>(Omezeni::JenAdresar1);
    strom_[0].prochazi[0] = pruchod1;
    strom_[0].prochazi[1] = pruchod2;
    if (pruchod1 && !pruchod(0))
        return KonecBehu::Zastaveno;
    if (pruchod2 && !pruchod(1))
        return KonecBehu::Zastaveno;
    return KonecBehu::Dokonceno;
}

// The stop flag is looked at once the structure stage is complete (it always
// finishes first) and after every file of the file stage.
bool Beh::pruchod(int zdroj)
{
    zacalPruchod_[zdroj] = true;
    prijemce_.stav(QStringLiteral("vytvářím strukturu podaresářů pro ") + cisloAdresare(zdroj));
    if (!prosel_) {
        projdi(zdroj);
        prosel_ = true;
    }
    const std::vector<std::uint32_t> t = tabulka(zdroj);
    if (zastaveno())
        return false;
    return porovnejSoubory(zdroj, t);
}

// The pass's directories in breadth-first order. The subdirectory time filter
// is read here, once per pass: each directory but the source directory is
// judged by its own time (one that could not be opened has none and is left
// out); removing one keeps those below it.
std::vector<std::uint32_t> Beh::tabulka(int zdroj)
{
    const bool filtr = volby_.ChB_Filtr_2.load(std::memory_order_relaxed);
    if (filtr)
        doplnCasy(zdroj);
    std::vector<std::uint32_t> t;
    for (const std::uint32_t i : strom_.poradi()) {
        const UzelStromu& u = strom_[i];
        if (!u.prochazi[zdroj])
            continue;
        if (filtr && i > 0 && (!u.maCas[zdroj] || !VyhovujePodadresar(u.cas[zdroj], limity_)))
            continue;
        t.push_back(i);
    }
    return t;
}

// The walk reads a directory's own time only while the filter is on; when it
// was turned on during the walk, the pass reads the times it lacks by path
// (a link in place of the directory by now is not followed, as the walk would
// not have entered it).
void Beh::doplnCasy(int zdroj)
{
    std::unique_ptr<PrevodCasu> prevod;
    for (std::size_t i = 1; i < strom_.size(); ++i) {
        UzelStromu& u = strom_[i];
        if (!u.prochazi[zdroj] || !u.casOdlozen[zdroj])
            continue;
        u.casOdlozen[zdroj] = false;
        std::error_code ec;
        const auto info = platform::statPath(strom_.plnaCesta(zdroj, u).c_str(), platform::FollowLinks::No, ec);
        if (!info || info->type != platform::EntryType::Directory)
            continue;
        if (!prevod)
            prevod = std::make_unique<PrevodCasu>();
        u.maCas[zdroj] = true;
        u.cas[zdroj] = prevod->baleny(info->mtime);
    }
}

QString Beh::textCesty(int strana, const UzelStromu& u, std::string_view jmeno) const
{
    std::string cesta = strom_.plnaCesta(strana, u);
    if (!jmeno.empty()) {
        if (cesta.empty() || cesta.back() != '/')
            cesta.push_back('/');
        cesta.append(jmeno);
    }
    return textZBajtu(cesta);
}

} // namespace zrc
