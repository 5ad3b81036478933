#pragma once
// The file-operation commands of the result pages, decoded in one place.
//
// An action button carries a signed Tag: 10 x (list Tag) + operation code,
// negated for the variants that take the other side's version ("kop.pův.",
// "přes.pův."). Everything that acts on that Tag (the buttons, their keyboard
// items, the coming operation engine) goes through DekodujPrikaz, so the
// arithmetic and the rules derived from the code exist once.

#include "engine/cislo_seznamu.h"

#include <array>

namespace zrc {

// Operation code: what is done to each selected item.
enum class KodOperace {
    Kopie = 1,              // "Kopírování:"
    Odstraneni = 2,         // "Odstranění:"
    Presun = 3,             // "Přesun:"
    KopieSDvojcetem = 4,    // copy, the twin item of the partner list leaves too
    PresunSDvojcetem = 5,   // move, the twin item leaves too
    KopieZustava = 6,       // copy into a chosen directory; the items stay listed
    Vraceni = 7,            // an undo of the last operation (never a command code)
};

// Whose base directory an operation reads from or writes to. Zvoleny: a
// directory the user picks when the command runs ("vybrané zkopíruj do ..").
enum class Strana { Adresar1 = 1, Adresar2 = 2, Zvoleny = 3 };

// One decoded command: everything the operation engine needs besides the
// selected rows.
struct Operace {
    int seznam = 1;                  // list Tag 1..8 (odd: directory 1)
    Strana zdroj = Strana::Adresar1;
    Strana cil = Strana::Adresar2;
    KodOperace kod = KodOperace::Kopie;
    bool kopie = true;               // copy step
    bool odstraneni = false;         // delete step (of the source) after the copy, or alone
    bool odeberDvojce = false;       // the twin item of the partner list leaves too
    bool opoustiSeznam = true;       // handled items leave their list
    bool nahrazeni = false;          // negative Tag: replaces the selected files ("Opravdu nahradit ...")

    bool operator==(const Operace&) const = default;
};

// Steps and list effects of a code on the list with Tag seznam; any code
// outside 1..6 behaves as a copy (code 1).
Operace OperaceKodu(int seznam, int kod);

// The signed Tag of an action button: q = Tag / 10 (truncated toward zero),
// the list is |q| (list 1 when |q| is not 2..8), the code |Tag| - 10 |q|; the
// source is the list's own side for q >= 0 and the other side for q < 0.
Operace DekodujPrikaz(int tag);

// "vybrané zkopíruj do .." (code 6) and "vybrané přesuň do .." (code 3): from
// the list's own side into a directory chosen when the command runs.
Operace OperaceDoAdresare(int seznam, int kod);
Operace KopieDoAdresare(int seznam);   // code 6
Operace PresunDoAdresare(int seznam);  // code 3

// "starší verzi odstraň": deletes the other side's file of each selected item
// (code 2 with source and target both the other side).
Operace OdstraneniStarsiVerze(int seznam);

// The number of the action buttons BB1..BB6 and of their keyboard items.
constexpr int pocetAkci = 6;

// Tags of BB1..BB6 while the list with Tag t (1..8) is the active list: BB1
// carries t itself ("vybrat vše"); BB2..BB6 the encoded commands. Lists 5..8
// ("VĚTŠÍ", "MENŠÍ") copy and move with the twin item (codes 4, 5).
std::array<int, pocetAkci> TagyAkci(int t);

// Base-directory side of a list (CisloSeznamu::adresar).
Strana VlastniStrana(int seznam);
Strana ProtejsiStrana(int seznam);

} // namespace zrc
