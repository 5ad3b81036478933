#include "ui/beh_operace_okno.h"

#include "ui/copy_info.h"
#include "ui/hlaseni.h"
#include "ui/pojistky_operace.h"
#include "ui/poradi_souboru.h"
#include "util/bajty_cesty.h"
#include "util/cesty.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

namespace zrc {

namespace {

OdpovedChyby odpovedChyby(Odpoved o)
{
    if (o == Odpoved::Opakuj)
        return OdpovedChyby::Znovu;
    if (o == Odpoved::Ignoruj)
        return OdpovedChyby::Ignorovat;
    return OdpovedChyby::Zrusit;   // "Zruš", Esc, closing the box
}

} // namespace

// The engine's side: runs on the worker thread, hands everything over to the
// user-interface thread.
class PosrednikOperace : public RozhraniOperace {
public:
    PosrednikOperace(BehOperaceVOkne& o, const ZadaniOperace& z) : o_(o), poradi_(z) {}

    bool nedostatekMista(std::int64_t, std::int64_t) override
    {
        return naUi([] {
            return Hlaseni(QStringLiteral("Nedostatek místa na disku, mám pokracovat?"),
                           DruhHlaseni::Chyba, Tlacitko::Ano | Tlacitko::Ne) == Odpoved::Ano;
        }, false);
    }
    void krok(Krok k, const std::string& zdroj) override
    {
        const QString cesta = textZBajtu(zdroj);
        const QString s = (o_.kod_ == KodOperace::Vraceni ? QStringLiteral("Vracím: ")
                           : k == Krok::Kopirovani      ? QStringLiteral("Kopíruji: ")
                                                        : QStringLiteral("Odstraňuji: ")) + cesta;
        const std::size_t poradi = poradi_.krok(zdroj);
        o_.zverejni([&](BehOperaceVOkne::Stav& st) {
            st.soubor = cesta;
            st.stav = s;
            st.poradi = poradi;
        });
    }
    void prubeh(const Prubeh& p) override
    {
        o_.zverejni([&](BehOperaceVOkne::Stav& st) { st.prubeh = p; });
    }
    OdpovedChyby chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c) override
    {
        const QString t = QStringLiteral("Soubor ") + ZkratCestu(30, textZBajtu(zdroj)) +
                          QStringLiteral(" nelze zkopírovat\r") + textZBajtu(textChyby(c));
        return naUi([&] {
            o_.zajistiOkno();
            return odpovedChyby(Hlaseni(t, DruhHlaseni::Informace,
                                        Tlacitko::Zrus | Tlacitko::Opakuj | Tlacitko::Ignoruj));
        }, OdpovedChyby::Zrusit);
    }
    OdpovedChyby chybaMazani(const std::string& zdroj, const ChybaSouboru& c) override
    {
        const QString cesta = textZBajtu(zdroj);
        const QString t = QStringLiteral("Soubor ") + ZkratCestu(30, cesta) +
                          QStringLiteral(" nelze smazat z adresáře: ") + AdresarCesty(cesta) +
                          QStringLiteral("\r") + textZBajtu(textChyby(c));
        return naUi([&] {
            o_.zajistiOkno();
            return odpovedChyby(Hlaseni(t, DruhHlaseni::Informace,
                                        Tlacitko::Zrus | Tlacitko::Opakuj | Tlacitko::Ignoruj));
        }, OdpovedChyby::Zrusit);
    }
    OdpovedCteni jenProCteni(const std::string& zdroj) override
    {
        const QString t = QStringLiteral("Smazat i soubor(y) jen pro čtení?\r") + textZBajtu(zdroj);
        return naUi([&] {
            o_.zajistiOkno();
            const Odpoved o = HlaseniOkno(t, DruhHlaseni::Potvrzeni,
                                          Tlacitko::Ano | Tlacitko::Ne | Tlacitko::Vse);
            return o == Odpoved::Ano ? OdpovedCteni::Ano
                   : o == Odpoved::Vse ? OdpovedCteni::Vse : OdpovedCteni::Ne;
        }, OdpovedCteni::Ne);
    }
    OdpovedKose kosNepouzitelny(const std::string& zdroj, const ChybaSouboru& c) override
    {
        return naUi([&] {
            o_.zajistiOkno();
            return o_.bezKose ? o_.bezKose(zdroj, c) : zeptejSeBezKose(zdroj, c);
        }, OdpovedKose::Zrusit);
    }
    void vyrizeno(std::size_t) override {}

private:
    // A blocking call into the user-interface thread: the progress updates
    // posted before it are shown first (one queue, in order).
    // A question that comes after Cancel is not shown: it gets poZruseni,
    // the answer that its "Zruš" (or Esc) would give.
    template <class F, class R>
    R naUi(F f, R poZruseni)
    {
        R vysledek = poZruseni;
        QMetaObject::invokeMethod(&o_, [&] {
            if (o_.zrusit_)
                return;
            o_.otazka_ = true;
            vysledek = f();
            o_.otazka_ = false;
        }, Qt::BlockingQueuedConnection);
        return vysledek;
    }

