#pragma once
// The values of the configuration dialog: read together when it opens, written
// together by its OK in one atomic write of the settings file (a failure leaves
// the file as it was).

#include "settings/ini_soubor.h"

#include <QString>
#include <QStringList>

namespace zrc {

struct Konfigurace {
    QStringList typy;                // "Typ" 1..10: excluded types
    bool pouzitTypy = true;          // "Typ"/"pouzit"
    bool podadresare1 = true;        // "Podadresare"/"pouzit"
    bool podadresare2 = true;        // "Podadresare"/"pouzit2"
    int podle = 0;                   // "Serazeni"/"podle": 0 none, 1..5 column + 1
    int typRazeni = 0;               // "Serazeni"/"typ": 0 descending, 1 ascending
    bool vstupparam = false;         // "Nastaveni"/"vstupparam"
    bool potvrzodstr = true;         // "Nastaveni"/"potvrzodstr"
    bool kos = true;                 // "Nastaveni"/"kos": "mazat do koše"
    bool jedenSvazek = false;        // "Nastaveni"/"jedensvazek": "nepřecházet na jiné svazky"
    QString porovnavac;              // "Nastaveni"/"porovnavac": "" the first installed
    QStringList oznaceni;            // "oznaceni" 1..10
    QStringList odznaceni;           // "odznaceni" 1..10
    bool vychoziVelikostOkna = false;   // write 640 x 480 into "Okno" (CheckBox3)
};

Konfigurace NactiKonfiguraci(const QString& cesta);
// Every value, changed or not, in the dialog's order; a type list fills its ten
// keys (empty ones too). "Okno" Width/Height only with vychoziVelikostOkna.
VysledekZapisu UlozKonfiguraci(const QString& cesta, const Konfigurace& k);

} // namespace zrc
