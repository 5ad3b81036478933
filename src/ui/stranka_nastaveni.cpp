#include "ui/stranka_nastaveni.h"
#include "ui/volby_ovladacu.h"

#include "engine/porovnani.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "settings/okno.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

namespace zrc {

StrankaNastaveni::StrankaNastaveni(const QString& cestaIni, Skalovani& skalovani, QWidget* parent)
    : QWidget(parent), cestaIni_(cestaIni), skalovani_(skalovani)
{
    setObjectName(QStringLiteral("TabSheet1"));
    vytvor();
    pojmenujOvladace();
    propojTlacitka();
    propojAdresare();
    propojFiltr();
    propojDatumFiltru();
    propojHistorii();
}

StrankaNastaveni::~StrankaNastaveni() = default;

// Object names as the rest of the program (and its tests) know the controls.
void StrankaNastaveni::pojmenujOvladace()
{
    const std::pair<QWidget*, const char*> jmena[] = {
        {Label1, "Label1"}, {ChB_adresar1, "ChB_adresar1"}, {Label2, "Label2"}, {ChB_adresar2, "ChB_adresar2"},
        {GroupBox2, "GroupBox2"}, {GroupBox7, "GroupBox7"}, {GroupBox1, "GroupBox1"}, {GroupBox3, "GroupBox3"},
        {GB_Historie, "GB_Historie"}, {ChB_Filtr_1, "ChB_Filtr_1"}, {CB_Filtr_1, "CB_Filtr_1"},
        {SE_Filtr_1_Posledni, "SE_Filtr_1_Posledni"}, {ChB_Filtr_1_Posledni, "ChB_Filtr_1_Posledni"},
        {DTP_Filtr_1_OdData, "DTP_Filtr_1_OdData"}, {ME_Filtr_1_OdData, "ME_Filtr_1_OdData"},
        {B_Filtr_1_OdData, "B_Filtr_1_OdData"}, {ChB_Filtr_2, "ChB_Filtr_2"}, {CB_Filtr_2, "CB_Filtr_2"},
        {SE_Filtr_2_Posledni, "SE_Filtr_2_Posledni"}, {ChB_Filtr_2_Posledni, "ChB_Filtr_2_Posledni"},
        {DTP_Filtr_2_OdData, "DTP_Filtr_2_OdData"}, {ME_Filtr_2_OdData, "ME_Filtr_2_OdData"},
        {B_Filtr_2_OdData, "B_Filtr_2_OdData"}, {ChB_Filtr_3, "ChB_Filtr_3"}, {SE_Filtr_3, "SE_Filtr_3"},
        {LOmez, "LOmez"}, {CBOmez, "CBOmez"}, {ChBIgnorCasFiltr, "ChBIgnorCasFiltr"}, {LH, "LH"},
        {ChBHBezAdr, "ChBHBezAdr"}, {ChBHNepridavat, "ChBHNepridavat"}, {ProgressBar1, "ProgressBar1"},
        {Button18, "Button18"}, {Button3, "Button3"},
    };
    for (const auto& [w, jmeno] : jmena)
        w->setObjectName(QString::fromLatin1(jmeno));
}

void StrankaNastaveni::propojTlacitka()
{
    connect(Button4, &QPushButton::clicked, this, &StrankaNastaveni::Button4Click);
    connect(Button18, &QPushButton::clicked, this, &StrankaNastaveni::Button18Click);
    connect(Button3, &QPushButton::clicked, this, &StrankaNastaveni::Button3Click);
}

// The settings record as the controls show it; the choice fields by the
// 1-based number of their item.
NastaveniPorovnani StrankaNastaveni::nastaveni() const
{
    NastaveniPorovnani n;
    n.adresar1 = adresar1->currentText();
    n.ChB_adresar1 = ChB_adresar1->isChecked();
    n.adresar2 = adresar2->currentText();
    n.ChB_adresar2 = ChB_adresar2->isChecked();
    n.ChB_Filtr_1 = ChB_Filtr_1->isChecked();
    n.CB_Filtr_1 = tagVolby(CB_Filtr_1);
    n.SE_Filtr_1_Posledni = SE_Filtr_1_Posledni->value();
    n.ChB_Filtr_1_Posledni = tagVolby(ChB_Filtr_1_Posledni);
    n.DTP_Filtr_1_OdData = DTP_Filtr_1_OdData->date();
    n.ME_Filtr_1_OdData = textCasovehoPole(ME_Filtr_1_OdData);
    n.ChB_Filtr_2 = ChB_Filtr_2->isChecked();
    n.CB_Filtr_2 = tagVolby(CB_Filtr_2);
    n.SE_Filtr_2_Posledni = SE_Filtr_2_Posledni->value();
    n.ChB_Filtr_2_Posledni = tagVolby(ChB_Filtr_2_Posledni);
    n.DTP_Filtr_2_OdData = DTP_Filtr_2_OdData->date();
    n.ME_Filtr_2_OdData = textCasovehoPole(ME_Filtr_2_OdData);
    n.ChB_Filtr_3 = ChB_Filtr_3->isChecked();
    n.SE_Filtr_3 = SE_Filtr_3->value();
    n.CBOmez = tagVolby(CBOmez);
    n.ChBIgnorCasFiltr = ChBIgnorCasFiltr->isChecked();
    return n;
}

void StrankaNastaveni::nactiStart(const StartovniNastaveni& start, const QStringList& adresare1,
                                  const QStringList& adresare2)
{
    ChB_adresar1->setChecked(start.ChB_adresar1);
    ChB_adresar2->setChecked(start.ChB_adresar2);
    for (auto [combo, seznam] : {std::pair{adresar1, &adresare1}, std::pair{adresar2, &adresare2}}) {
        combo->addItems(*seznam);
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
    ChBHNepridavat->setChecked(IniCtiBool(cestaIni_, ini::Historie, ini::nepridavani, false));
}

void StrankaNastaveni::prevezmiAdresare(const QString& a1, const QString& a2)
{
    ChBHBezAdr->setChecked(true);
    nastavAdresare(a1, a2);
}

void StrankaNastaveni::nastavAdresare(const QString& a1, const QString& a2)
{
    adresar1->setEditText(a1);
    adresar2->setEditText(a2);
}

void StrankaNastaveni::nastavAdresar2(const QString& a2)
{
    adresar2->setEditText(a2);
}

// A running run reads these options at each use, so a change takes effect
// from its next use on.
void StrankaNastaveni::propojZiveVolby(ZiveVolby& volby)
{
    const std::pair<QCheckBox*, std::atomic<bool> ZiveVolby::*> pole[] = {
        {ChB_adresar1, &ZiveVolby::ChB_adresar1}, {ChB_adresar2, &ZiveVolby::ChB_adresar2},
        {ChB_Filtr_1, &ZiveVolby::ChB_Filtr_1},   {ChB_Filtr_2, &ZiveVolby::ChB_Filtr_2},
        {ChB_Filtr_3, &ZiveVolby::ChB_Filtr_3},   {ChBIgnorCasFiltr, &ZiveVolby::ChBIgnorCasFiltr},
    };
    for (const auto& [box, clen] : pole) {
        connect(box, &QCheckBox::toggled, this,
                [&volby, clen = clen](bool zapnuto) { (volby.*clen).store(zapnuto); });
    }
}

void StrankaNastaveni::ukazBeh(const QString& textTlacitka)
{
    Button4->setText(textTlacitka);
}

void StrankaNastaveni::ukazPrubeh(bool viditelny)
{
    ProgressBar1->setVisible(viditelny);
}

void StrankaNastaveni::nastavPrubeh(int pozice)
{
    ProgressBar1->setValue(pozice);
}

bool StrankaNastaveni::stiskniPorovnej()
{
    if (!Button4->isEnabled())
        return false;
    Button4->click();
    return true;
}

// The status text while a directory field is edited.
bool StrankaNastaveni::eventFilter(QObject* o, QEvent* e)
{
    const bool pole1 = o == adresar1 || o == adresar1->lineEdit();
    const bool pole2 = o == adresar2 || o == adresar2->lineEdit();
    if (e->type() == QEvent::FocusIn && (pole1 || pole2))
        emit stav(pole1 ? QStringLiteral("Zadej adresář číslo 1 nebo použij výběr")
                        : QStringLiteral("Zadej adresář číslo 2 nebo použij výběr"));
    else if (e->type() == QEvent::FocusOut && (pole1 || pole2))
        emit stav(QString());
    return QWidget::eventFilter(o, e);
}

} // namespace zrc
