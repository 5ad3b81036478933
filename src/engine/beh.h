#pragma once
// The passes of one comparison run after validation: the structure stage that
// builds the table of the source side's directories, and the file stage that
// pairs and sorts their files.
//
// Both trees are walked once, in the structure stage of the first pass, as one
// tree of pairs of directories (StromStran): each pair is listed on both sides
// and compared from one pairing of the two listings for both passes at once, all
// by the listing thread that took it, and its listings are dropped as soon as
// its subdirectories are in the tree. The threads take pairs in any order; the
// breadth-first order of the tables is laid over the tree once it is complete.
// What the passes still need is kept small: the tree of directories (about
// 100 bytes each) and the differences found (KandidatiAdresare). Each pass's
// file stage then hands its differences on in its table's order, reading the
// file filters and "&Stop" at the same points as a pass that read its
// directories there. Keeping every listing to the end instead cost 59 bytes per
// file, 122 MiB at a million files per side.

#include "engine/beh_kandidati.h"
#include "engine/deleni_vypisu.h"
#include "engine/fronta_paru.h"
#include "engine/otevirac_stromu.h"
#include "engine/filtry.h"
#include "engine/nepristupne_adresare.h"
#include "engine/omezovac.h"
#include "engine/parovani_souboru.h"
#include "engine/porovnani.h"
#include "engine/shodne_pary.h"
#include "engine/strom_strany.h"
#include "engine/vypis_adresare.h"
#include "engine/zarazeni.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zrc {

struct ZakladyBehu {
    std::string adresar1, adresar2;   // bytes, one trailing "/" removed
};

// Listing threads when the caller leaves the choice: a walk on a cold cache
// waits for the disk, and more requests in flight let it sort them. Measured at
// 200 000 files per side on 2 cores (ext4, caches dropped): one thread per core
// took 0.58 x find, 8 threads 0.45 x, 16 threads 0.43 x; with a warm cache 8
// threads cost at most a few per cent more than 2.
int vychoziPocetVlaken();

class Beh final {
    struct Chyba {
        const UzelStromu* uzel;
        std::error_code duvod;
        std::string soubor = {};   // a file of the directory; "" for the directory itself
    };
    // A difference of a pass in the pair being compared, before the pass's
    // differences are put in the order of their names.
    struct NalezenyRozdil {
        std::uint64_t predpona;   // predponaJmena
        const char* jmeno;
        std::uint32_t delka;
        Trida trida;
        BalenyCas cas;
        std::int64_t velikost;
    };
    // What one listing thread keeps from one pair to the next.
    struct PraceVlakna {
        explicit PraceVlakna(std::size_t otevrenych) : oteviraci{OteviracStromu(otevrenych), OteviracStromu(otevrenych)} {}
        PracovniPametVypisu pamet;         // the pair's listings, side 1 and side 2
        int fd[2] = {-1, -1};              // the pair's directories while it is listed
        bool zeton = false;                // holds a token for a huge pair
        DeleniVypisu deleni;               // the examination of its entries
        OteviracStromu oteviraci[2];       // side 1, side 2
        ParovaniSouboru parovani;
        std::vector<NalezenyRozdil> rozdily[2];   // per pass
        std::vector<ShodnyPar> shodne;     // the pair's equal files, with a SberShodnych only
        std::vector<NovejsiPar> novejsi;   // its NOVĚJŠÍ files, with a PrijemceNovejsich only
        SberKandidatu kandidati;
        std::vector<NovyPodadresar> deti;
        std::vector<Chyba> chyby[2];       // per side, in the order this thread read them
        NezahrnuteAdresare nezahrnute;     // what this thread's pairs left unwalked
    };

public:
    Beh(const ParametryBehu& p, PrijemceBehu& prijemce, const ZiveVolby& volby,
        const Limity& limity, const ZakladyBehu& zaklady);

