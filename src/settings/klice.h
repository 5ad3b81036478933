#pragma once
// Every section and key of zrcadlovac.ini, with the defaults its readers use.
// Sections and keys are matched without regard to letter case.

#include <QStringView>

namespace zrc::ini {

// Main window placement.
inline constexpr QStringView Okno = u"Okno";
inline constexpr QStringView State = u"State";     // 1 maximised, 2 normal, 0/missing none stored
inline constexpr QStringView Left = u"Left";
inline constexpr QStringView Top = u"Top";
inline constexpr QStringView Width = u"Width";     // client width
inline constexpr QStringView Height = u"Height";   // client height
inline constexpr int vychoziSirka = 632;
inline constexpr int vychoziVyska = 449;
inline constexpr int sirkaZDialogu = 640;          // written by the configuration dialog
inline constexpr int vyskaZDialogu = 480;

// Start-up states of ChB_adresar1 / ChB_adresar2 (default true both).
inline constexpr QStringView Podadresare = u"Podadresare";
inline constexpr QStringView pouzit = u"pouzit";
inline constexpr QStringView pouzit2 = u"pouzit2";

// Excluded file types: "pouzit" (default false for the comparison, true for
// the configuration dialog) and the ten-slot list "1".."10".
inline constexpr QStringView Typ = u"Typ";

// Types of the marking menus, ten-slot lists.
inline constexpr QStringView oznaceni = u"oznaceni";
inline constexpr QStringView odznaceni = u"odznaceni";
inline constexpr int slotuTypu = 10;

// Default sort of the result lists: "podle" 0 none, 1..5 column + 1; "typ" 0
// descending, 1 ascending; both default 0.
inline constexpr QStringView Serazeni = u"Serazeni";
inline constexpr QStringView podle = u"podle";
inline constexpr QStringView typ = u"typ";

// General options.
inline constexpr QStringView Nastaveni = u"Nastaveni";
inline constexpr QStringView vstupparam = u"vstupparam";   // default false
inline constexpr QStringView potvrzodstr = u"potvrzodstr"; // default true
inline constexpr QStringView MazPodAdr = u"MazPodAdr";     // written at close, never read
// "mazat do koše": deletions and replaced old versions go to the desktop's
// trash. Missing means ticked; the operation reads it into ZadaniOperace::mazani.
inline constexpr QStringView kos = u"kos";
inline constexpr bool vychoziKos = true;
// "nepřecházet na jiné svazky": a comparison does not enter mount points inside
// its trees. Missing means unticked, so a walk crosses them as it always did.
inline constexpr QStringView jedensvazek = u"jedensvazek";
inline constexpr bool vychoziJedenSvazek = false;
// The external comparison program of "porovnat obsah v ..": a command name or
// path; missing or empty means the first installed of the known ones.
inline constexpr QStringView porovnavac = u"porovnavac";

// History: "Historie"/"nepridavani" (default false) and the entries "H1".."H30"
// (settings/historie.h reads and writes them, with the defaults of each key).
inline constexpr QStringView Historie = u"Historie";
inline constexpr QStringView nepridavani = u"nepridavani";

// The keys of a history entry, in the order in which they are written. An
// entry exists when "zapsano" is true; the directories are "adr1" and "adr2",
// every other key is the name of the field of the settings record it keeps.
namespace historie {
inline constexpr QStringView zapsano = u"zapsano";
inline constexpr QStringView adr1 = u"adr1";
inline constexpr QStringView ChB_adresar1 = u"ChB_adresar1";
inline constexpr QStringView adr2 = u"adr2";
inline constexpr QStringView ChB_adresar2 = u"ChB_adresar2";
inline constexpr QStringView ChB_Filtr_1 = u"ChB_Filtr_1";
inline constexpr QStringView CB_Filtr_1 = u"CB_Filtr_1";
inline constexpr QStringView SE_Filtr_1_Posledni = u"SE_Filtr_1_Posledni";
inline constexpr QStringView ChB_Filtr_1_Posledni = u"ChB_Filtr_1_Posledni";
inline constexpr QStringView DTP_Filtr_1_OdData = u"DTP_Filtr_1_OdData";   // days before the day of saving
inline constexpr QStringView ME_Filtr_1_OdData = u"ME_Filtr_1_OdData";
inline constexpr QStringView ChB_Filtr_2 = u"ChB_Filtr_2";
inline constexpr QStringView CB_Filtr_2 = u"CB_Filtr_2";
inline constexpr QStringView SE_Filtr_2_Posledni = u"SE_Filtr_2_Posledni";
inline constexpr QStringView ChB_Filtr_2_Posledni = u"ChB_Filtr_2_Posledni";
inline constexpr QStringView DTP_Filtr_2_OdData = u"DTP_Filtr_2_OdData";
inline constexpr QStringView ME_Filtr_2_OdData = u"ME_Filtr_2_OdData";
inline constexpr QStringView ChB_Filtr_3 = u"ChB_Filtr_3";
inline constexpr QStringView SE_Filtr_3 = u"SE_Filtr_3";
inline constexpr QStringView CBOmez = u"CBOmez";
inline constexpr QStringView ChBIgnorCasFiltr = u"ChBIgnorCasFiltr";
inline constexpr QStringView SEMazUroven = u"SEMazUroven";
inline constexpr QStringView CBMazPodAdr = u"CBMazPodAdr";
} // namespace historie

// Recently used directories, twenty-slot lists.
inline constexpr QStringView Adresar1 = u"Adresar1";
inline constexpr QStringView Adresar2 = u"Adresar2";
inline constexpr int slotuAdresaru = 20;

// Command-line hand-off between two instances: "0" the executable, "1", "2"
// the parameters, "pocet" their number (0..2, default 0), written last.
inline constexpr QStringView Zprava = u"Zprava";
inline constexpr QStringView pocet = u"pocet";
inline constexpr int maxParametru = 2;

} // namespace zrc::ini
