#pragma once
// The comparison run as the window drives it: "&Porovnej" starts the engine on a
// worker thread, "&Stop" (the same button) stops it. Found items reach the lists
// in batches, status and progress by queued calls, so the window repaints and the
// stop answers at once while the run goes on.

#include "engine/porovnani.h"
#include "engine/nastaveni.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class QThread;

namespace zrc {

class StrankyVysledku;
struct DavkaPolozek;

// What a click on "&Porovnej" hands to the run: the settings record of the
// controls and the source of the excluded types (null: nothing excluded).
struct ZadaniBehu {
    NastaveniPorovnani nastaveni;
    std::shared_ptr<VynechaneTypy> vynechaneTypy;
    JineSvazky jineSvazky = JineSvazky::Prochazet;   // "nepřecházet na jiné svazky"
};

class BehPorovnani final : public QObject {
    Q_OBJECT
public:
    explicit BehPorovnani(StrankyVysledku& stranky, QObject* parent = nullptr);
    ~BehPorovnani() override;   // stops every run still unwinding and waits for it

    // The run flag (Button4's Tag): true from the click to konecporov.
    bool bezi() const { return bezi_; }
    QString textTlacitka() const;   // "&Stop" while running, "&Porovnej" otherwise

    // The on/off options a running run reads at each use; the window sets them
    // when the check boxes change.
    ZiveVolby& ziveVolby() { return *volby_; }
    void setCestaIni(const QString& cesta) { cestaIni_ = cesta; }
    void nastavHodiny(std::shared_ptr<const Hodiny> hodiny) { hodiny_ = std::move(hodiny); }
    void nastavVlakna(int vlakna) { vlakna_ = vlakna; }

public slots:
    // Starts a run, or stops the running one.
    void Button4Click(const zrc::ZadaniBehu& zadani);
    // Makes the window idle; a run still in progress stops at its next check.
    void konecporov();
    // ChBHNepridavat: a completed run does not append to the history.
    void nastavNepridavat(bool nepridavat) { nepridavat_ = nepridavat; }

signals:
    void behZmenen(bool bezi);             // Button4 caption follows textTlacitka()
    void prubehViditelny(bool viditelny);  // ProgressBar1: shown after validation, hidden idle
    void prubeh(int pozice);               // 0..100
    void stav(const QString& text);        // StatusBar1
    // Validation passed; the window writes the trimmed texts into adresar1/adresar2.
    void overeno(const QString& adresar1, const QString& adresar2);
    void pridejDoHistorie();               // HistoriePridej of a completed run
    // The worker of the latest run has ended and the completion steps are done;
    // a run stopped by "&Stop" reports Zastaveno here once its worker is out.
    void dokonceno(zrc::KonecBehu konec);

private:
    friend class PrijemceOkna;
    void spust(const ZadaniBehu& zadani);
    void priOvereni(std::uint64_t beh, const QString& adr1, const QString& adr2);
    void priDavce(std::uint64_t beh, const DavkaPolozek& davka);
    void priPredpokladu(std::uint64_t beh, int seznam, std::size_t nejvyse);
    void priStavu(std::uint64_t beh, const QString& text);
    void priPrubehu(std::uint64_t beh, int pozice);
    void priKonci(std::uint64_t beh, const VysledekBehu& vysledek);
    void dokonciBeh(const VysledekBehu& vysledek);
    void pripisDoSeznamuAdresaru();
    void nastavBezi(bool bezi);
    void ukaz(bool varovani, const QString& text);

    StrankyVysledku& stranky_;
    std::unique_ptr<ZiveVolby> volby_;
    std::shared_ptr<const Hodiny> hodiny_;
    QString cestaIni_;
    int vlakna_ = 0;
    bool bezi_ = false;
    bool nepridavat_ = false;
    bool kurzor_ = false;
    std::uint64_t aktualniBeh_ = 0;
    std::uint64_t seznamyBehu_ = 0;   // the run whose items the lists take
    std::shared_ptr<std::atomic<bool>> stop_;
    struct Vlakno {
        QThread* vlakno;
        std::shared_ptr<std::atomic<bool>> stop;
    };
    std::vector<Vlakno> bezici_;
};

} // namespace zrc

Q_DECLARE_METATYPE(zrc::ZadaniBehu)
