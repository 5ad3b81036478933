#pragma once
// How the settings page keeps the fields of the settings record in its
// controls where a plain Qt widget does not: the choice combo boxes keep the
// 1-based number of their chosen item in a "Tag" of their own (a typed text
// that matches no item leaves it as it was), and the time fields are read
// with their blank positions as spaces (" 9:05"), five characters always.

#include <QStringList>
#include <QStringView>
#include <optional>

class QComboBox;
class QLineEdit;

namespace zrc {

// The Tag of a choice combo box; 1 until something sets it.
int tagVolby(const QComboBox* combo);
void nastavTagVolby(QComboBox* combo, int cislo);

// The 1-based number of the item whose caption equals text, the letters A-Z
// compared without case (other letters exactly); an empty caption never matches.
std::optional<int> cisloPolozky(QStringView text, const QStringList& polozky);
// The same for the combo box's current text; when nothing matches, the focus
// goes back to the combo box.
std::optional<int> CisloPolozky(QComboBox* combo);

// Shows item cislo of a choice combo box (its caption as the text) and takes
// it as the Tag. A number outside the items is clamped into their range.
void zvolPolozku(QComboBox* combo, int cislo);

// The time mask: two hour digits of which the first may stay blank, a colon
// and two minute digits (in Qt's notation "0" is the optional digit, "9" the
// required one).
inline constexpr char maskaCasu[] = "09:99;_";

// The text of a time field with every blank position as a space.
QString textCasovehoPole(const QLineEdit* pole);
// Puts a time text into a time field; a space stands for a blank position.
void nastavTextCasovehoPole(QLineEdit* pole, const QString& text);

} // namespace zrc
