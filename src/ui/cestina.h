#pragma once
// The program speaks Czech also where Qt speaks for it: the texts of Qt's own
// dialogs and menus (the directory and file choosers, the text fields' context
// menu) from Qt's Czech translation, and the Czech locale for dates, the
// calendar and numbers.

class QCoreApplication;

namespace zrc {

// Installs Qt's Czech translation (qtbase_cs, from Qt's translations
// directory) into the application and makes Czech the default locale. True
// when the translation was found; without it the texts stay English and the
// locale is Czech all the same.
bool NastavCestinu(QCoreApplication& aplikace);

} // namespace zrc
