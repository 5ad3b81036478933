#pragma once
// One call of ProvedOperaci: the walk over the selected items.

#include "operace/davka_zapisu.h"
#include "operace/denik.h"
#include "operace/kniha_chyb.h"
#include "operace/kopie_souboru.h"
#include "operace/operace.h"
#include "operace/otazky_operace.h"
#include "operace/predcteni_zdroju.h"
#include "operace/strom_operace.h"
#include "platform/kos.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>

namespace zrc {

// How the handling of one item ended.
enum class Konec : std::uint8_t { Hotovo, Odlozeno, Preskoceno, Zruseno };

class BehOperace final : private PrubehKopie {
public:
    BehOperace(const ZadaniOperace& z, RozhraniOperace& r, const VolbyOperace& volby);
    VysledekOperace proved();

private:
    struct Cesty {
        std::string_view podadr, jmeno;
        std::string zdroj;   // full source path, for the status line and the boxes
    };
    Cesty cesty(std::size_t i) const;
    std::string cilPolozky(std::size_t i) const;   // full target path of item i

    bool dostMista();
    Konec polozka(std::size_t i);
    Konec kopirovani(std::size_t i, const Cesty& c);
    std::optional<Konec> poChybe(std::size_t i, const ChybaSouboru& chyba, Krok krok,
                                 const std::string& zdroj);
    ChybaSouboru pokusKopie(std::size_t i, const Cesty& c, bool prvni, Konec& konec);
    ChybaSouboru zkopiruj(std::size_t i, const Cesty& c, const SdilenyAdresar& zdrojAdr,
                          const SdilenyAdresar& cilAdr, bool prvni, Konec& konec);

    // The read-ahead (beh_operace_predcteni.cpp).
    bool predcteno(std::size_t i, bool prvni, PrectenyZdroj& z);
    void spustPredcteni(std::size_t i, dev_t zdroj);
    ChybaSouboru presunPrejmenovanim(std::size_t i, const Cesty& c, const SdilenyAdresar& zdroj,
                                     const SdilenyAdresar& cil, bool& hotovo);
    Konec dokonciKopii(std::size_t i, OdlozenaKopie k, bool samostatne);

    Konec mazani(std::size_t i, const Cesty& c, const SdilenyAdresar& adresar,
                 const struct stat* ocekavany);
    ChybaSouboru smazJednou(std::size_t i, const SdilenyAdresar& adresar, const Cesty& c,
                            const struct stat* ocekavany);
    void prorezej(std::string_view podadr);

    // The trash (beh_operace_kos.cpp).
    bool kosProMazani() const { return z_.mazani == Mazani::DoKose && !z_.operace.kopie; }
    ChybaSouboru doKose(int adresar, const std::string& jmeno, const struct stat& l,
                        const std::string& zdroj, bool& natrvalo, platform::VysledekKose& kam);
    ChybaSouboru starouDoKose(std::size_t i, int adresar, const std::string& jmeno,
                              platform::VysledekKose& zaloha);
    ChybaSouboru vratStarou(const platform::VysledekKose& zaloha, int adresar, const std::string& jmeno,
                            int err);
    OdpovedKose rozhodnutiBezKose(dev_t dev, const std::string& zdroj, int err);
    void zapis(std::size_t i, const ChybaSouboru& c, OdpovedZaznamu o);

    // The journal (beh_operace_denik.cpp).
    struct Vytvoreno {
        DruhZaznamu druh;
        int adresar;                                   // of the target
        const std::string& jmeno;
        const platform::VysledekKose* stara = nullptr;  // the replaced version's trash entry
        bool presun = false;
    };
    void denikVytvoreno(std::size_t i, const Vytvoreno& v);
    void denikSmazano(std::size_t i, const struct stat& l, const platform::VysledekKose* kos);
    void denikSynchronizuj();
    bool dokonciDavku();
    bool dokonciOdlozene(std::vector<OdlozenaKopie> odlozene);
    Konec umistiOdlozenou(OdlozenaKopie& k);
    Konec poChybeAdresare(const OdlozenaKopie& k, ChybaSouboru chyba);

    void vyrizeno(std::size_t i);
    void posun(std::int64_t bajty);
    bool kopirovano(std::int64_t hotovo, std::int64_t celkem) override;
    bool zrusitPozadovano() const;
    void nastavCasyVytvorenych();

    const ZadaniOperace& z_;
    OtazkyOperace otazky_;
    RozhraniOperace& r_;   // otazky_
    const VolbyOperace& volby_;
    platform::Syscalls& sys_;
    Prepis prepis_;
    StromOperace zdroj_, cil_;
    KopirujSoubor kopie_;
    DavkaZapisu davka_;
    bool vseBezPtani_ = false;   // "Vše" to the read-only question
    std::int64_t celkem_ = 0, hotovo_ = 0;
    std::chrono::steady_clock::time_point posledniHlaseni_{};
    std::int64_t posledniBajty_ = 0;
    std::int64_t souborHotovo_ = 0, souborCelkem_ = 0;
    std::vector<std::size_t> vyrizene_;
    platform::Kos kos_;
    std::map<dev_t, OdpovedKose> bezKose_;   // answers per file system
    std::size_t doKose_ = 0;
    // Items whose old version is in the trash already (a hard link), with its
    // entry: a retry or the copy path after EXDEV saves nothing twice, and
    // the journal still names the entry.
    std::map<std::size_t, platform::VysledekKose> ulozene_;
    // Started once the first file was copied byte by byte (no reflink): on a
    // file system that reflinks, reading ahead would only cost.
    std::unique_ptr<PredcteniZdroju> predcteni_;
    bool predcteniZkuseno_ = false;
};

} // namespace zrc
