#include "operace/zapis_deniku.h"

#include "platform/zapisy.h"

namespace zrc {

ZapisDeniku::ZapisDeniku(platform::Syscalls& sys, std::string cesta, platform::Fd fd, off_t konec)
    : sys_(&sys), cesta_(std::move(cesta)), fd_(std::move(fd)), konec_(konec)
{
}

namespace {

constexpr std::size_t davkaZapisu = 16 * 1024;
constexpr auto nejdeleCekaji = std::chrono::milliseconds(250);

} // namespace

void ZapisDeniku::zapis(const ZaznamDeniku& z)
{
    if (!fd_.valid() || chyba_)
        return;   // after a failed write a later record could follow a torn one
    const auto ted = std::chrono::steady_clock::now();
    if (cekajici_.empty())
        odKdyCekaji_ = ted;
    cekajici_ += radekZaznamu(z);
    if (cekajici_.size() >= davkaZapisu || ted - odKdyCekaji_ >= nejdeleCekaji)
        vypis();
}

void ZapisDeniku::vypisPoLhute()
{
    if (!cekajici_.empty() && std::chrono::steady_clock::now() - odKdyCekaji_ >= nejdeleCekaji)
        vypis();
}

void ZapisDeniku::vypis()
{
    if (cekajici_.empty() || chyba_)
        return;
    const auto r = platform::zapisVse(*sys_, fd_.get(), cekajici_.data(), cekajici_.size(), konec_);
    if (!r.ok()) {
        chyba_ = r.err;
        return;
    }
    konec_ += off_t(cekajici_.size());
    cekajici_.clear();
    neulozeno_ = true;
}

void ZapisDeniku::synchronizuj()
{
    if (!fd_.valid())
        return;
    vypis();
    if (!neulozeno_)
        return;
    neulozeno_ = false;
    if (const auto r = sys_->fdatasync(fd_.get()); !r.ok() && !chyba_)
        chyba_ = r.err;
}

} // namespace zrc
