#pragma once
// Numbered lists of the INI file: sections whose keys are "1".."N", empty
// values being free slots. Ten-slot lists hold types ("Typ", "oznaceni",
// "odznaceni"); twenty-slot recently used lists hold directories ("Adresar1",
// "Adresar2", key "1" the newest).

#include "settings/ini_soubor.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <utility>
#include <vector>

namespace zrc {

// How two entries of a recently used list are found equal. Directory paths on
// Linux differ by letter case, so the directory lists compare exactly; the
// a-z folding (accented letters must match exactly) is there for lists of
// case-insensitive texts.
enum class SrovnaniPolozek { Presne, BezVelikostiAZ };

struct VolbySeznamu {
    int sloty = 20;                                 // N; 0 or less counts as 1
    SrovnaniPolozek srovnani = SrovnaniPolozek::Presne;
};

// Puts hodnota at key "1", moving older entries one number higher: an equal
// entry at i >= 2 is taken out (only the entries above it move), one at 1
// leaves the list as it is, no equal entry drops the entry at N. Afterwards all
// N keys exist, free ones with an empty value. One write of the file.
VysledekZapisu PridejNaZacatek(const QString& cesta, QStringView sekce, const QString& hodnota,
                               const VolbySeznamu& volby = {});

// The data side of filling a drop-down list: the non-empty values of keys
// "1".."N" in key order, skipping a value already taken (equal as volby say).
// The caller clears its list first or appends, as it needs.
QStringList NactiDoComboBoxu(const QString& cesta, QStringView sekce, const VolbySeznamu& volby = {});

// Both recently used directory lists, 20 slots each: {adresar1, adresar2}.
std::pair<QStringList, QStringList> NactiAdresare(const QString& cesta);

// The text at key "cislo" of the section; empty when missing.
QString CtiPolozku(const QString& cesta, QStringView sekce, int cislo);

// Writes a fixed-slot list: all N keys empty, then the items to keys "1".."count"
// in list order (items beyond N are not stored). One write of the file.
VysledekZapisu UlozListBox(const QString& cesta, QStringView sekce, const QStringList& polozky,
                           int sloty = 10);

// The non-empty values of keys "1".."N", in key order.
QStringList NactiListBox(const QString& cesta, QStringView sekce, int sloty = 10);

// The data side of a menu with k sub-items: the values of keys "1".."k" (an
// empty one hides sub-item i). k = 0 opens no file and gives an empty list.
std::vector<QString> NaplnMenu(const QString& cesta, QStringView sekce, int pocetPolozek);

} // namespace zrc
