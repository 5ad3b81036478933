#pragma once
// Runs a file operation of the engine for the window: the engine on a worker
// thread, the progress window TForm4 on the user-interface thread.
//
// The worker's questions (free space, read-only file, Cancel / Retry / Ignore)
// are blocking queued calls into the user-interface thread, so they come one
// at a time and in order, and the window keeps repainting while one is open.
// Progress is coalesced: the worker posts at most one update at a time and the
// window shows the latest state, so a run of 10 000 small files cannot flood
// the event queue. The progress line under the bars is sampled by a timer, four
// times a second (radek_prubehu.h): its speed needs samples at steady times,
// and text that changes faster cannot be read anyway.

#include "operace/operace.h"
#include "operace/overeni_obsahu.h"
#include "operace/vraceni.h"
#include "ui/radek_prubehu.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QWidget;

namespace zrc {

class TForm4;

class BehOperaceVOkne final : public QObject {
    Q_OBJECT
public:
    // stavovyRadek shows "Kopíruji: ..." / "Odstraňuji: ..." in the main
    // window's status bar ("" clears it).
    BehOperaceVOkne(QWidget* hlavniOkno, std::function<void(const QString&)> stavovyRadek);
    ~BehOperaceVOkne() override;

    // Runs the operation and returns when it has ended; meanwhile the event
    // loop runs (as in a modal dialog) and the progress window is open.
    VysledekOperace proved(const ZadaniOperace& z, VolbyOperace volby = {});
    // The same for a verification of pairs by content ("ověřit obsah"):
    // the same window, bars, progress line and Esc.
    VysledekOvereni over(const ZadaniOvereni& z, VolbyShody volby = {});
    // The same for the undo of the journal d ("Vrácení:", "Vracím: ...").
    VysledekVraceni vrat(const Denik& d, VolbyOperace volby = {});

    // The question when no trash of a file system can be used; empty:
    // zeptejSeBezKose (pojistky_operace.h). Called on the user-interface thread.
    std::function<OdpovedKose(const std::string&, const ChybaSouboru&)> bezKose;

    // Cancel as Esc in the progress window does (closing the main window, a
    // signal to end the program). A question open at that moment is answered
    // as its "Zruš" (Esc: "Ne" where it has no "Zruš"), and none opens after.
    void zrus();
    // The progress window while the operation runs (tests, screenshots).
    TForm4* okno() const { return okno_.get(); }

signals:
    // Emitted on the user-interface thread when the progress window has opened.
    void oknoOtevreno();

private:
    friend class PosrednikOperace;
    friend class PosrednikOvereni;
    struct Stav {
        QString soubor, stav;
        Prubeh prubeh;
        std::size_t poradi = 0;   // the file being worked on, from 1
    };
    // An operation's items in the progress window while the worker runs
    // prace (which returns whether Cancel ended it); returns the same.
    bool spustOperaci(const ZadaniOperace& z, VolbyOperace volby,
                      const std::function<bool(RozhraniOperace&, const VolbyOperace&)>& prace);
    // Runs prace on a worker thread with the event loop running meanwhile.
    void spust(const QString& titulek, std::size_t souboru, std::int64_t celkem,
               const std::function<void()>& prace);
    KodOperace kod_ = KodOperace::Kopie;   // of the run in progress: its step texts
    void zajistiOkno();
    void zverejni(const std::function<void(Stav&)>& zmena);
    void obnov();
    void obnovRadek();

    QWidget* hlavniOkno_;
    std::function<void(const QString&)> stavovyRadek_;
    std::unique_ptr<TForm4> okno_;
    std::atomic<bool> zrusit_{false};
    bool otazka_ = false;   // a question of the worker is open
    std::mutex zamek_;
    Stav stav_;
    bool naplanovano_ = false;
    QString titulek_;
    std::size_t souboru_ = 0;
    RadekPrubehu radek_;
    QTimer casovacRadku_;
    QElapsedTimer hodiny_;
};

} // namespace zrc
