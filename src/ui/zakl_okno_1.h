#pragma once
// The main window: the settings page "Nastavení", the four result pages with
// their paired lists, the action panel PAkce, the status bar and the two
// context menus that carry every keyboard shortcut.
//
// The window is laid out at its design size (client 632 x 449) in design pixel
// coordinates and zoomed as a whole by SkalujOkno when it is resized; the
// groups of controls are built in their own files (zakl_okno_1_*.cpp).

#include "engine/cas.h"
#include "engine/nastaveni.h"
#include "engine/prikazy.h"
#include "ui/zakl_okno_1_skalovani.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolButton;

namespace zrc {

class BehPorovnani;
class SeznamVysledku;
class StrankyVysledku;
class OvladaniHistorie;
class VysledekZapisu;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // cestaIni: the INI file of this process (CestaIni).
    // A start with directories on its command line (or "-setup") opens without
    // loading the newest history entry; a plain start opens with it.
    enum class Start { SHistorii, BezHistorie };
    explicit TForm1(const QString& cestaIni, QWidget* parent = nullptr, Start start = Start::SHistorii);
    ~TForm1() override;

    const QString& cestaIni() const { return CestaIni_; }
    // The settings record as the controls show it.
    NastaveniPorovnani nastaveni() const;

    StrankyVysledku& vysledky() { return *stranky_; }
    BehPorovnani& beh() { return *beh_; }

    // Handlers of the window.
    void PageControl1Change();
    void UpravVelikostList(int tag);
    void PopDalsiOknoClick();
    void PopMaximalizujClick();
    void MPBB1Click(int tag);
    void BBOpenClick(int strana);
    void BBNewClick(int strana);
    void adresarFileDropDrop(int strana, const QStringList& soubory);
    void Button4Click();
    void Button18Click();

    // The "Filtr:" and "Omezení:" groups (zakl_okno_1_filtr.cpp, _datum.cpp).
    void CB_Filtr_1ExitAkce(bool bezPrevodu);
    void CB_Filtr_2ExitAkce(bool bezPrevodu);
    void ZmenaCB_Filtr_1(bool zHistorie);
    void ZmenaCB_Filtr_2(bool zHistorie);
    void ChBVyberExit(QComboBox* jednotka);
    void CBOmezExit();
    void ChB_Filtr_2Click();
    bool ME_Filtr_1_OdDataExit(QLineEdit* pole);   // false: "Chybný formát" shown
    void B_Filtr_1_OdDataClick();
    void B_Filtr_2_OdDataClick();
    void B_Filtr_1_OdDataFileDropDrop(const QStringList& cesty);
    void B_Filtr_2_OdDataFileDropDrop(const QStringList& cesty);
    void B_Filtr_1_OdDataAkce(DatumCas x);
    void B_Filtr_2_OdDataAkce(DatumCas x);

    // The "Historie:" group (zakl_okno_1_historie.cpp).
    void HistorieButton(int a);
    void HistorieButtonClick(int krok);
    void SBHPClick();
    void SBHDClick();
    void HistorieZmena();
    void MBHistoriePridaniClick();
    void HistorieNacti(int n, bool bezAdresaru);

    // Controls, named as the rest of the program knows them.
    QWidget* PAkce = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    std::array<QWidget*, 4> stranky{};   // TabSheet2..TabSheet5
    std::array<QSplitter*, 4> rozdelovace{};

    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* adresar1 = nullptr;
    QCheckBox* ChB_adresar1 = nullptr;
    QToolButton* BBOpen1 = nullptr;
    QToolButton* BBNew11 = nullptr;
    QGroupBox* GroupBox7 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* adresar2 = nullptr;
    QCheckBox* ChB_adresar2 = nullptr;
    QToolButton* BBOpen2 = nullptr;
    QToolButton* BBNew2 = nullptr;

