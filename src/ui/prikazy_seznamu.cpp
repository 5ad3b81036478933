#include "ui/prikazy_seznamu.h"
#include "ui/prikazy_desktopu.h"
#include "ui/stranky_vysledku.h"

#include "settings/klice.h"

#include <array>

namespace zrc {

namespace {

using enum DruhPrikazu;

constexpr QKeyCombination ctrl(Qt::Key k) { return Qt::CTRL | k; }
constexpr QKeyCombination ctrlShift(Qt::Key k) { return Qt::CTRL | Qt::SHIFT | k; }

// Shortcuts act while a list has the focus, also without opening the menu.
const std::array tabulka{
    PrikazSeznamu{.jmeno = "dleaktivnho1", .popis = "označ dle &aktivního", .druh = Podnabidka},
    PrikazSeznamu{.jmeno = "DleVShodnyTyp", .popis = "všechny stejného &typu", .zkratka = ctrl(Qt::Key_T),
                  .podnabidka = "dleaktivnho1",
                  .akce = [](StrankyVysledku& v) { v.DleVShodnyTypClick(true); }},
    PrikazSeznamu{.jmeno = "DleVShodnyAdr", .popis = "všechny ve stejném a&dresáři", .zkratka = ctrl(Qt::Key_D),
                  .podnabidka = "dleaktivnho1",
                  .akce = [](StrankyVysledku& v) { v.DleVShodnyAdrClick(true); }},
    PrikazSeznamu{.jmeno = "MOZNAC", .popis = "&označ", .druh = Typy,
                  .typy = {ini::oznaceni, "vyber", "vybere všechny souboru daného typu",
                           [](StrankyVysledku& v, int p) { v.vyberClick(p); }}},
    PrikazSeznamu{.jmeno = "MOznVseVAdr", .popis = "označ vše v ..",
                  .hint = "označí všechny soubory v zadaném adreáři (dle jména)", .zkratka = ctrl(Qt::Key_P),
                  .oddelovac = "N2", .akce = [](StrankyVysledku& v) { v.MOznVseVAdrClick(false); }},
    PrikazSeznamu{.jmeno = "dleaktivnho2", .popis = "odznač dle aktivního", .druh = Podnabidka},
    PrikazSeznamu{.jmeno = "DleVShodnyTypNe", .popis = "všechny shodného &typu", .zkratka = ctrlShift(Qt::Key_T),
                  .podnabidka = "dleaktivnho2",
                  .akce = [](StrankyVysledku& v) { v.DleVShodnyTypClick(false); }},
    PrikazSeznamu{.jmeno = "DleVShodnyAdrNe", .popis = "všechny ve stejném a&dresáři",
                  .zkratka = ctrlShift(Qt::Key_D), .podnabidka = "dleaktivnho2",
                  .akce = [](StrankyVysledku& v) { v.DleVShodnyAdrClick(false); }},
    PrikazSeznamu{.jmeno = "MODZNAC", .popis = "o&dznač", .druh = Typy,
                  .typy = {ini::odznaceni, "pryc", "odznačí všechny soubory daného typu",
                           [](StrankyVysledku& v, int p) { v.prycClick(p); }}},
    PrikazSeznamu{.jmeno = "MOdznVseVAdr", .popis = "odznač vše v ..",
                  .hint = "odznačí všechny soubory v zadaném adreáři (dle jména)", .zkratka = ctrlShift(Qt::Key_P),
                  .oddelovac = "N1", .akce = [](StrankyVysledku& v) { v.MOznVseVAdrClick(true); }},
    PrikazSeznamu{.jmeno = "z_nab_pryc", .popis = "označené pryč z nab.", .hint = "odstraní vybrané soubory z nabídky",
                  .zkratka = QKeyCombination(Qt::Key_Delete), .oddelovac = "N4",
                  .akce = [](StrankyVysledku& v) { v.z_nab_prycClick(); }},
    PrikazSeznamu{.jmeno = "alt_pryc", .popis = "starší verzi odstraň",
                  .hint = "odstraní z disku starší verzi vybraných souborů", .naNove = NaNove::Skryto,
                  .oddelovac = "N3", .operace = &OdstraneniStarsiVerze},
    PrikazSeznamu{.jmeno = "MKopiruj", .popis = "vybrané zkopíruj do ..",
                  .hint = "zkopíruje vybrané soubory do vybraného adresáře", .zkratka = ctrlShift(Qt::Key_F5),
                  .operace = &KopieDoAdresare},
    PrikazSeznamu{.jmeno = "MPresun", .popis = "vybrané přesuň do ..",
                  .hint = "přesune vybrané soubory do vybraného adresáře", .zkratka = ctrlShift(Qt::Key_F6),
                  .oddelovac = "N5", .operace = &PresunDoAdresare},
    PrikazSeznamu{.jmeno = "info", .popis = "soubor - &informace", .hint = "zobrazí informace o aktivním souboru",
                  .zkratka = ctrl(Qt::Key_I), .oddelovac = "N6",
                  .akce = [](StrankyVysledku& v) { v.infoClick(); }},
    PrikazSeznamu{.jmeno = "MOtevrit", .popis = "otevřít", .hint = "otevře soubor jeho výchozí aplikací",
                  .akce = &otevriPolozku},
    PrikazSeznamu{.jmeno = "MUmisteni", .popis = "otevřít umístění",
                  .hint = "ukáže soubor ve správci souborů", .akce = &ukazUmisteniPolozky},
    PrikazSeznamu{.jmeno = "MPorovnat", .popis = "porovnat obsah v ..",
                  .hint = "otevře oba soubory dvojice v programu pro porovnání",
                  .viditelny = [](const StrankyVysledku& v) { return !porovnavac(v.cestaIni()).isEmpty(); },
                  .oddelovac = "N7", .akce = &porovnejVProgramu},
    // Ctrl+Shift+O: "obsah"; Ctrl+O alone is the window's "další okno".
    PrikazSeznamu{.jmeno = "MOverObsah", .popis = "ověřit obsah",
                  .hint = "porovná obsah vybraných dvojic bajt po bajtu, shodné odstraní z nabídky",
                  .zkratka = ctrlShift(Qt::Key_O), .stranka = Stranka::Novejsi,
                  .akce = [](StrankyVysledku& v) { v.overObsahClick(); }},
    PrikazSeznamu{.jmeno = "MVratit", .popis = "vrátit poslední operaci\tCtrl+Z",
                  .hint = "vrátí poslední kopírování, přesun nebo odstranění", .povoleni = Povoleni::Vzdy,
                  .akce = [](StrankyVysledku& v) { emit v.vratitOperaci(); }, .zkratkaOkna = true},
};

} // namespace

std::span<const PrikazSeznamu> prikazySeznamu()
{
    return tabulka;
}

} // namespace zrc
