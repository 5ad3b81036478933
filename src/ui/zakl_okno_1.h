#pragma once
// The main window TForm1: a shell around its parts.
//
//   StrankaNastaveni (stranka_nastaveni.h)   the settings page "Nastavení"
//   StrankyVysledku  (stranky_vysledku.h)    the four result pages, their eight
//                                            lists, their context menu PopupMenu1
//                                            and the action panel PAkce
//   OvladacOperaci   (operace_souboru.h)     the file operations and their progress
//   BehPorovnani     (beh_porovnani.h)       the comparison run
//
// The window itself holds the page control, the status bar, the hidden menu
// PopupMenu2 whose shortcuts act from every control, the placement and the
// zoom: it is laid out at its design size (client 632 x 449) and zoomed as a whole by
// SkalujOkno when it is resized. It passes between its parts what one of them
// asks of another (a run reads the settings page, a loaded history entry sets
// the action panel too).

#include "engine/nastaveni.h"
#include "ui/skalovani.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QMenu;
class QTabWidget;
class QTimer;

namespace zrc {

class BehPorovnani;
class OvladacOperaci;
class StrankaNastaveni;
class StrankyVysledku;
class VysledekZapisu;

class TForm1 final : public QMainWindow {
    Q_OBJECT
public:
    // cestaIni: the INI file of this process (CestaIni).
    // A start with directories on its command line (or "-setup") opens without
    // loading the newest history entry; a plain start opens with it.
    enum class Start { SHistorii, BezHistorie };
    explicit TForm1(const QString& cestaIni, QWidget* parent = nullptr, Start start = Start::SHistorii);
    ~TForm1() override;

    const QString& cestaIni() const { return CestaIni_; }
    // The settings record as the controls show it (settings page and action panel).
    NastaveniPorovnani nastaveni() const;

    // The parts.
    StrankaNastaveni& strankaNastaveni() { return *nastaveniStranka_; }
    StrankyVysledku& vysledky() { return *stranky_; }
    OvladacOperaci& operace() { return *operace_; }
    BehPorovnani& beh() { return *beh_; }

    // What the start-up asks of the window: directories handed over by a later
    // start (the settings page is shown with them), and directory 2 chosen at
    // the first show.
    void prevezmiAdresare(const QString& adresar1, const QString& adresar2);
    void nastavAdresar2(const QString& adresar2);

    // Handlers of the window.
    void PageControl1Change();
    void PopDalsiOknoClick();
    void PopMaximalizujClick();
    void MPBB1Click(int tag);
    void UpravVelikostList(int tag);
    void Button4Click();
    void Button18Click();
    // "kon&figurace": the configuration dialog TForm2, modal, at the window's
    // bottom-right corner.
    void Button3Click();
    // Loads history entry n into the settings page and the action panel.
    void HistorieNacti(int n, bool bezAdresaru);
    // The selection summary of the active list (every second on a result page).
    void Timer1Timer();

    QTabWidget* PageControl1 = nullptr;
    QMenu* PopupMenu1 = nullptr;   // the result lists' menu (StrankyVysledku::menu)
    QMenu* PopupMenu2 = nullptr;
    QTimer* Timer1 = nullptr;

    // Actions of the command map by item name (z_nab_pryc, PopDalsiOkno, MPBB1, ...),
    // the list menu's included.
    QAction* akce(const QString& jmeno) const;

    // RefSirka / RefVyska and the zoom of the whole content.
    const Skalovani& skalovani() const { return skalovani_; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool nativeEvent(const QByteArray& typ, void* udalost, qintptr* vysledek) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void vytvorOkno();
    void vytvorMenu();
    void vytvorPopupMenu2();
    void propojCasti();
    void propojBeh();
    void nactiStartovniNastaveni();
    void pridejDoHistorie();

    void SkalujOkno();
    void FormResize();

    QString CestaIni_;
    bool UkladatOkno = true;
    Skalovani skalovani_;
    bool vResize_ = false;
    bool zavritPoOperaci_ = false;   // closed while a file operation ran
    StrankaNastaveni* nastaveniStranka_ = nullptr;
    StrankyVysledku* stranky_ = nullptr;
    OvladacOperaci* operace_ = nullptr;
    BehPorovnani* beh_ = nullptr;
};

// Shows the error of a failed INI write ("Unable to write to ...") and lets the
// program go on; true when the write succeeded.
bool ohlasZapis(const VysledekZapisu& vysledek);

} // namespace zrc
