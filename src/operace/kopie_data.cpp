// The data part of one file copy: FICLONE, then copy_file_range, then
// read/write, extent by extent for a sparse source.

#include "operace/kopie_souboru.h"
#include "platform/zapisy.h"

#include <algorithm>
#include <cerrno>

namespace zrc {

namespace {

enum class Zpusob { CopyFileRange, ReadWrite };

// Copies byte ranges from one descriptor to another at the same offsets.
class Prenos {
public:
    Prenos(platform::Syscalls& sys, const VolbyOperace& v, std::vector<char>& buffer, int zdroj,
           int cil, std::int64_t velikost, PrubehKopie& p)
        : sys_(sys), volby_(v), buffer_(buffer), zdroj_(zdroj), cil_(cil), velikost_(velikost),
          prubeh_(p)
    {
    }

    // Copies [od, od + delka); a short source (EOF before the end) is a change.
    ChybaSouboru usek(std::int64_t od, std::int64_t delka);
    ChybaSouboru celySoubor() { return usek(0, velikost_); }
    ChybaSouboru poExtentech();

private:
    ChybaSouboru krokCfr(std::int64_t& od, std::int64_t zbyva, bool& konec);
    ChybaSouboru krokRw(std::int64_t& od, std::int64_t zbyva, bool& konec);

    platform::Syscalls& sys_;
    const VolbyOperace& volby_;
    std::vector<char>& buffer_;
    int zdroj_, cil_;
    std::int64_t velikost_;
    PrubehKopie& prubeh_;
    Zpusob zpusob_ = Zpusob::CopyFileRange;
    bool cfrKopiroval_ = false;
};

ChybaSouboru Prenos::krokCfr(std::int64_t& od, std::int64_t zbyva, bool& konec)
{
    off_t vstup = od, vystup = od;
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(zbyva, volby_.blokKopie));
    const auto r = sys_.copyFileRange(zdroj_, &vstup, cil_, &vystup, n);
    if (!r.ok()) {
        // Only a way that copied nothing yet may give way to the next one.
        if (!cfrKopiroval_ && nepodporovano(r.err)) {
            zpusob_ = Zpusob::ReadWrite;
            return {};
        }
        return ChybaSouboru::systemu(r.err);
    }
    cfrKopiroval_ = cfrKopiroval_ || r.value > 0;
    konec = r.value == 0;
    od += r.value;
    return {};
}

ChybaSouboru Prenos::krokRw(std::int64_t& od, std::int64_t zbyva, bool& konec)
{
    if (buffer_.size() != volby_.blokCteni)
        buffer_.resize(volby_.blokCteni);
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(zbyva, buffer_.size()));
    const auto r = sys_.pread(zdroj_, buffer_.data(), n, od);
    if (!r.ok())
        return ChybaSouboru::systemu(r.err);
    konec = r.value == 0;
    if (const auto w = platform::zapisVse(sys_, cil_, buffer_.data(), static_cast<std::size_t>(r.value), od);
        !w.ok())
        return ChybaSouboru::systemu(w.err);
    od += r.value;
    return {};
}

ChybaSouboru Prenos::usek(std::int64_t od, std::int64_t delka)
{
    const std::int64_t konecUseku = od + delka;
    while (od < konecUseku) {
        bool konec = false;
        auto c = zpusob_ == Zpusob::CopyFileRange ? krokCfr(od, konecUseku - od, konec)
                                                  : krokRw(od, konecUseku - od, konec);
        if (c)
            return c;
        if (konec)
            return {Duvod::ZdrojSeZmenil, 0};   // the source shrank under the copy
        if (!prubeh_.kopirovano(od, velikost_))
            return {Duvod::Zruseno, 0};
    }
    return {};
}

ChybaSouboru Prenos::poExtentech()
{
    std::int64_t pozice = 0;
    while (pozice < velikost_) {
        const auto d = sys_.lseek(zdroj_, pozice, SEEK_DATA);
        if (!d.ok() && d.err == ENXIO)
            break;   // only a hole up to the end
        if (!d.ok())
            return pozice == 0 && d.err == EINVAL ? celySoubor() : ChybaSouboru::systemu(d.err);
        const auto h = sys_.lseek(zdroj_, d.value, SEEK_HOLE);
        if (!h.ok())
            return ChybaSouboru::systemu(h.err);
        const std::int64_t konec = std::min<std::int64_t>(h.value, velikost_);
        if (d.value >= konec)
            break;
        if (auto c = usek(d.value, konec - d.value))
            return c;
        pozice = konec;
    }
    // The trailing hole: the target gets the source's length without data.
    if (const auto t = sys_.ftruncate(cil_, velikost_); !t.ok())
        return ChybaSouboru::systemu(t.err);
    if (!prubeh_.kopirovano(velikost_, velikost_))
        return {Duvod::Zruseno, 0};
    return {};
}

} // namespace

// In chunks of the read/write buffer's size, as the other ways copy: progress
// and Cancel after each.
ChybaSouboru KopirujSoubor::zapisPamet(int cil, const std::vector<char>& data, PrubehKopie& p)
{
    const auto celkem = static_cast<std::int64_t>(data.size());
    const std::size_t blok = std::max<std::size_t>(volby_.blokCteni, 1);
    std::size_t zapsano = 0;
    while (zapsano < data.size()) {
        const std::size_t konec = std::min(data.size(), zapsano + blok);
        if (const auto w = platform::zapisVse(sys_, cil, data.data() + zapsano, konec - zapsano,
                                              static_cast<off_t>(zapsano));
            !w.ok())
            return ChybaSouboru::systemu(w.err);
        zapsano = konec;
        if (!p.kopirovano(static_cast<std::int64_t>(zapsano), celkem))
            return {Duvod::Zruseno, 0};
    }
    return {};
}

bool KopirujSoubor::bezKlonu(dev_t zdroj) const
{
    return std::find(bezKlonu_.begin(), bezKlonu_.end(), zdroj) != bezKlonu_.end();
}

ChybaSouboru KopirujSoubor::klon(int zdroj, int cil, const struct stat& st, bool& hotovo)
{
    hotovo = false;
    if (bezKlonu(st.st_dev))
        return {};
    const auto k = sys_.clone(cil, zdroj);
    if (k.ok()) {
        hotovo = true;
        return {};
    }
    if (k.err == EOPNOTSUPP || k.err == EXDEV)
        bezKlonu_.push_back(st.st_dev);
    return nepodporovano(k.err) ? ChybaSouboru{} : ChybaSouboru::systemu(k.err);
}

ChybaSouboru KopirujSoubor::data(int zdroj, int cil, const struct stat& st, PrubehKopie& p)
{
    if (st.st_size == 0)
        return {};
    bool klonovano = false;
    if (auto c = klon(zdroj, cil, st, klonovano))
        return c;
    if (klonovano)
        return p.kopirovano(st.st_size, st.st_size) ? ChybaSouboru{}
                                                    : ChybaSouboru{Duvod::Zruseno, 0};
    Prenos prenos(sys_, volby_, buffer_, zdroj, cil, st.st_size, p);
    const bool ridky = static_cast<std::int64_t>(st.st_blocks) * 512 < st.st_size;
    return ridky ? prenos.poExtentech() : prenos.celySoubor();
}

} // namespace zrc
