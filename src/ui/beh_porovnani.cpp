#include "ui/beh_porovnani.h"

#include "engine/cislo_seznamu.h"
#include "engine/docasne_soubory.h"
#include "platform/pamet.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "settings/seznamy.h"
#include "ui/docasne_okno.h"
#include "ui/hlaseni.h"
#include "ui/razeni_ini.h"
#include "ui/stranky_vysledku.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTabWidget>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zrc {

namespace {
// Items reach the lists at most every 100 ms: often enough to look live, rarely
// enough that 200 000 items cost a few hundred model insertions, not 200 000.
constexpr auto intervalDavky = std::chrono::milliseconds(100);
// A run hands its items over in bursts: at 1 000 000 files per side it found
// 850 000 items within 0.2 s, and one 100 ms batch of 310 000 items kept the
// window's thread 0.2 s in a single insertion while three such batches (some
// 55 bytes an item) waited in its queue beside the run's own memory. So a
// batch also leaves once it holds this many items (inserted in 5-10 ms) ...
constexpr std::size_t nejvicVDavce = 16384;
// ... and the run waits while this many items are posted and not yet in the
// lists: the window's thread takes at most two batches between two repaints,
// and the items under way stay under 2 MB whatever the burst.
constexpr std::size_t nejvicNaCeste = 2 * nejvicVDavce;

// The status line once the lists are filled: what the lists lack. The warning
// box about unreadable items closes; the line keeps saying that the result is
// incomplete, ahead of the subdirectories that were not walked.
QString textStavuPoBehu(const VysledekBehu& v)
{
    QStringList casti;
    if (!v.nepristupne.empty())
        casti << QStringLiteral("výsledek může být neúplný, nelze přečíst: %1").arg(v.nepristupne.size());
    if (!v.nezahrnute.prazdne())
        casti << textNezahrnutych(v.nezahrnute);
    return casti.join(QStringLiteral("; "));
}
} // namespace

// Items posted by a run's thread and not yet taken by the window's thread.
class ItemyNaCeste {
public:
    // The run's thread: waits until pocet more items fit, or the run is stopped.
    void cekejNaMisto(std::size_t pocet, const std::atomic<bool>& stop)
    {
        std::unique_lock zamek(mutex_);
        // The stop flag is no part of this lock: it is polled every 20 ms.
        while (naCeste_ > 0 && naCeste_ + pocet > nejvicNaCeste && !stop.load())
            uvolneno_.wait_for(zamek, std::chrono::milliseconds(20));
        naCeste_ += pocet;
    }
    // The window's thread: pocet items have been taken (or dropped).
    void prevzato(std::size_t pocet)
    {
        {
            const std::lock_guard zamek(mutex_);
            naCeste_ -= pocet;
        }
        uvolneno_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable uvolneno_;
    std::size_t naCeste_ = 0;
};

// Items found since the last batch, their texts packed into one buffer.
struct DavkaPolozek {
    struct Zaznam {
        int seznam;
        std::uint32_t podadrOd, podadrDelka, jmenoOd, jmenoDelka;
        std::uint32_t cisloAdresare;
        BalenyCas cas;
        std::int64_t velikost;
    };
    std::vector<Zaznam> zaznamy;
    std::string text;

