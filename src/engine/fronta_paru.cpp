#include "engine/fronta_paru.h"

#include <algorithm>

namespace zrc {

UzelStromu* FrontaParu::vezmi(bool& konec, std::chrono::milliseconds limit)
{
    std::unique_lock l(m_);
    ++cekajicich_;
    const auto muze = [&] { return dalsi_ < strom_.size() || aktivnich_ == 0 || nabidka(); };
    if (limit.count() > 0)
        prace_.wait_for(l, limit, muze);
    else
        prace_.wait(l, muze);
    --cekajicich_;
    konec = dalsi_ >= strom_.size() && aktivnich_ == 0;
    if (dalsi_ >= strom_.size()) {
        if (Nabidka* n = nabidka())
            pomoz(l, *n);
        return nullptr;
    }
    ++aktivnich_;
    return &strom_[dalsi_++];
}

void FrontaParu::dokonceno(UzelStromu& u, const std::vector<NovyPodadresar>& deti)
{
    std::size_t probudit;
    {
        std::lock_guard l(m_);
        for (const NovyPodadresar& d : deti) {
            UzelStromu& n = strom_.pridej(u, d.jmeno);
            std::copy_n(d.existuje, 2, n.existuje);
            std::copy_n(d.prochazi, 2, n.prochazi);
            std::copy_n(d.predek, 2, n.predek);
        }
        --aktivnich_;
        const std::size_t cekaji = strom_.size() - dalsi_;
        probudit = aktivnich_ == 0 && cekaji == 0
            ? static_cast<std::size_t>(cekajicich_)
            : std::min<std::size_t>(cekaji > 0 ? cekaji - 1 : 0, static_cast<std::size_t>(cekajicich_));
    }
    for (std::size_t k = 0; k < probudit; ++k)
        prace_.notify_one();
}

std::size_t FrontaParu::cekajicich()
{
    std::lock_guard l(m_);
    return strom_.size() - dalsi_;
}

void FrontaParu::nabidni(DeleniVypisu& d)
{
    bool cekaji, cekajiNaZeton;
    {
        std::lock_guard l(m_);
        nabidky_.push_back({&d, 0});
        cekaji = cekajicich_ > 0;
        cekajiNaZeton = cekajicichNaZeton_ > 0;
    }
    if (cekaji)
        prace_.notify_all();
    if (cekajiNaZeton)
        zeton_.notify_all();
}

void FrontaParu::stahni(DeleniVypisu& d)
{
    // Looked up anew on every wake: other threads' offers may have moved it.
    const auto najdi = [&] { return std::ranges::find(nabidky_, &d, &Nabidka::deleni); };
    std::unique_lock l(m_);
    dokoncenaPomoc_.wait(l, [&] { return najdi()->pomocniku == 0; });
    nabidky_.erase(najdi());
}

void FrontaParu::vezmiZeton()
{
    std::unique_lock l(m_);
    for (;;) {
        if (zetonu_ > 0) {
            --zetonu_;
            return;
        }
        if (Nabidka* n = nabidka()) {
            pomoz(l, *n);
            continue;
        }
        ++cekajicichNaZeton_;
        zeton_.wait(l, [&] { return zetonu_ > 0 || nabidka(); });
        --cekajicichNaZeton_;
    }
}

void FrontaParu::vratZeton()
{
    {
        std::lock_guard l(m_);
        ++zetonu_;
    }
    zeton_.notify_one();
}

FrontaParu::Nabidka* FrontaParu::nabidka()
{
    for (Nabidka& n : nabidky_)
        if (n.deleni->maPraci())
            return &n;
    return nullptr;
}

void FrontaParu::pomoz(std::unique_lock<std::mutex>& l, Nabidka& n)
{
    DeleniVypisu* d = n.deleni;
    ++n.pomocniku;   // keeps the entry (and d) until this thread is done
    l.unlock();
    d->pracuj();
    l.lock();
    const auto konec = std::ranges::find(nabidky_, d, &Nabidka::deleni);
    if (--konec->pomocniku == 0)
        dokoncenaPomoc_.notify_all();
}

} // namespace zrc
