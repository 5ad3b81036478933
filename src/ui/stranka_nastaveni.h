#pragma once
// The settings page "Nastavení" (TabSheet1 of the main window): the two
// directories, the "Filtr:", "Omezení:" and "Historie:" groups, the progress
// bar of a run and the buttons "&Porovnej", "abo&ut" and "kon&figurace".
//
// The page keeps its own controls consistent (filter modes and conversions,
// the history position, the directory buttons) and tells the window what it
// cannot decide itself through signals: a run is wanted, a history entry is to
// be loaded, a status text is to be shown. The window never reaches into its
// controls; tests may, through the public pointers named as the program knows
// them.

#include "engine/cas.h"
#include "engine/nastaveni.h"

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace zrc {

class OvladaniHistorie;
class Skalovani;
struct StartovniNastaveni;
struct ZiveVolby;

class StrankaNastaveni final : public QWidget {
    Q_OBJECT
public:
    // skalovani: the window's zoom, which places and scales every control.
    StrankaNastaveni(const QString& cestaIni, Skalovani& skalovani, QWidget* parent = nullptr);
    ~StrankaNastaveni() override;

    // The settings record as the controls show it; the pruning fields
    // (SEMazUroven, CBMazPodAdr) belong to the action panel and stay default.
    NastaveniPorovnani nastaveni() const;
    // Defaults read at start: the two sub-directory boxes, the recently used
    // directories and "nepři&dávat Ctrl+H".
    void nactiStart(const StartovniNastaveni& start, const QStringList& adresare1, const QStringList& adresare2);

    // Loads a history record into the controls, each firing its own change
    // handler; with bezAdresaru the directory fields stay.
    void nactiZaznam(const NastaveniPorovnani& z, bool bezAdresaru);
    bool bezAdresaru() const;                       // "&bez adresářů"
    bool nepridavat() const;                        // "nepři&dávat Ctrl+H"
    // Directories handed over by a later start: "&bez adresářů" is ticked and
    // both fields take the texts.
    void prevezmiAdresare(const QString& adresar1, const QString& adresar2);
    void nastavAdresare(const QString& adresar1, const QString& adresar2);
    void nastavAdresar2(const QString& adresar2);
    // The on/off options of a running run follow their check boxes at once.
    void propojZiveVolby(ZiveVolby& volby);

    // The run as the page shows it: the caption of Button4 and ProgressBar1.
    void ukazBeh(const QString& textTlacitka);
    void ukazPrubeh(bool viditelny);
    void nastavPrubeh(int pozice);
    // Enter that no control took: clicks "&Porovnej" when enabled; true then.
    bool stiskniPorovnej();
    // A filter in mode "po datu" must hold a valid time before a run; false
    // after "Chybný formát" was shown.
    bool overCasyFiltru();

    // The history group: position a (0: the controls show no stored entry).
    void HistorieButton(int a);
    void HistorieButtonClick(int krok);
    void SBHPClick();
    void SBHDClick();
    void HistorieZmena();
    void MBHistoriePridaniClick();

    // The directory fields.
    void BBOpenClick(int strana);
    void BBNewClick(int strana);
    void adresarFileDropDrop(int strana, const QStringList& soubory);

    // The "Filtr:" and "Omezení:" groups.
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

    // Controls, named as the rest of the program knows them.
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

    QFileDialog* Dialog_Filtr_1 = nullptr;   // created at first use, kept for the last choice
    QFileDialog* Dialog_Filtr_2 = nullptr;

signals:
    void Button4Click();                       // "&Porovnej" / "&Stop"
    void Button18Click();                      // "abo&ut"
    void Button3Click();                       // "kon&figurace"
    // History entry n is to be loaded into the whole window (the page and the
    // pruning controls of the action panel).
    void nactiHistorii(int n);
    void nepridavaniZmeneno(bool nepridavat);
    // A filter routine filled a time field: date-time texts show hours and
    // minutes from now on.
    void formatCasu(zrc::DlouhyFormatCasu format);
    // A text for the status bar; empty clears it.
    void stav(const QString& text);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Builders, one per group of controls (stranka_nastaveni_tvorba.cpp).
    void vytvor();
    void vytvorAdresar(int strana);
    void vytvorFiltr();
    void vytvorOmezeni();
    void vytvorHistorii();
    void vytvorTlacitka();
    void pojmenujOvladace();
    void propojTlacitka();
    void propojAdresare();
    void propojFiltr();
    void propojDatumFiltru();
    void propojHistorii();

    void exitAkceRezimu(int filtr, bool bezPrevodu);
    void prevodFiltru(int filtr, bool zHistorie);
    void prevezmiVolbu(QComboBox* volba);
    void datumFiltru(int filtr, DatumCas x);
    void nactiFiltr(int filtr, const NastaveniPorovnani& z);
    QComboBox* adresar(int strana) const { return strana == 1 ? adresar1 : adresar2; }

    QString cestaIni_;
    Skalovani& skalovani_;
    OvladaniHistorie* historie_ = nullptr;
    QString adresarFiltru2_;   // the directory Dialog_Filtr_2 returned last
};

} // namespace zrc