    void pridej(int seznam, const NalezenySoubor& s)
    {
        // Consecutive items mostly share their directory: store it once.
        std::uint32_t podadrOd;
        if (!zaznamy.empty() && zaznamy.back().podadrDelka == s.podadresar.size()
            && std::string_view(text).substr(zaznamy.back().podadrOd, s.podadresar.size()) == s.podadresar) {
            podadrOd = zaznamy.back().podadrOd;
        } else {
            podadrOd = std::uint32_t(text.size());
            text.append(s.podadresar);
        }
        const auto jmenoOd = std::uint32_t(text.size());
        text.append(s.jmeno);
        zaznamy.push_back({seznam, podadrOd, std::uint32_t(s.podadresar.size()), jmenoOd,
                           std::uint32_t(s.jmeno.size()), s.cisloAdresare, s.cas, s.velikost});
    }
    NalezenySoubor soubor(const Zaznam& z) const
    {
        const std::string_view t(text);
        return {t.substr(z.podadrOd, z.podadrDelka), t.substr(z.jmenoOd, z.jmenoDelka), z.cas, z.velikost,
                z.cisloAdresare};
    }
};

// The run's sink on the worker thread: collects items and posts them, with
// status and progress, to the controller on the window's thread.
class PrijemceOkna : public PrijemceBehu {
public:
    PrijemceOkna(BehPorovnani* cil, std::uint64_t beh, const std::atomic<bool>& stop)
        : cil_(cil), beh_(beh), stop_(stop)
    {
    }

    void overeno(const QString& a1, const QString& a2) override
    {
        posli([a1, a2](BehPorovnani* c, std::uint64_t b) { c->priOvereni(b, a1, a2); });
    }
    void polozka(int seznam, const NalezenySoubor& soubor) override
    {
        davka_->pridej(seznam, soubor);
        if (davka_->zaznamy.size() >= nejvicVDavce)
            odesliDavku();
        else
            odesliPoIntervalu();
    }
    void predpoklad(int seznam, std::size_t nejvyse) override
    {
        posli([seznam, nejvyse](BehPorovnani* c, std::uint64_t b) { c->priPredpokladu(b, seznam, nejvyse); });
    }
    void stav(const QString& text) override
    {
        odesliPoIntervalu();
        posli([text](BehPorovnani* c, std::uint64_t b) { c->priStavu(b, text); });
    }
    void prubeh(int pozice) override
    {
        odesliPoIntervalu();
        posli([pozice](BehPorovnani* c, std::uint64_t b) { c->priPrubehu(b, pozice); });
    }
    void konec(const VysledekBehu& v)
    {
        odesliDavku();
        posli([v](BehPorovnani* c, std::uint64_t b) { c->priKonci(b, v); });
    }

private:
    template <typename F>
    void posli(F f)
    {
        QMetaObject::invokeMethod(cil_, [c = cil_, b = beh_, f] { f(c, b); }, Qt::QueuedConnection);
    }
    void odesliPoIntervalu()
    {
        if (std::chrono::steady_clock::now() - posledni_ >= intervalDavky)
            odesliDavku();
    }
    void odesliDavku()
    {
        posledni_ = std::chrono::steady_clock::now();
        if (davka_->zaznamy.empty())
            return;
        std::shared_ptr<const DavkaPolozek> d = std::move(davka_);
        davka_ = std::make_shared<DavkaPolozek>();
        naCeste_->cekejNaMisto(d->zaznamy.size(), stop_);
        posli([d, naCeste = naCeste_](BehPorovnani* c, std::uint64_t b) {
            c->priDavce(b, *d);
            naCeste->prevzato(d->zaznamy.size());
        });
    }

