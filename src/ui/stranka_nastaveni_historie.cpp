// The "Historie:" group: paging through the recorded settings with SBHP /
// SBHD (Ctrl+Left / Ctrl+Right from anywhere in the window), the position
// label LH and loading an entry into the controls.
#include "ui/stranka_nastaveni.h"
#include "ui/historie_ovladani.h"
#include "ui/volby_ovladacu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

namespace zrc {

void StrankaNastaveni::propojHistorii()
{
    historie_ = new OvladaniHistorie(cestaIni_, this);
    connect(historie_, &OvladaniHistorie::zmenen, this, [this](const StavHistorie& s) {
        LH->setProperty("Tag", s.pozice);
        LH->setText(s.popis);
        SBHP->setEnabled(s.predchozi);
        SBHD->setEnabled(s.dalsi);
    });
    connect(historie_, &OvladaniHistorie::nacist, this, &StrankaNastaveni::nactiHistorii);
    connect(SBHP, &QToolButton::clicked, this, &StrankaNastaveni::SBHPClick);
    connect(SBHD, &QToolButton::clicked, this, &StrankaNastaveni::SBHDClick);
    for (QComboBox* adresar : {adresar1, adresar2})
        connect(adresar, &QComboBox::editTextChanged, this, &StrankaNastaveni::HistorieZmena);
    for (QCheckBox* chb : {ChB_adresar1, ChB_adresar2})
        connect(chb, &QCheckBox::toggled, this, &StrankaNastaveni::HistorieZmena);
    connect(ChBHNepridavat, &QCheckBox::toggled, this, &StrankaNastaveni::nepridavaniZmeneno);
}

void StrankaNastaveni::HistorieButton(int a)
{
    historie_->HistorieButton(a);
}

void StrankaNastaveni::HistorieButtonClick(int krok)
{
    historie_->HistorieButtonClick(krok);
}

void StrankaNastaveni::SBHPClick()
{
    HistorieButtonClick(-1);
}

void StrankaNastaveni::SBHDClick()
{
    HistorieButtonClick(+1);
}

void StrankaNastaveni::HistorieZmena()
{
    HistorieButton(0);
}

void StrankaNastaveni::MBHistoriePridaniClick()
{
    ChBHNepridavat->toggle();
}

// A history record into the controls, in the order in which the handlers expect them:
// each control fires its own change handler (which resets the position; the
// caller sets the final one). The choice boxes are set quietly and their
// handlers run afterwards, the mode ones with the conversion of a loaded entry.
void StrankaNastaveni::nactiZaznam(const NastaveniPorovnani& z, bool bezAdresaru)
{
    if (!bezAdresaru) {
        adresar1->setEditText(z.adresar1);
        adresar2->setEditText(z.adresar2);
    }
    ChB_adresar1->setChecked(z.ChB_adresar1);
    ChB_adresar2->setChecked(z.ChB_adresar2);
    ChB_Filtr_1->setChecked(z.ChB_Filtr_1);
    nactiFiltr(1, z);
    ChB_Filtr_2->setChecked(z.ChB_Filtr_2);
    nactiFiltr(2, z);
    ChB_Filtr_3->setChecked(z.ChB_Filtr_3);
    SE_Filtr_3->setValue(z.SE_Filtr_3);
    {
        const QSignalBlocker ticho(CBOmez);
        zvolPolozku(CBOmez, z.CBOmez);
    }
    CBOmezExit();
    ChBIgnorCasFiltr->setChecked(z.ChBIgnorCasFiltr);
}

bool StrankaNastaveni::bezAdresaru() const
{
    return ChBHBezAdr->isChecked();
}

bool StrankaNastaveni::nepridavat() const
{
    return ChBHNepridavat->isChecked();
}

void StrankaNastaveni::nactiFiltr(int filtr, const NastaveniPorovnani& z)
{
    const bool prvni = filtr == 1;
    (prvni ? SE_Filtr_1_Posledni : SE_Filtr_2_Posledni)->setValue(prvni ? z.SE_Filtr_1_Posledni : z.SE_Filtr_2_Posledni);
    (prvni ? DTP_Filtr_1_OdData : DTP_Filtr_2_OdData)->setDate(prvni ? z.DTP_Filtr_1_OdData : z.DTP_Filtr_2_OdData);
    nastavTextCasovehoPole(prvni ? ME_Filtr_1_OdData : ME_Filtr_2_OdData,
                           prvni ? z.ME_Filtr_1_OdData : z.ME_Filtr_2_OdData);
    QComboBox* jednotka = prvni ? ChB_Filtr_1_Posledni : ChB_Filtr_2_Posledni;
    {
        const QSignalBlocker ticho(jednotka);
        zvolPolozku(jednotka, prvni ? z.ChB_Filtr_1_Posledni : z.ChB_Filtr_2_Posledni);
    }
    ChBVyberExit(jednotka);
    QComboBox* rezim = prvni ? CB_Filtr_1 : CB_Filtr_2;
    {
        const QSignalBlocker ticho(rezim);
        zvolPolozku(rezim, prvni ? z.CB_Filtr_1 : z.CB_Filtr_2);
    }
    prevodFiltru(filtr, true);
    exitAkceRezimu(filtr, true);
}

} // namespace zrc
