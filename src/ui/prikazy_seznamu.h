#pragma once
// The commands of the result lists' context menu PopupMenu1, one row each, in
// menu order. MenuSeznamu builds the menu, its shortcuts and its opening rule
// from these rows and nothing else: a new command is one row here and, for a
// file command, one factory in the command decoder (operace/prikazy.h).

#include "operace/prikazy.h"

#include <QKeyCombination>
#include <QStringView>
#include <cstdint>
#include <span>

namespace zrc {

class StrankyVysledku;

enum class DruhPrikazu : std::uint8_t {
    Prikaz,       // an item that runs akce or operace
    Podnabidka,   // a submenu; the rows naming it in podnabidka fill it
    Typy,         // a submenu of ten type items (INI section typy.sekce), filled when it opens
};

// When the item is enabled; the state is set each time the menu opens, and a
// disabled item ignores its shortcut too.
enum class Povoleni : std::uint8_t {
    MaPolozky,   // the active list has at least one item
    Vzdy,
};

// "NOVÉ" has no other version of its files.
enum class NaNove : std::uint8_t {
    Ano,
    Skryto,   // hidden while a "NOVÉ" list has the focus, and doing nothing on one
};

// The ten items of a type submenu: vyber1..vyber10 from "oznaceni" mark,
// pryc1..pryc10 from "odznaceni" unmark.
struct TypyPrikazu {
    QStringView sekce;
    const char* polozka = nullptr;   // objectName prefix of the items
    const char* hint = nullptr;
    void (*akce)(StrankyVysledku&, int p) = nullptr;   // item p (0-based)
};

// Commands that belong to one page only.
enum class Stranka : std::uint8_t {
    Kazda,
    Novejsi,   // shown only while a "NOVĚJŠÍ" list is the active list, doing nothing on another
};

struct PrikazSeznamu {
    const char* jmeno;                    // objectName: TForm1::akce finds the item by it
    const char* popis;                    // caption
    const char* hint = "";                // status tip
    QKeyCombination zkratka{};            // Qt::Key_unknown: none
    DruhPrikazu druh = DruhPrikazu::Prikaz;
    const char* podnabidka = nullptr;     // jmeno of the submenu row holding it; nullptr: the menu
    Povoleni povoleni = Povoleni::MaPolozky;
    NaNove naNove = NaNove::Ano;
    Stranka stranka = Stranka::Kazda;
    // Shown only while this says so, checked each time the menu opens.
    bool (*viditelny)(const StrankyVysledku&) = nullptr;
    const char* oddelovac = nullptr;      // objectName of a separator after it; it hides with the item
    // A command on the list itself (marking, the offer, information).
    void (*akce)(StrankyVysledku&) = nullptr;
    // A file command: its operation on the active list, which leaves through
    // StrankyVysledku::operace like the action buttons' commands.
    Operace (*operace)(int seznam) = nullptr;
    TypyPrikazu typy{};
    // A command of the window's own map (PopupMenu2): the item shows the
    // window's shortcut in its caption's tab column and takes none of its own
    // (the same key on the list too would be an ambiguous shortcut).
    bool zkratkaOkna = false;

    [[nodiscard]] bool maZkratku() const { return zkratka.key() != Qt::Key_unknown; }
};

[[nodiscard]] std::span<const PrikazSeznamu> prikazySeznamu();

} // namespace zrc
