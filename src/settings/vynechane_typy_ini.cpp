#include "settings/vynechane_typy_ini.h"

#include "util/ascii.h"
#include "util/bajty_cesty.h"

#include "engine/filtry.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>
#include <time.h>

namespace zrc {

namespace {

// The coarse monotonic clock advances in steps of a few milliseconds (4 ms
// here), plenty for a 50 ms interval, and costs about 10 ns to read; the
// precise clock costs 60-70 ns on a virtual machine, more than the whole
// check of a file name.
std::int64_t monotonniNs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return ts.tv_sec * 1'000'000'000LL + ts.tv_nsec;
}

// An extension of up to 16 bytes packed into two words, zero-padded, so that
// comparing it with a type costs two integer comparisons instead of a call of
// memcmp (which took a third of the check's time).
struct Kratka {
    std::uint64_t a = 0, b = 0;
    bool operator==(const Kratka&) const = default;
};
constexpr std::size_t maxKratka = 16;

Kratka zabal(std::string_view s)
{
    char buf[maxKratka] = {};
    std::copy(s.begin(), s.end(), buf);
    Kratka k;
    std::memcpy(&k.a, buf, 8);
    std::memcpy(&k.b, buf + 8, 8);
    return k;
}

} // namespace

struct VynechaneTypyIni::Seznam {
    bool pouzit = false;
    std::vector<Kratka> kratke;      // "." + type, as stored, when it fits in 16 bytes
    std::vector<QString> texty;      // all of them, for the other extensions

    bool prazdny() const { return texty.empty(); }

    bool obsahuje(std::string_view pripona) const
    {
        // Upper-casing never turns ASCII into anything else, so an ASCII
        // extension compares byte for byte without a conversion.
        if (pripona.size() <= maxKratka && JeAscii(pripona)) {
            char velka[maxKratka];
            std::transform(pripona.begin(), pripona.end(), velka, [](char c) { return VelkaAscii(c); });
            const Kratka k = zabal(std::string_view(velka, pripona.size()));
            return std::find(kratke.begin(), kratke.end(), k) != kratke.end();
        }
        const QString u = textZBajtu(pripona).toUpper();
        return std::find(texty.begin(), texty.end(), u) != texty.end();
    }
};

VynechaneTypyIni::VynechaneTypyIni(QString cestaIni, std::chrono::nanoseconds interval)
    : cesta_(std::move(cestaIni)), intervalNs_(interval.count())
{
    std::lock_guard l(zamek_);
    zkontroluj();   // the first call always reads: there is no list yet
    dalsiKontrola_.store(monotonniNs() + intervalNs_);
}

VynechaneTypyIni::~VynechaneTypyIni() = default;

void VynechaneTypyIni::zkontroluj()
{
    Podpis p;
    struct stat st;
    if (::stat(bajtyZTextu(cesta_).c_str(), &st) == 0) {
        p = {true, st.st_dev, st.st_ino, st.st_size,
             st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
             st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec};
    }
    if (p == podpis_ && seznam_.load())
        return;
    podpis_ = p;
    auto novy = std::make_unique<Seznam>();
    const IniDokument d = nactiIni(cesta_);
    novy->pouzit = d.ctiBool(ini::Typ, ini::pouzit, false);
    for (int i = 1; i <= ini::slotuTypu; ++i) {
        const QString typ = d.ctiText(ini::Typ, QString::number(i));
        if (typ.isEmpty())
            continue;   // a free slot excludes nothing, not even names ending in "."
        novy->texty.push_back(u'.' + typ);
        const std::string bajty = bajtyZTextu(novy->texty.back());
        if (bajty.size() <= maxKratka)
            novy->kratke.push_back(zabal(bajty));
    }
    seznamy_.push_back(std::move(novy));
    seznam_.store(seznamy_.back().get(), std::memory_order_release);
}

const VynechaneTypyIni::Seznam& VynechaneTypyIni::aktualni()
{
    const std::int64_t ted = monotonniNs();
    if (ted >= dalsiKontrola_.load(std::memory_order_relaxed)) {
        std::unique_lock l(zamek_, std::try_to_lock);
        if (l.owns_lock()) {
            zkontroluj();
            dalsiKontrola_.store(monotonniNs() + intervalNs_, std::memory_order_relaxed);
        }
    }
    return *seznam_.load(std::memory_order_acquire);
}

bool VynechaneTypyIni::jeVynechanyTyp(std::string_view jmenoSouboru)
{
    const Seznam& s = aktualni();
    if (!s.pouzit || s.prazdny())
        return false;
    const std::string_view pripona = priponaSouboru(jmenoSouboru);
    return !pripona.empty() && s.obsahuje(pripona);
}

} // namespace zrc
