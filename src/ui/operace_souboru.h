#pragma once
// The file operations as the window runs them: copy, move and delete of the
// selected items of one result list (the action buttons BB2..BB6, their keys,
// "starší verzi odstraň", "vybrané zkopíruj do ..", "vybrané přesuň do ..").
//
// Contract of this controller:
// - It runs every file command that the result pages announce
//   (StrankyVysledku::operace: the action buttons, their keys and the file
//   commands of the list menu) on the rows selected at that moment.
// - ProvedOperaci gets the decoded command (engine/prikazy.h: list, source and
//   target side, code, twin removal, whether handled items leave the list) and
//   the list's selected rows at the moment of the command, in ascending order.
// - It asks the command's confirmations, then runs the operation on a worker
//   thread and owns the progress window TForm4 for that time; the window is
//   application-modal, so no comparison, sort or other command changes the
//   lists meanwhile.
// - Questions of the worker (free space, read-only file, Cancel / Retry /
//   Ignore) reach the user-interface thread one at a time, in order.
// - The lists change only on the user-interface thread: the items handled
//   successfully leave their list in one batch through StrankyVysledku
//   (ResultListModel::odeberRadky, ResultListModel::odeberProtejsky for the
//   twins), never one search per item.
// - After an operation that ran, the status line says what was done, failed
//   items included (operace/souhrn_operace.h).
// - hotovo is emitted once per ProvedOperaci, also when nothing was done.
// - Without selected rows nothing is asked or done: no confirmation, no
//   directory chooser, no progress window.
// - A command into a chosen directory (operace.cil == Strana::Zvoleny) opens
//   the directory chooser on the other side's base first (volba_cile.h).
// - Every operation is journaled (operace/slozka_deniku.h); a journal that
//   cannot be written is noted in the operation's log, and the operation runs.
// - VratPosledniOperaci takes the newest journal back after its confirmation
//   with the plan line, in the same progress window, journaled itself; then
//   the status line says what came back and porovnatZnovu is emitted when the
//   user wants the trees compared again.
//

#include "operace/operace.h"
#include "operace/shoda_obsahu.h"
#include "operace/prikazy.h"
#include "operace/slozka_deniku.h"
#include "ui/volba_cile.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace zrc {

class BehOperaceVOkne;
class PojistkyOperace;
class StrankyVysledku;
class SeznamVysledku;

class OvladacOperaci final : public QObject {
    Q_OBJECT
public:
    OvladacOperaci(StrankyVysledku& vysledky, QObject* parent = nullptr);
    ~OvladacOperaci() override;

    // Runs operace on the rows (indices into the list operace.seznam).
    void ProvedOperaci(const Operace& operace, const std::vector<int>& vybraneRadky);
    // "ověřit obsah" (overeni_obsahu_okno.cpp): the rows' pairs compared by
    // their bytes off this thread with the progress window; the pairs with
    // equal bytes leave the list, the others stay selected, and the status
    // line says "shodný obsah: 12 souborů, 3,4 GiB". No rows: every row.
    void OverObsah(int seznam, std::vector<int> radky);
    // "vrátit poslední operaci" (Ctrl+Z).
    void VratPosledniOperaci();
    // True while an operation runs (its progress window is open).
    bool bezi() const { return bezi_; }
    // Trash setting, plan line, base guard, mass deletion, log (pojistky_operace.h).
    PojistkyOperace& pojistky() { return *pojistky_; }
    // Ends the running operation as Cancel in its error box does (the main
    // window is being closed); ProvedOperaci returns once the worker stopped.
    void zrus();

    // The directory chooser of the chosen-directory commands (tests answer
    // it without a dialog).
    void nastavVolbuCile(VolbaCile volba) { volbaCile_ = std::move(volba); }
    // System calls and block sizes of the operations (tests slow them down).
    void nastavVolby(const VolbyOperace& volby) { volby_ = volby; }
    void nastavVolbyShody(const VolbyShody& volby) { volbyShody_ = volby; }

signals:
    void hotovo();
    // After an undo: "Ano" to comparing the trees again.
    void porovnatZnovu();

private:
    void stavovyRadek(const QString& text);
    // The journal of the operation z (vraceni_operace.cpp): created, or the
    // reason why not in the operation's log.
    void zalozDenik(const ZadaniOperace& z, const HlavickaDeniku& h, ZapisDeniku& w, KnihaChyb& kniha) const;
    void ohlasDenik(KodOperace kod, const ZapisDeniku& w, KnihaChyb& kniha) const;
    std::optional<Denik> posledniDenik() const;
    bool potvrzeno(const Operace& o, const std::vector<int>& radky) const;
    std::optional<QString> zvolCil(const Operace& o);
    QString textPoOperaci(const ZadaniOperace& z, const VysledekOperace& v) const;
    // Shows text on the status line and holds it against the lists' hints.
    // seznam: the list acted on (null: the focused one).
    void drzSouhrn(const QString& text, SeznamVysledku* seznam = nullptr);
    bool eventFilter(QObject* o, QEvent* e) override;
    void odeberVyrizene(const Operace& o, const std::vector<int>& radky,
                        const std::vector<std::size_t>& vyrizene);

    StrankyVysledku& vysledky_;
    std::unique_ptr<PojistkyOperace> pojistky_;
    bool bezi_ = false;
    BehOperaceVOkne* beh_ = nullptr;
    VolbaCile volbaCile_ = VyberAdresarDialogem;
    VolbyOperace volby_;
    QString drzenySouhrn_;       // the status line after the last operation, while it shows
    bool sledujeOkno_ = false;   // the window's status tips pass eventFilter
    VolbyShody volbyShody_;
};

} // namespace zrc
