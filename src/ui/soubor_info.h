#pragma once
// The file information dialog TForm5: the file at one relative path in both
// compared trees side by side, directory 1 on the left, directory 2 on the
// right: modification date and time, size in bytes and main attribute, "---"
// where the file does not exist.
//
// The dialog stays on top, is modal and opens at the main window's
// bottom-right corner; "OK" (or Esc, or Enter) closes it.

#include "engine/cas.h"

#include <QDialog>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zrc {

class UlozisteVysledku;
struct Polozka;

// What the dialog shows: the directory part of the file's path in each tree
// and its name, all in the file system's own bytes.
struct ZadaniInfa {
    std::string adresar1;   // "/data/a" (no trailing "/" but the root)
    std::string adresar2;
    std::string jmeno;      // "x.txt"
    DlouhyFormatCasu formatCasu = DlouhyFormatCasu::HodinyMinutySekundy;
};

// An item of list seznam (1..8): its directory in tree 1 and in tree 2 and
// its name, whichever side the list belongs to.
ZadaniInfa zadaniInfa(const UlozisteVysledku& u, int seznam, const Polozka& p);

// Date and time as the dialog shows them: the short date of the Czech locale
// with a four-digit year, a blank and the time of the lists' "datum" column
// (packed, 2-second steps) in the long time format ("07.12.2026 09:05:02").
QString textCasuInfa(std::time_t cas, DlouhyFormatCasu format);

class TForm5 final : public QDialog {
    Q_OBJECT
public:
    // Builds the dialog and fills it from the files as they are now.
    TForm5(const ZadaniInfa& z, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;                      // the file name
    QGroupBox* GroupBox1 = nullptr;                // "Adresář 1:"
    QGroupBox* GroupBox2 = nullptr;                // "Adresář 2:"
    QLabel* adr1_name = nullptr;
    QLabel* adr2_name = nullptr;
    QLineEdit* s1_cas = nullptr;
    QLineEdit* s1_size = nullptr;
    QLineEdit* s1_atr = nullptr;
    QLineEdit* s2_cas = nullptr;
    QLineEdit* s2_size = nullptr;
    QLineEdit* s2_atr = nullptr;
    QPushButton* Button1 = nullptr;                // "OK"

private:
    struct Strana {
        QGroupBox* skupina;
        QLabel* adresar;
        QLineEdit *cas, *velikost, *atribut;
    };
    Strana vytvorStranu(int cislo, const QRect& misto);
    void vypln(const Strana& s, const std::string& adresar, const ZadaniInfa& z);
};

// Shows the dialog modally at the main window's bottom-right corner.
void ZobrazInfo(const ZadaniInfa& z, QWidget& hlavniOkno);

} // namespace zrc
