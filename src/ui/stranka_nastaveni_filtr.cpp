// The "Filtr:" and "Omezení:" groups: the mode, unit and scope choices with
// their item numbers, the conversion between the count and the date of a
// time filter, and the check of the typed time.
#include "ui/stranka_nastaveni.h"
#include "ui/hlaseni.h"
#include "ui/volby_ovladacu.h"

#include "engine/filtry.h"
#include "engine/prevod_filtru.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <functional>

namespace zrc {

namespace {

const QString chybnyFormat = QStringLiteral("Chybný formát");

struct OvladaceFiltru {
    QComboBox* rezim;
    QSpinBox* pocet;
    QComboBox* jednotka;
    QDateEdit* datum;
    QLineEdit* cas;
    QPushButton* zeSouboru;
};

OvladaceFiltru ovladace(const StrankaNastaveni& o, int filtr)
{
    if (filtr == 1)
        return {o.CB_Filtr_1, o.SE_Filtr_1_Posledni, o.ChB_Filtr_1_Posledni, o.DTP_Filtr_1_OdData,
                o.ME_Filtr_1_OdData, o.B_Filtr_1_OdData};
    return {o.CB_Filtr_2, o.SE_Filtr_2_Posledni, o.ChB_Filtr_2_Posledni, o.DTP_Filtr_2_OdData,
            o.ME_Filtr_2_OdData, o.B_Filtr_2_OdData};
}

// Calls the handler when the control loses the focus to another control of
// the window. Losing it to another window (a message box, another program)
// or to the control's own drop-down list is not leaving the control.
class PriOdchodu : public QObject {
public:
    PriOdchodu(QWidget* pole, std::function<void()> akce) : QObject(pole), akce_(std::move(akce))
    {
        pole->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::FocusOut) {
            const Qt::FocusReason duvod = static_cast<QFocusEvent*>(e)->reason();
            if (duvod != Qt::ActiveWindowFocusReason && duvod != Qt::PopupFocusReason)
                akce_();
        }
        return false;
    }

private:
    std::function<void()> akce_;
};

// Every change of the text and every exit of a choice combo box runs its handler.
void priZmeneAOdchodu(QComboBox* combo, QObject* kontext, const std::function<void()>& akce)
{
    QObject::connect(combo, &QComboBox::editTextChanged, kontext, akce);
    new PriOdchodu(combo, akce);
}

// Enter in a choice box starts the run, also the first Enter after Tab: the
// box's edit field would take that one to accept its selected text as an
// inline completion and swallow it.
class EnterSpusti : public QObject {
public:
    EnterSpusti(QComboBox* combo, std::function<bool()> spust) : QObject(combo), spust_(std::move(spust))
    {
        // The box has the focus and hands keys to its edit field directly.
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        return enter && k->modifiers() == Qt::NoModifier && spust_();
    }

private:
    std::function<bool()> spust_;
};

} // namespace

void StrankaNastaveni::propojFiltr()
{
    for (int filtr : {1, 2}) {
        const OvladaceFiltru f = ovladace(*this, filtr);
        // The date as a Czech reader writes it, whatever the locale of the session.
        f.datum->setDisplayFormat(QStringLiteral("d.M.yyyy"));
        nastavTagVolby(f.rezim, 1);
        nastavTagVolby(f.jednotka, 1);
        priZmeneAOdchodu(f.rezim, this, [this, filtr] { exitAkceRezimu(filtr, false); });
        priZmeneAOdchodu(f.jednotka, this, [this, j = f.jednotka] { ChBVyberExit(j); });
        new PriOdchodu(f.cas, [this, pole = f.cas] { ME_Filtr_1_OdDataExit(pole); });
        connect(f.pocet, &QSpinBox::valueChanged, this, &StrankaNastaveni::HistorieZmena);
        connect(f.datum, &QDateEdit::dateChanged, this, &StrankaNastaveni::HistorieZmena);
        connect(f.cas, &QLineEdit::textChanged, this, &StrankaNastaveni::HistorieZmena);
    }
    nastavTagVolby(CBOmez, 1);
    priZmeneAOdchodu(CBOmez, this, [this] { CBOmezExit(); });
    for (QComboBox* volba : {CB_Filtr_1, CB_Filtr_2, ChB_Filtr_1_Posledni, ChB_Filtr_2_Posledni, CBOmez})
        new EnterSpusti(volba, [this] { return stiskniPorovnej(); });
    for (QCheckBox* zapnuto : {ChB_Filtr_1, ChB_Filtr_2, ChB_Filtr_3})
        connect(zapnuto, &QCheckBox::toggled, this, &StrankaNastaveni::ChB_Filtr_2Click);
    connect(SE_Filtr_3, &QSpinBox::valueChanged, this, &StrankaNastaveni::HistorieZmena);
    connect(ChBIgnorCasFiltr, &QCheckBox::toggled, this, &StrankaNastaveni::HistorieZmena);
    connect(B_Filtr_1_OdData, &QPushButton::clicked, this, &StrankaNastaveni::B_Filtr_1_OdDataClick);
    connect(B_Filtr_2_OdData, &QPushButton::clicked, this, &StrankaNastaveni::B_Filtr_2_OdDataClick);
}