    BehPorovnani* cil_;
    std::uint64_t beh_;
    const std::atomic<bool>& stop_;
    // Shared with the posted batches: a batch dropped with a closed window
    // never reports back, and the run, stopped by then, no longer waits.
    std::shared_ptr<ItemyNaCeste> naCeste_ = std::make_shared<ItemyNaCeste>();
    std::shared_ptr<DavkaPolozek> davka_ = std::make_shared<DavkaPolozek>();
    std::chrono::steady_clock::time_point posledni_ = std::chrono::steady_clock::now();
};

BehPorovnani::BehPorovnani(StrankyVysledku& stranky, QObject* parent)
    : QObject(parent), stranky_(stranky), volby_(std::make_unique<ZiveVolby>())
{
    qRegisterMetaType<zrc::KonecBehu>();
}

BehPorovnani::~BehPorovnani()
{
    for (Vlakno& v : bezici_)
        v.stop->store(true);
    for (Vlakno& v : bezici_) {
        v.vlakno->wait();
        delete v.vlakno;
    }
}

QString BehPorovnani::textTlacitka() const
{
    return bezi_ ? QStringLiteral("&Stop") : QStringLiteral("&Porovnej");
}

void BehPorovnani::Button4Click(const ZadaniBehu& zadani)
{
    if (bezi_) {
        konecporov();   // "&Stop"
        return;
    }
    nastavBezi(true);
    spust(zadani);
}

void BehPorovnani::spust(const ZadaniBehu& zadani)
{
    const std::uint64_t beh = ++aktualniBeh_;
    stop_ = std::make_shared<std::atomic<bool>>(false);
    volby_->prevezmi(zadani.nastaveni);
    auto prace = [this, beh, zadani, stop = stop_, hodiny = hodiny_, volby = volby_.get(),
                  vlakna = vlakna_] {
        ParametryBehu p;
        p.nastaveni = zadani.nastaveni;
        p.volby = volby;
        p.vynechaneTypy = zadani.vynechaneTypy.get();
        p.hodiny = hodiny.get();
        p.stop = stop.get();
        p.vlakna = vlakna;
        p.jineSvazky = zadani.jineSvazky;
        SberDocasnych docasne;
        p.docasne = &docasne;
        PrijemceOkna prijemce(this, beh, *stop);
        VysledekBehu v = porovnej(p, prijemce);
        v.docasne = docasne.nalezene();
        // The walk's memory is free now; returned here, off the window's
        // thread, before the final sort of the lists takes its own.
        vratVolnouPamet();
        prijemce.konec(v);
    };
    QThread* vlakno = QThread::create(std::move(prace));
    vlakno->setObjectName(QStringLiteral("porovnani"));
    bezici_.push_back({vlakno, stop_});
    connect(vlakno, &QThread::finished, this, [this, vlakno] {
        std::erase_if(bezici_, [vlakno](const Vlakno& v) { return v.vlakno == vlakno; });
        vlakno->deleteLater();
    });
    vlakno->start();
}

void BehPorovnani::nastavBezi(bool bezi)
{
    bezi_ = bezi;
    emit behZmenen(bezi);
}

void BehPorovnani::konecporov()
{
    if (stop_)
        stop_->store(true);
    nastavBezi(false);
    emit prubehViditelny(false);
    emit prubeh(0);
    if (kurzor_) {
        QGuiApplication::restoreOverrideCursor();
        kurzor_ = false;
    }
}

void BehPorovnani::priOvereni(std::uint64_t beh, const QString& adr1, const QString& adr2)
{
    if (beh != aktualniBeh_ || !bezi_)
        return;
    seznamyBehu_ = beh;
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    kurzor_ = true;
    emit overeno(adr1, adr2);
    stranky_.vycistiVse();
    stranky_.uloziste().nastavZaklad(adr1, adr2);
    pripisDoSeznamuAdresaru();
    emit stav(QStringLiteral("příprava záložky s výsledky"));
    emit prubeh(0);
    emit prubehViditelny(true);
}

void BehPorovnani::priDavce(std::uint64_t beh, const DavkaPolozek& davka)
{
    // Items count only once their run has cleared the lists: a run stopped
    // before its validation reached the window leaves the old results alone.
    if (beh != aktualniBeh_ || beh != seznamyBehu_)
        return;
    // One insertion per list and batch; items of a batch keep their order.
    std::vector<NalezenySoubor> soubory;
    for (int tag = 1; tag <= StrankyVysledku::pocetSeznamu; ++tag) {
        soubory.clear();
        for (const DavkaPolozek::Zaznam& z : davka.zaznamy)
            if (z.seznam == tag)
                soubory.push_back(davka.soubor(z));
        stranky_.model(tag)->pridej(soubory);
    }
}

// The lists take room for a pass's items at once: grown by doubling they held
// up to twice their items, three times while one was copied.
void BehPorovnani::priPredpokladu(std::uint64_t beh, int seznam, std::size_t nejvyse)
{
    if (beh == aktualniBeh_ && beh == seznamyBehu_)
        stranky_.uloziste().pripravMisto(seznam, nejvyse);
}

void BehPorovnani::priStavu(std::uint64_t beh, const QString& text)
{
    if (beh == aktualniBeh_ && bezi_)
        emit stav(text);
}

void BehPorovnani::priPrubehu(std::uint64_t beh, int pozice)
{
    if (beh == aktualniBeh_ && bezi_)
        emit prubeh(pozice);
}

void BehPorovnani::priKonci(std::uint64_t beh, const VysledekBehu& vysledek)
{
    if (beh != aktualniBeh_)
        return;   // a newer run has taken the lists over
    if (!bezi_) {
        emit dokonceno(KonecBehu::Zastaveno);   // stopped: idle since the click
        return;
    }
    switch (vysledek.konec) {
    case KonecBehu::Neplatny:
        ukaz(true, vysledek.zprava);
        konecporov();
        break;
    case KonecBehu::Zastaveno:
        konecporov();
        break;
    case KonecBehu::Dokonceno:
        dokonciBeh(vysledek);
        // Once, after everything else of the run; where the operations'
        // deleted files go, there go the leftovers.
        nabidniSmazaniDocasnych(vysledek.docasne, IniCtiBool(cestaIni_, ini::Nastaveni, ini::kos, ini::vychoziKos)
                                                      ? Mazani::DoKose
                                                      : Mazani::Natrvalo);
        break;
    }
    emit dokonceno(vysledek.konec);
}

void BehPorovnani::dokonciBeh(const VysledekBehu& vysledek)
{
    const std::vector<NepristupnyAdresar>& nepristupne = vysledek.nepristupne;
    const UlozisteVysledku& u = stranky_.uloziste();
    for (int tag = 1; tag <= StrankyVysledku::pocetSeznamu; ++tag) {
        const int adresar = CisloSeznamu(tag).adresar();
        stranky_.seznam(tag)->nastavHint(QStringLiteral("ADRESÁŘ %1: ").arg(adresar) + u.cestaAdr(adresar));
    }
    konecporov();
    for (int tag = 1; tag <= StrankyVysledku::pocetSeznamu; ++tag)
        stranky_.seznam(tag)->nastavSloupecRazeni(SeznamVysledku::neserazeno);
    for (int tag = 1; tag <= StrankyVysledku::pocetSeznamu; ++tag)
        stranky_.seznam(tag)->ListView1ColumnClick(NactiRazeni(cestaIni_, stranky_.razeni()));
    stranky_.zobrazPrvniVysledky();
    if (!nepristupne.empty())
        ukaz(true, hlaseniNepristupnych(nepristupne));   // the lists stay as they are
    else if (stranky_.PageControl1()->currentIndex() == 0)
        ukaz(false, zpravy::nicNenalezeno);
    if (const QString text = textStavuPoBehu(vysledek); !text.isEmpty())
        emit stav(text);
    pripisDoSeznamuAdresaru();
    if (!nepridavat_)
        emit pridejDoHistorie();
}

void BehPorovnani::pripisDoSeznamuAdresaru()
{
    const UlozisteVysledku& u = stranky_.uloziste();
    const VolbySeznamu volby{.sloty = ini::slotuAdresaru};
    VysledekZapisu r = PridejNaZacatek(cestaIni_, ini::Adresar1, u.cestaAdr(1), volby);
    if (r)
        r = PridejNaZacatek(cestaIni_, ini::Adresar2, u.cestaAdr(2), volby);
    if (!r)
        ukaz(true, r.chyba());   // the failed write is reported, the run goes on
}

void BehPorovnani::ukaz(bool varovani, const QString& text)
{
    Hlaseni(text, varovani ? DruhHlaseni::Varovani : DruhHlaseni::Informace, Tlacitko::OK);
}

} // namespace zrc