    BehOperaceVOkne& o_;
    PoradiSouboru poradi_;   // the worker's own: steps come on its thread
};

// A verification's side: only the step and the progress.
class PosrednikOvereni : public RozhraniOvereni {
public:
    explicit PosrednikOvereni(BehOperaceVOkne& o) : o_(o) {}

    void krok(const std::string& cesta1) override
    {
        const QString cesta = textZBajtu(cesta1);
        const std::size_t poradi = ++poradi_;
        o_.zverejni([&](BehOperaceVOkne::Stav& st) {
            st.soubor = cesta;
            st.stav = QStringLiteral("Ověřuji: ") + cesta;
            st.poradi = poradi;
        });
    }
    void prubeh(const Prubeh& p) override
    {
        o_.zverejni([&](BehOperaceVOkne::Stav& st) { st.prubeh = p; });
    }

private:
    BehOperaceVOkne& o_;
    std::size_t poradi_ = 0;
};

BehOperaceVOkne::BehOperaceVOkne(QWidget* hlavniOkno, std::function<void(const QString&)> stav)
    : hlavniOkno_(hlavniOkno), stavovyRadek_(std::move(stav))
{
    casovacRadku_.setInterval(250);   // at most four times a second
    connect(&casovacRadku_, &QTimer::timeout, this, &BehOperaceVOkne::obnovRadek);
}

BehOperaceVOkne::~BehOperaceVOkne() = default;

void BehOperaceVOkne::zrus()
{
    zrusit_ = true;
    // The question is the modal dialog above the progress window; its reject
    // gives the answer of Esc, which is "Zruš" in every error box.
    if (!otazka_)
        return;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog != okno_.get())
        dialog->reject();
}

void BehOperaceVOkne::zajistiOkno()
{
    if (okno_)
        return;
    okno_ = std::make_unique<TForm4>(hlavniOkno_);
    okno_->setWindowTitle(titulek_);
    connect(okno_.get(), &TForm4::zrusit, this, [this] { zrusit_ = true; });
    obnovRadek();
    casovacRadku_.start();
    okno_->show();
    emit oknoOtevreno();
}

void BehOperaceVOkne::zverejni(const std::function<void(Stav&)>& zmena)
{
    std::lock_guard z(zamek_);
    zmena(stav_);
    if (naplanovano_)
        return;
    naplanovano_ = true;
    QMetaObject::invokeMethod(this, [this] { obnov(); }, Qt::QueuedConnection);
}

void BehOperaceVOkne::obnov()
{
    Stav s;
    {
        std::lock_guard z(zamek_);
        s = stav_;
        naplanovano_ = false;
    }
    zajistiOkno();
    okno_->nastavSoubor(s.soubor);
    okno_->nastavPrubehSouboru(s.prubeh.souborHotovo, s.prubeh.souborCelkem);
    okno_->nastavPrubehCelkem(s.prubeh.celkemHotovo, s.prubeh.celkem);
    if (stavovyRadek_)
        stavovyRadek_(s.stav);
}

void BehOperaceVOkne::obnovRadek()
{
    if (!okno_)
        return;
    StavRadku r{.souboru = souboru_};
    {
        std::lock_guard z(zamek_);
        r.soubor = stav_.poradi;
        r.hotovo = stav_.prubeh.celkemHotovo;
        r.celkem = stav_.prubeh.celkem;
    }
    radek_.vzorek(r.hotovo, hodiny_.elapsed());
    okno_->nastavRadek(radek_.text(r));
}

