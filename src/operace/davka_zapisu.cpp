#include "operace/davka_zapisu.h"

#include <algorithm>

namespace zrc {

namespace {

constexpr std::size_t maxAdresaru = 256;

} // namespace

DavkaZapisu::DavkaZapisu(platform::Syscalls& sys, const VolbyOperace& volby)
    : sys_(sys), volby_(volby)
{
}

void DavkaZapisu::pridej(OdlozenaKopie k)
{
    if (polozky_.empty())
        zacatek_ = std::chrono::steady_clock::now();
    const int fd = k.docasny.adresar->get();
    if (std::find(adresare_.begin(), adresare_.end(), fd) == adresare_.end())
        adresare_.push_back(fd);
    bajty_ += k.velikost;
    polozky_.push_back(std::move(k));
}

bool DavkaZapisu::plna() const
{
    if (polozky_.empty())
        return false;
    const auto vek = std::chrono::steady_clock::now() - zacatek_;
    return polozky_.size() >= volby_.davkaSouboru || bajty_ >= volby_.davkaBajtu ||
           adresare_.size() >= maxAdresaru || vek >= std::chrono::milliseconds(volby_.davkaMs);
}

ChybaSouboru DavkaZapisu::synchronizuj()
{
    std::vector<dev_t> hotova;
    for (const auto& k : polozky_) {
        struct stat st {};
        const int fd = k.docasny.adresar->get();
        if (!sys_.fstat(fd, st).ok() ||
            std::find(hotova.begin(), hotova.end(), st.st_dev) != hotova.end())
            continue;
        if (const auto r = sys_.syncfs(fd); !r.ok())
            return ChybaSouboru::systemu(r.err);
        hotova.push_back(st.st_dev);
    }
    return {};
}

std::vector<OdlozenaKopie> DavkaZapisu::vezmi()
{
    std::vector<OdlozenaKopie> v;
    v.swap(polozky_);
    adresare_.clear();
    bajty_ = 0;
    return v;
}

void DavkaZapisu::zahod()
{
    for (auto& k : polozky_)
        odstranDocasny(sys_, k.docasny);
    vezmi();
}

ChybaSouboru synchronizujAdresare(platform::Syscalls& sys, const std::vector<SdilenyAdresar>& a)
{
    std::vector<int> hotove;
    ChybaSouboru prvni;
    for (const auto& d : a) {
        if (!d || std::find(hotove.begin(), hotove.end(), d->get()) != hotove.end())
            continue;
        hotove.push_back(d->get());
        if (const auto r = sys.fsync(d->get()); !r.ok() && !prvni)
            prvni = ChybaSouboru::systemu(r.err);
    }
    return prvni;
}

} // namespace zrc
