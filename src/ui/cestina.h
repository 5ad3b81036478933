#pragma once
// The program speaks Czech also where Qt speaks for it: the texts of Qt's own
// dialogs and menus (the directory and file choosers, the text fields' context
// menu) from Qt's Czech translation, and the Czech locale for dates, the
// calendar and numbers.

#include <QString>

class QCoreApplication;
class QFileDialog;
class QWidget;

namespace zrc {

// Installs Qt's Czech translation (qtbase_cs, from Qt's translations
// directory) into the application and makes Czech the default locale. True
// when the translation was found; without it the texts stay English and the
// locale is Czech all the same.
bool NastavCestinu(QCoreApplication& aplikace);

// Makes a file dialog Qt's own (the desktop's dialog speaks the system's
// language) and Czech in its dates and sizes too: Qt's file model writes them
// in the system's locale, not in the default one, so under LANG=en_US the
// date column said "5/20/26 3:14 PM" beside Czech captions.
void CeskyDialog(QFileDialog& dialog);

// The directory chooser of the settings page and of the start with one
// directory: the chosen directory, or empty after "Zrušit".
QString VyberAdresar(QWidget* rodic, const QString& start);

} // namespace zrc
