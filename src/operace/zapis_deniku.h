#pragma once
// Writes the journal of one operation (denik.h) through platform::Syscalls.
//
// The header is on disk (the file and its directory flushed) before the
// operation touches anything. Records are appended as the items are done and
// flushed together with the operation's own durability points (the end of a
// write batch, the end of the run), never one fsync per item: a record is on
// disk no later than the change it describes. A failed write or flush does
// not stop the operation; the first error stays for the caller to report.
//
// Used by one thread at a time (the operation's worker).

#include "operace/denik.h"
#include "platform/syscalls.h"

#include <string>

namespace zrc {

class ZapisDeniku final {
public:
    ZapisDeniku() = default;
    ZapisDeniku(platform::Syscalls& sys, std::string cesta, platform::Fd fd, off_t konec);

    bool otevreny() const { return fd_.valid(); }
    const std::string& cesta() const { return cesta_; }
    void zapis(const ZaznamDeniku& z);
    // fdatasync when something was appended since the last call.
    void synchronizuj();
    // errno of the first failed write or flush; 0.
    int chyba() const { return chyba_; }

private:
    platform::Syscalls* sys_ = nullptr;
    std::string cesta_;
    platform::Fd fd_;
    off_t konec_ = 0;
    bool neulozeno_ = false;
    int chyba_ = 0;
};

} // namespace zrc
