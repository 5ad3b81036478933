#pragma once
// Every message, question and error of the window goes through Hlaseni: a modal
// dialog of one of five kinds with a row of buttons, centred on the window the
// user works in, answering with the code of the pressed button.
//
// Tests replace the dialog by an answering function (NahradaHlaseni), so that
// every message of the program can be checked and answered without a screen.

#include <QFlags>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

namespace zrc {

enum class DruhHlaseni : int {
    Varovani = 0,   // "Warning", exclamation
    Chyba = 1,      // "Error", stop sign
    Informace = 2,  // "Information"
    Potvrzeni = 3,  // "Confirm", question
    Vlastni = 4,    // the application title, no icon
};

// The buttons appear left to right in bit order.
enum class Tlacitko : int {
    Ano = 1 << 0,       // "&Ano"
    Ne = 1 << 1,        // "&Ne"
    OK = 1 << 2,        // "OK"
    Zrus = 1 << 3,      // "Zruš"
    Ukonci = 1 << 4,    // "&Ukonči"
    Opakuj = 1 << 5,    // "&Opakuj"
    Ignoruj = 1 << 6,   // "&Ignoruj"
    Vse = 1 << 7,       // "&All"
    NeVsem = 1 << 8,    // "N&o to All"
    AnoVsem = 1 << 9,   // "Y&es to All"
    Napoveda = 1 << 10, // "&Help"
};
Q_DECLARE_FLAGS(Tlacitka, Tlacitko)
Q_DECLARE_OPERATORS_FOR_FLAGS(Tlacitka)

// Result codes of the buttons (Help closes nothing and has none).
enum class Odpoved : int {
    Zadna = 0, OK = 1, Zrus = 2, Ukonci = 3, Opakuj = 4, Ignoruj = 5,
    Ano = 6, Ne = 7, Vse = 8, NeVsem = 9, AnoVsem = 10,
};

struct ZadostHlaseni {
    QString text;                   // "\r" breaks lines
    DruhHlaseni druh = DruhHlaseni::Informace;
    Tlacitka tlacitka = Tlacitko::OK;
    int kontextNapovedy = 0;
    bool sezvukem = true;           // Hlaseni beeps, HlaseniOkno does not
};

// A window that only shows progress (the progress window) carries this
// property, true: it is never the window the user works in, so a message
// asked while it is active is centred on the window it belongs to, as the
// questions before and after the operation are.
inline constexpr char jenUkazujePrubeh[] = "jenUkazujePrubeh";

// Beeps, then shows the dialog (HlaseniOkno) and returns the pressed button.
Odpoved Hlaseni(const QString& text, DruhHlaseni druh, Tlacitka tlacitka,
                int kontextNapovedy = 0);
// The same dialog without the beep.
Odpoved HlaseniOkno(const QString& text, DruhHlaseni druh, Tlacitka tlacitka,
                    int kontextNapovedy = 0);

// Caption of a kind, caption and result of a single button, the default (Enter)
// and cancel (Esc, closing) buttons of a set: OK, else Yes, else Retry; Cancel,
// else No, else OK. A set without such a button has no default or cancel.
QString titulekHlaseni(DruhHlaseni druh);
QString popisTlacitka(Tlacitko t);
Odpoved odpovedTlacitka(Tlacitko t);
std::optional<Tlacitko> vychoziTlacitko(Tlacitka sada);
std::optional<Tlacitko> zrusovaciTlacitko(Tlacitka sada);

// Builds the dialog of a request (not shown, not positioned); its exec() returns
// the Odpoved as an int. Exposed for tests that press its keys.
std::unique_ptr<QDialog> vytvorDialogHlaseni(const ZadostHlaseni& z, QWidget* rodic);

// While an instance lives, every message goes to the given function instead of a
// dialog; the function's answer is returned to the caller. Nested instances stack.
using OdpovidacHlaseni = std::function<Odpoved(const ZadostHlaseni&)>;
class NahradaHlaseni final {
public:
    explicit NahradaHlaseni(OdpovidacHlaseni odpovidac);
    ~NahradaHlaseni();
    NahradaHlaseni(const NahradaHlaseni&) = delete;
    NahradaHlaseni& operator=(const NahradaHlaseni&) = delete;
private:
    OdpovidacHlaseni predchozi_;
};

} // namespace zrc