    QGroupBox* GroupBox1 = nullptr;   // "Filtr:"
    QCheckBox* ChB_Filtr_1 = nullptr;
    QComboBox* CB_Filtr_1 = nullptr;
    QSpinBox* SE_Filtr_1_Posledni = nullptr;
    QComboBox* ChB_Filtr_1_Posledni = nullptr;
    QDateEdit* DTP_Filtr_1_OdData = nullptr;
    QLineEdit* ME_Filtr_1_OdData = nullptr;
    QPushButton* B_Filtr_1_OdData = nullptr;
    QCheckBox* ChB_Filtr_2 = nullptr;
    QComboBox* CB_Filtr_2 = nullptr;
    QSpinBox* SE_Filtr_2_Posledni = nullptr;
    QComboBox* ChB_Filtr_2_Posledni = nullptr;
    QDateEdit* DTP_Filtr_2_OdData = nullptr;
    QLineEdit* ME_Filtr_2_OdData = nullptr;
    QPushButton* B_Filtr_2_OdData = nullptr;
    QCheckBox* ChB_Filtr_3 = nullptr;
    QSpinBox* SE_Filtr_3 = nullptr;

    QGroupBox* GroupBox3 = nullptr;   // "Omezení:"
    QLabel* LOmez = nullptr;
    QComboBox* CBOmez = nullptr;
    QCheckBox* ChBIgnorCasFiltr = nullptr;

    QGroupBox* GB_Historie = nullptr;
    QToolButton* SBHP = nullptr;
    QLabel* LH = nullptr;
    QToolButton* SBHD = nullptr;
    QCheckBox* ChBHBezAdr = nullptr;
    QCheckBox* ChBHNepridavat = nullptr;

    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button18 = nullptr;
    QPushButton* Button3 = nullptr;

    QCheckBox* CBMazPodAdr = nullptr;
    QSpinBox* SEMazUroven = nullptr;
    QLabel* MazUrovenVzor = nullptr;
    std::array<QPushButton*, pocetAkci> BB{};   // BB1..BB6

    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QTimer* Timer1 = nullptr;
    QFileDialog* Dialog_Filtr_1 = nullptr;   // created at first use, kept for the last choice
    QFileDialog* Dialog_Filtr_2 = nullptr;

    // Actions of the command map by item name (z_nab_pryc, PopDalsiOkno, MPBB1, ...).
    QAction* akce(const QString& jmeno) const;

    // RefSirka / RefVyska and the zoom of the whole content.
    const Skalovani& skalovani() const { return skalovani_; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Builders, one per group of controls.
    void vytvorOkno();
    void vytvorNastaveni();
    void vytvorAdresar(int strana);
    void vytvorFiltr();
    void vytvorOmezeni();
    void vytvorHistorii();
    void vytvorTlacitkaNastaveni();
    void vytvorVysledky();
    void vytvorPAkce();
    void vytvorMenu();
    void vytvorPopupMenu1();
    void vytvorPopupMenu2();
    void propojBeh();
    void propojZiveVolby();
    void propojAdresare();
    void propojFiltr();
    void propojDatumFiltru();
    void propojHistorii();
    void exitAkceRezimu(int filtr, bool bezPrevodu);
    void prevodFiltru(int filtr, bool zHistorie);
    void datumFiltru(int filtr, DatumCas x);
    void nactiFiltr(int filtr, const NastaveniPorovnani& z);
    bool overCasyFiltru();
    void nactiStartovniNastaveni();
    void pojmenujOvladace();

    void SkalujOkno();
    void FormResize();
    void PoleSloupcu(int sirkaStranky);
    void adresarEnter(int strana);
    void adresarExit();
    void pridejDoHistorie();
    QComboBox* adresar(int strana) const { return strana == 1 ? adresar1 : adresar2; }

    QString CestaIni_;
    bool UkladatOkno = true;
    Skalovani skalovani_;
    bool vResize_ = false;
    StrankyVysledku* stranky_ = nullptr;
    BehPorovnani* beh_ = nullptr;
    OvladaniHistorie* historie_ = nullptr;
    QString adresarFiltru2_;   // the directory Dialog_Filtr_2 returned last
};

// Shows the error of a failed INI write ("Unable to write to ...") and lets the
// program go on; true when the write succeeded.
bool ohlasZapis(const VysledekZapisu& vysledek);

} // namespace zrc
