#pragma once
// TForm2, "konfigurace": the settings that are not part of a comparison's own
// options. Reads them when it opens, writes all of them on OK (one atomic
// write), and asks before Cancel discards changed lists or sort.

#include "settings/konfigurace.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace zrc {

class ZalozkyPevneSirky;

class TForm2 final : public QDialog {
    Q_OBJECT
public:
    // resetOkna: CheckBox3 as confirmed earlier in this run (not UkladatOkno).
    TForm2(const QString& cestaIni, bool resetOkna, QWidget* parent = nullptr);

    // CheckBox3 as confirmed by OK: the window stores no placement at close.
    bool resetOkna() const;

    // One of the three type lists with its edit and its change flag.
    struct SeznamTypu {
        QLineEdit* edit = nullptr;
        QListWidget* seznam = nullptr;
        bool zmena = false;
    };

    void Button1Click();                 // "přidej" an excluded type
    void Button2Click();                 // "X" on page 1
    void pridejTyp(SeznamTypu& s);       // "Přidej" (Button4, Button9)
    void prepisTyp(SeznamTypu& s);       // "Přepiš" (Button5, Button10)
    void posunTyp(SeznamTypu& s, int o); // "/\" -1, "\/" +1
    void smazTyp(SeznamTypu& s);         // "X" (Button14, Button15)
    void Button3Click();                 // "OK"
    void Button17Click();                // "Cancel"
    bool zmeneno() const;

    // The designed client size 448 x 334 and tab width 220 belong to the
    // design font (11 pixels); a larger font scales both.
    [[nodiscard]] static QSize navrhVelikosti(int pixelyPisma);
    [[nodiscard]] static int navrhSirkyZalozky(int pixelyPisma);

    QTabWidget* PageControl1 = nullptr;
    SeznamTypu typy, oznaceni, odznaceni;   // ListBox3, ListBox1, ListBox2
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CBExistAdr = nullptr;
    QCheckBox* CBPotvrOdstr = nullptr;
    QCheckBox* CBKos = nullptr;          // "mazat do koše"
    QCheckBox* CBJedenSvazek = nullptr;  // "nepřecházet na jiné svazky"
    QComboBox* CBPorovnavac = nullptr;   // "porovnat obsah v ..": a program, "" the first installed
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QButtonGroup* RGSerPodle = nullptr;
    QButtonGroup* RGSerTyp = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button17 = nullptr;
    bool ZmenaRazeni = false;

protected:
    void changeEvent(QEvent* e) override;

private:
    void nastavVelikost();
    QWidget* vytvorObecne();
    QWidget* vytvorOznacovani();
    QWidget* vytvorPorovnavac();
    QWidget* skupinaTypu(const QString& titulek, SeznamTypu& s, const char* editJmeno, const char* seznamJmeno);
    void nacti();

    QString cestaIni_;
    bool resetOkna_;
    ZalozkyPevneSirky* zalozky_ = nullptr;
};

} // namespace zrc