void StrankaNastaveni::CB_Filtr_1ExitAkce(bool bezPrevodu) { exitAkceRezimu(1, bezPrevodu); }
void StrankaNastaveni::CB_Filtr_2ExitAkce(bool bezPrevodu) { exitAkceRezimu(2, bezPrevodu); }
void StrankaNastaveni::ZmenaCB_Filtr_1(bool zHistorie) { prevodFiltru(1, zHistorie); }
void StrankaNastaveni::ZmenaCB_Filtr_2(bool zHistorie) { prevodFiltru(2, zHistorie); }

// Takes the mode the combo box shows and shows the fields of that mode. It
// runs on every change and exit; the hidden representation is converted only
// when the mode really changes (or a history entry is loaded, bezPrevodu set
// and the loader converting): opening the drop-down list or passing through
// with Tab must never overwrite what the user typed with a stale value.
void StrankaNastaveni::exitAkceRezimu(int filtr, bool bezPrevodu)
{
    const OvladaceFiltru f = ovladace(*this, filtr);
    const std::optional<int> rezim = CisloPolozky(f.rezim);
    if (!rezim)
        return;
    const bool zmena = *rezim != tagVolby(f.rezim);
    nastavTagVolby(f.rezim, *rezim);
    const bool poDatu = *rezim == int(RezimFiltru::PoDatu);
    for (QWidget* w : {static_cast<QWidget*>(f.datum), static_cast<QWidget*>(f.cas),
                       static_cast<QWidget*>(f.zeSouboru)})
        w->setVisible(poDatu);
    f.pocet->setVisible(!poDatu);
    f.jednotka->setVisible(!poDatu);
    if (!bezPrevodu && zmena)
        prevodFiltru(filtr, false);
    if (zmena || bezPrevodu)
        HistorieButton(0);
}

// Brings the representation of the mode in line with the other one. The user
// choosing "po datu" (or a history entry loaded in "za posledních") fills the
// date and time from the count; the other way round the count is computed.
void StrankaNastaveni::prevodFiltru(int filtr, bool zHistorie)
{
    const OvladaceFiltru f = ovladace(*this, filtr);
    const int t = zHistorie ? -tagVolby(f.rezim) : tagVolby(f.rezim);
    const int jednotka = tagVolby(f.jednotka);
    const QDateTime ted = QDateTime::currentDateTime();
    if (t == -int(RezimFiltru::ZaPoslednich) || t == int(RezimFiltru::PoDatu)) {
        const AbsolutniMez m = absolutniZRelativni(f.pocet->value(), jednotka, ted);
        f.datum->setDate(m.datum);
        emit formatCasu(DlouhyFormatCasu::HodinyMinuty);
        nastavTextCasovehoPole(f.cas, m.cas);
        return;
    }
    // A time text that is no time leaves the count as it is; leaving the time
    // field reports it.
    const std::optional<qint64> n = relativniZAbsolutni(f.datum->date(), textCasovehoPole(f.cas), jednotka, ted);
    if (n)
        f.pocet->setValue(int(std::clamp<qint64>(*n, f.pocet->minimum(), f.pocet->maximum())));
}

// The unit: the same count is read in the new unit, nothing is converted.
// A choice passed through without a change keeps the history position.
void StrankaNastaveni::ChBVyberExit(QComboBox* jednotka)
{
    prevezmiVolbu(jednotka);
}

void StrankaNastaveni::CBOmezExit()
{
    prevezmiVolbu(CBOmez);
}

void StrankaNastaveni::prevezmiVolbu(QComboBox* volba)
{
    const std::optional<int> cislo = CisloPolozky(volba);
    if (!cislo || *cislo == tagVolby(volba))
        return;
    nastavTagVolby(volba, *cislo);
    HistorieButton(0);
}

void StrankaNastaveni::ChB_Filtr_2Click()
{
    HistorieButton(0);
}

// The typed time: five characters "hh:nn", the first hour digit may stay
// blank, hours 0-23, minutes 0-59. A wrong text stays as typed; the beep
// comes first and the message box adds none of its own.
bool StrankaNastaveni::ME_Filtr_1_OdDataExit(QLineEdit* pole)
{
    if (casZTextu(textCasovehoPole(pole)))
        return true;
    QApplication::beep();
    HlaseniOkno(chybnyFormat, DruhHlaseni::Chyba, Tlacitko::OK);
    pole->setFocus();
    return false;
}

// Before a run: a filter in mode "po datu" (on or off, both limits are
// computed) must hold a valid time, also when its field was never left.
bool StrankaNastaveni::overCasyFiltru()
{
    for (int filtr : {1, 2}) {
        const OvladaceFiltru f = ovladace(*this, filtr);
        if (tagVolby(f.rezim) == int(RezimFiltru::PoDatu) && !ME_Filtr_1_OdDataExit(f.cas))
            return false;
    }
    return true;
}

} // namespace zrc
