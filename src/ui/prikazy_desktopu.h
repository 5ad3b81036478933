#pragma once
// The list commands that hand a file to the desktop's tools, on the focused
// item of the active list (nothing without one): "otevřít" (also a double
// click) opens it with its default application, "otevřít umístění" shows it
// in the file manager, "porovnat obsah v .." opens the pair (directory 1's
// file first) in an external comparison program. A side that is missing is
// said in a message, and nothing is started.

#include <QString>
#include <QStringList>

namespace zrc {

class StrankyVysledku;

void otevriPolozku(StrankyVysledku& v);
void ukazUmisteniPolozky(StrankyVysledku& v);
void porovnejVProgramu(StrankyVysledku& v);

// Comparison programs looked for when the INI file names none, in this order.
// xdg-open is none: it opens one file, not a pair.
const QStringList& znamePorovnavace();
// Those of them installed (found in PATH).
QStringList nainstalovanePorovnavace();
// The program of "porovnat obsah v ..": "Nastaveni"/"porovnavac" when it is
// set and runnable, else the first installed known one; "" when there is none
// (the command is then hidden).
QString porovnavac(const QString& cestaIni);

} // namespace zrc
