// The window's side of a comparison run: "&Porovnej" hands the settings
// record to the run controller, whose state drives the button, the progress
// bar and the status line; on/off options reach a running run at once.
#include "ui/zakl_okno_1.h"
#include "ui/beh_porovnani.h"

#include "settings/historie.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "settings/seznamy.h"
#include "settings/vynechane_typy_ini.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

namespace zrc {

namespace {

// The excluded types of the configuration ("Typ"), as the file says at each
// file of the run: a change saved meanwhile, also by another instance, counts
// from the next file on (the source looks at the file at most every 50 ms).
std::shared_ptr<VynechaneTypy> vynechaneTypy(const QString& cestaIni)
{
    return std::make_shared<VynechaneTypyIni>(cestaIni);
}

} // namespace

void TForm1::Button4Click()
{
    ZadaniBehu zadani;
    if (!beh_->bezi()) {
        if (!overCasyFiltru())
            return;
        zadani.nastaveni = nastaveni();
        zadani.vynechaneTypy = vynechaneTypy(CestaIni_);
    }
    beh_->Button4Click(zadani);
}

void TForm1::propojBeh()
{
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button18, &QPushButton::clicked, this, &TForm1::Button18Click);
    connect(beh_, &BehPorovnani::behZmenen, this, [this] { Button4->setText(beh_->textTlacitka()); });
    connect(beh_, &BehPorovnani::prubehViditelny, ProgressBar1, &QWidget::setVisible);
    connect(beh_, &BehPorovnani::prubeh, ProgressBar1, &QProgressBar::setValue);
    connect(beh_, &BehPorovnani::stav, this, [this](const QString& text) {
        statusBar()->showMessage(text);
        statusBar()->repaint();
    });
    connect(beh_, &BehPorovnani::overeno, this, [this](const QString& a1, const QString& a2) {
        adresar1->setEditText(a1);
        adresar2->setEditText(a2);
    });
    connect(beh_, &BehPorovnani::pridejDoHistorie, this, &TForm1::pridejDoHistorie);
    connect(ChBHNepridavat, &QCheckBox::toggled, beh_, &BehPorovnani::nastavNepridavat);
    propojAdresare();
}

// A running run reads these options at each use, so a change takes effect
// from its next use on.
void TForm1::propojZiveVolby()
{
    const std::pair<QCheckBox*, std::atomic<bool> ZiveVolby::*> volby[] = {
        {ChB_adresar1, &ZiveVolby::ChB_adresar1}, {ChB_adresar2, &ZiveVolby::ChB_adresar2},
        {ChB_Filtr_1, &ZiveVolby::ChB_Filtr_1},   {ChB_Filtr_2, &ZiveVolby::ChB_Filtr_2},
        {ChB_Filtr_3, &ZiveVolby::ChB_Filtr_3},   {ChBIgnorCasFiltr, &ZiveVolby::ChBIgnorCasFiltr},
    };
    for (const auto& [box, pole] : volby) {
        connect(box, &QCheckBox::toggled, this, [this, pole = pole](bool zapnuto) {
            (beh_->ziveVolby().*pole).store(zapnuto);
        });
    }
}

} // namespace zrc
