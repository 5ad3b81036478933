#pragma once
// The check by content of the NOVĚJŠÍ pairs during the comparison's walk: the
// walk hands each directory's pairs over on the listing thread that has just
// classified them (engine/shodne_pary.h), and they are compared there, opened
// from the directory's descriptors, on as many threads as the walk lists
// with. After the run the command line asks for the result of each item of
// its lists; one the walk did not hand over is compared then.
//
// A pair whose sides differ in size differs in content: no file is opened.
// A pair that the run's file filters then leave out of its lists was compared
// for nothing; the filters are applied after the walk.

#include "engine/shodne_pary.h"
#include "operace/overeni_obsahu.h"
#include "operace/shoda_obsahu.h"
#include "platform/syscalls.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zrc {

class OvereniBehem final : public PrijemceNovejsich {
public:
    // shoda.sys must serve several threads at once.
    explicit OvereniBehem(const VolbyShody& shoda = {});

    // The bases (bytes), before the walk starts.
    void zacni(const std::string& zaklad1, const std::string& zaklad2);
    void novejsi(std::string_view podadresar, const int (&adresare)[2], const std::vector<NovejsiPar>& pary) override;

    // The result of the pair at rel (velikost: its list's size): as the walk's
    // thread found it, else compared now. After the walk.
    [[nodiscard]] VysledekShody vysledek(const std::string& rel, std::int64_t velikost);
    // The full path of a side of rel, for the report of an error.
    [[nodiscard]] std::string cesta(int strana, const std::string& rel) const;

private:
    struct Vysledek {
        std::string jmeno;
        VysledekShody shoda;
    };
    using Adresar = std::vector<Vysledek>;   // sorted by name

    std::unique_ptr<PorovnaniObsahu> vezmiPorovnani();
    void vratPorovnani(std::unique_ptr<PorovnaniObsahu> p);
    [[nodiscard]] const VysledekShody* najdi(std::string_view rel);

    VolbyShody shoda_;
    std::string zaklad1_, zaklad2_;
    platform::Fd adresar1_, adresar2_;
    std::mutex zamek_;
    std::vector<std::unique_ptr<PorovnaniObsahu>> volna_;   // comparers no thread uses now
    // Per directory ("" or "a/b/"): a hash per directory and a binary search
    // per pair cost less than a hashed string per pair.
    std::unordered_map<std::string, Adresar> vysledky_;
    const Adresar* posledni_ = nullptr;   // of the last lookup; items come directory by directory
    std::string posledniJmeno_;
};

} // namespace zrc