VysledekOperace BehOperaceVOkne::proved(const ZadaniOperace& z, VolbyOperace volby)
{
    VysledekOperace v;
    spustOperaci(z, std::move(volby), [&](RozhraniOperace& r, const VolbyOperace& vo) {
        v = ProvedOperaci(z, r, vo);
        return v.zruseno;
    });
    return v;
}

// The undo's items for the progress window: the paths it works on, newest
// first, as full paths below "/".
VysledekVraceni BehOperaceVOkne::vrat(const Denik& d, VolbyOperace volby)
{
    ZadaniOperace z{.zdroj = "/", .operace = {.kod = KodOperace::Vraceni}};
    for (auto it = d.zaznamy.rbegin(); it != d.zaznamy.rend(); ++it)
        if (it->druh != DruhZaznamu::Chyba) {
            const bool smazany = it->druh == DruhZaznamu::DoKose || it->druh == DruhZaznamu::Smazano;
            z.polozky.push_back({(smazany ? it->cesta : it->cil).substr(1), it->identita.velikost});
        }
    VysledekVraceni v;
    spustOperaci(z, std::move(volby), [&](RozhraniOperace& r, const VolbyOperace& vo) {
        v = VratOperaci(d, r, vo);
        return v.zruseno;
    });
    return v;
}

bool BehOperaceVOkne::spustOperaci(const ZadaniOperace& z, VolbyOperace volby,
                                   const std::function<bool(RozhraniOperace&, const VolbyOperace&)>& prace)
{
    std::int64_t celkem = 0;
    for (const auto& p : z.polozky)
        celkem += p.velikost;
    kod_ = z.operace.kod;
    volby.zrusit = &zrusit_;
    bool zruseno = false;
    PosrednikOperace posrednik(*this, z);
    spust(QString::fromUtf8(titulekKodu(z.operace.kod)), z.polozky.size(), celkem,
          [&] { zruseno = prace(posrednik, volby); });
    // After Cancel the status line keeps the interrupted step's text.
    if (stavovyRadek_ && !zruseno)
        stavovyRadek_(QString());
    okno_.reset();
    return zruseno;
}

VysledekOvereni BehOperaceVOkne::over(const ZadaniOvereni& z, VolbyShody volby)
{
    std::int64_t celkem = 0;
    for (const auto& p : z.pary)
        celkem += p.velikost;
    volby.zrusit = &zrusit_;
    VysledekOvereni vysledek;
    PosrednikOvereni posrednik(*this);
    spust(QStringLiteral("Ověřování obsahu:"), z.pary.size(), celkem,
          [&] { vysledek = OverObsah(z, posrednik, volby); });
    if (stavovyRadek_)
        stavovyRadek_(QString());
    okno_.reset();
    return vysledek;
}

void BehOperaceVOkne::spust(const QString& titulek, std::size_t souboru, std::int64_t celkem,
                            const std::function<void()>& prace)
{
    titulek_ = titulek;
    zrusit_ = false;
    souboru_ = souboru;
    radek_ = {};
    {
        std::lock_guard zamek(zamek_);
        stav_ = {};
        // The whole set is known before the first report: "0 B z 4,0 GiB".
        stav_.prubeh.celkem = celkem;
    }
    hodiny_.start();
    QEventLoop smycka;
    std::unique_ptr<QThread> vlakno(QThread::create(prace));
    vlakno->setObjectName(QStringLiteral("operace"));
    connect(vlakno.get(), &QThread::finished, &smycka, &QEventLoop::quit);
    vlakno->start();
    smycka.exec();
    // The loop also ends when the application quits. The work then ends as
    // Cancel ends it, and this thread keeps answering the worker's calls (a
    // question cannot open any more and counts as Cancel or No) until the
    // worker has stopped: a bare wait() would leave a worker that asks
    // waiting for this thread for ever.
    if (!vlakno->isFinished()) {
        zrusit_ = true;
        while (!vlakno->wait(QDeadlineTimer(20)))
            QCoreApplication::processEvents();
    }
    vlakno->wait();
    QCoreApplication::sendPostedEvents(this);   // the last progress update
    casovacRadku_.stop();
}

} // namespace zrc