    KonecBehu proved();
    std::size_t pocetPolozek() const { return pocetPolozek_; }
    // The unreadable directories of side 1, then those of side 2.
    std::vector<NepristupnyAdresar> nepristupne() const;
    const NezahrnuteAdresare& nezahrnute() const { return nezahrnute_; }

private:
    bool pruchod(int zdroj);
    std::vector<std::uint32_t> tabulka(int zdroj);
    void doplnCasy(int zdroj);

    // beh_prochazka.cpp: the walk of both trees.
    void projdi(int prvni);
    void nactiPar(UzelStromu& u, platform::DirectoryHandle (&adresare)[2], PraceVlakna& p,
                  FrontaParu& fronta);
    void dokonciPar(UzelStromu& u, PraceVlakna& p);
    int otevriStranu(UzelStromu& u, int strana, platform::DirectoryHandle& adresar, PraceVlakna& p,
                     std::error_code& ec);
    bool naJinemSvazku(const UzelStromu& u, int strana, int fd, std::error_code& ec);
    void vynechejPar(platform::DirectoryHandle (&adresare)[2], PraceVlakna& p);
    void predejDocasne(const UzelStromu& u, int strana, PracovniPametVypisu& pamet) const;
    void podrzAdresare(UzelStromu& u, platform::DirectoryHandle (&adresare)[2],
                       const std::vector<NovyPodadresar>& deti);
    void zpracujPar(UzelStromu& u, PraceVlakna& p);
    void hlasPar(const UzelStromu& u, const PracovniPametVypisu& pamet, int prvni);
    void hlasPrectene(int prvni);
    void najdiRozdily(UzelStromu& u, PraceVlakna& p);
    void zaradSoubory(const bool (&pruchod)[2], PraceVlakna& p);
    void ulozRozdily(UzelStromu& u, PraceVlakna& p);
    void pridejPodadresare(UzelStromu& u, PraceVlakna& p);
    void spocitejNezahrnute(const UzelStromu& u, const NovyPodadresar& d, PraceVlakna& p) const;
    void seradChyby();
    bool ponechat(int zdroj, const UzelStromu& rodic, bool protejsekExistuje) const;

    // beh_soubory.cpp: the file stage.
    bool porovnejSoubory(int zdroj, const std::vector<std::uint32_t>& t);
    bool predejRozdily(int zdroj, UzelStromu& u);
    const std::string& podadresar(const UzelStromu& u);
    void hlasPrubeh(int pozice);
    QString textCesty(int strana, const UzelStromu& u, std::string_view jmeno = {}) const;
    bool zastaveno() const;

    PrijemceBehu& prijemce_;
    const ZiveVolby& volby_;
    const Limity& limity_;
    KontextZarazeni kontext_;
    const std::atomic<bool>* stop_;
    SberShodnych* shodne_;
    PrijemceNovejsich* novejsi_;
    int omezeni_;                       // CBOmez
    int vlaken_;
    StromStran strom_;
    bool prosel_ = false;               // the trees have been walked
    bool zacalPruchod_[2] = {false, false};
    std::vector<Chyba> chyby_[2];       // per side, in breadth-first order
    NezahrnuteAdresare nezahrnute_;     // of all threads, once the walk is over
    JineSvazky jineSvazky_;
    // The file system of each side's base directory, read by the run's thread
    // before the other threads start (it lists the base pair alone).
    std::uint64_t svazekZakladu_[2] = {0, 0};
    platform::Syscalls* sys_;
    std::vector<PraceVlakna> vlakna_;   // one per listing thread, the run's thread first
    std::atomic<std::size_t> drzenych_{0};      // descriptors kept for subdirectories
    std::size_t limitDrzenych_;
    Omezovac omezovac_;
    std::atomic<std::size_t> precteno_{0};   // directories listed in this run, both sides
    int posledniPrubeh_ = 0;            // the run reports 0 before the passes
    const UzelStromu* uzelPodadresare_ = nullptr;
    std::string podadresar_;            // of uzelPodadresare_, "" or "a/b/"
    std::size_t pocetPolozek_ = 0;
};

} // namespace zrc
