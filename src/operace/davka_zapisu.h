#pragma once
// The durability batch: complete temporary files whose rename replaces an
// existing target, or whose source (a move across file systems) is deleted
// afterwards, wait here until their data is on disk.
//
// Flushing per small file costs 8-17x a plain copy (measured on 10 000 small
// files); one syncfs per batch of at most 1 000 files, 256 MiB or 2 s costs
// 1.2-1.4x. So the walk collects, then syncfs once per target file system,
// then renames, then fsyncs the directories touched, and only then deletes the
// moved sources. A Cancel or a failed flush removes the batch's temporary
// files: every target of the batch keeps its old version.

#include "operace/kopie_souboru.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zrc {

struct OdlozenaKopie {
    std::size_t index = 0;           // the item
    DocasnySoubor docasny;
    std::int64_t velikost = 0;       // bytes of the temporary file
    // A move: the source to delete once the target is on disk.
    bool smazatZdroj = false;
    bool nahrazuje = false;          // the target existed (for the journal)
    SdilenyAdresar zdrojAdresar;
    std::string zdrojJmeno;
    struct stat zdrojSt {};          // as copied
};

class DavkaZapisu final {
public:
    DavkaZapisu(platform::Syscalls& sys, const VolbyOperace& volby);

    void pridej(OdlozenaKopie k);
    bool prazdna() const { return polozky_.empty(); }
    // The batch has reached a limit: files, bytes, age, or open directories
    // (each held directory is a descriptor; 256 keep far below the usual 1 024).
    bool plna() const;
    const OdlozenaKopie& prvni() const { return polozky_.front(); }
    const std::vector<OdlozenaKopie>& polozky() const { return polozky_; }

    // syncfs of every file system that holds a temporary file of the batch.
    ChybaSouboru synchronizuj();
    std::vector<OdlozenaKopie> vezmi();
    // Removes every temporary file of the batch.
    void zahod();

private:
    platform::Syscalls& sys_;
    const VolbyOperace& volby_;
    std::vector<OdlozenaKopie> polozky_;
    std::vector<int> adresare_;   // distinct directory descriptors, for the limit
    std::int64_t bajty_ = 0;
    std::chrono::steady_clock::time_point zacatek_;
};

// fsync of each distinct directory, once.
ChybaSouboru synchronizujAdresare(platform::Syscalls& sys, const std::vector<SdilenyAdresar>& a);

} // namespace zrc
