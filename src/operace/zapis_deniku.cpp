#include "operace/zapis_deniku.h"

#include "platform/zapisy.h"

namespace zrc {

ZapisDeniku::ZapisDeniku(platform::Syscalls& sys, std::string cesta, platform::Fd fd, off_t konec)
    : sys_(&sys), cesta_(std::move(cesta)), fd_(std::move(fd)), konec_(konec)
{
}

void ZapisDeniku::zapis(const ZaznamDeniku& z)
{
    if (!fd_.valid() || chyba_)
        return;   // after a failed write a later record could follow a torn one
    const std::string radek = radekZaznamu(z);
    if (const auto r = platform::zapisVse(*sys_, fd_.get(), radek.data(), radek.size(), konec_); !r.ok()) {
        chyba_ = r.err;
        return;
    }
    konec_ += off_t(radek.size());
    neulozeno_ = true;
}

void ZapisDeniku::synchronizuj()
{
    if (!fd_.valid() || !neulozeno_)
        return;
    neulozeno_ = false;
    if (const auto r = sys_->fdatasync(fd_.get()); !r.ok() && !chyba_)
        chyba_ = r.err;
}

} // namespace zrc
