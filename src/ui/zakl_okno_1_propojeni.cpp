// How the parts of the main window meet: "&Porovnej" hands the settings
// record to the run controller, whose state drives the button, the progress
// bar and the status line; a history entry fills the settings page and the
// action panel; the action buttons hand their decoded command to the file
// operations (which take them from the result pages themselves).
#include "ui/zakl_okno_1.h"
#include "ui/about.h"
#include "ui/beh_porovnani.h"
#include "ui/kniha_chyb_okno.h"
#include "ui/konfig.h"
#include "ui/umisteni.h"
#include "ui/operace_souboru.h"
#include "ui/pojistky_operace.h"
#include "ui/stranka_nastaveni.h"
#include "ui/stranky_vysledku.h"

#include "settings/historie.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "settings/vynechane_typy_ini.h"

#include <QDate>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

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
        if (!nastaveniStranka_->overCasyFiltru())
            return;
        zadani.nastaveni = nastaveni();
        zadani.vynechaneTypy = vynechaneTypy(CestaIni_);
        zadani.jineSvazky = IniCtiBool(CestaIni_, ini::Nastaveni, ini::jedensvazek, ini::vychoziJedenSvazek)
                                ? JineSvazky::Vynechat : JineSvazky::Prochazet;
    }
    beh_->Button4Click(zadani);
}

void TForm1::propojCasti()
{
    StrankaNastaveni* n = nastaveniStranka_;
    connect(n, &StrankaNastaveni::Button4Click, this, &TForm1::Button4Click);
    connect(n, &StrankaNastaveni::Button18Click, this, &TForm1::Button18Click);
    connect(n, &StrankaNastaveni::Button3Click, this, &TForm1::Button3Click);
    connect(n, &StrankaNastaveni::nactiHistorii, this, [this](int c) { HistorieNacti(c, nastaveniStranka_->bezAdresaru()); });
    connect(n, &StrankaNastaveni::stav, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    connect(n, &StrankaNastaveni::formatCasu, stranky_, &StrankyVysledku::nastavFormatCasu);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(stranky_, &StrankyVysledku::PageControl1Change, this, &TForm1::PageControl1Change);
    pridejKnihuDoNabidky(PopupMenu1, operace_->pojistky().kniha(), this);
    // Closed during an operation: the close comes again once it has ended,
    // from the event loop, after the command that ran it has returned.
    connect(operace_, &OvladacOperaci::porovnatZnovu, this, &TForm1::Button4Click);
    connect(operace_, &OvladacOperaci::hotovo, this, [this] {
        if (zavritPoOperaci_) {
            zavritPoOperaci_ = false;
            QTimer::singleShot(0, this, &QWidget::close);
        }
    });
}

void TForm1::propojBeh()
{
    StrankaNastaveni* n = nastaveniStranka_;
    connect(beh_, &BehPorovnani::behZmenen, n, [this, n] { n->ukazBeh(beh_->textTlacitka()); });
    connect(beh_, &BehPorovnani::prubehViditelny, n, &StrankaNastaveni::ukazPrubeh);
    connect(beh_, &BehPorovnani::prubeh, n, &StrankaNastaveni::nastavPrubeh);
    connect(beh_, &BehPorovnani::stav, this, [this](const QString& text) {
        statusBar()->showMessage(text);
        statusBar()->repaint();
    });
    connect(beh_, &BehPorovnani::overeno, n, &StrankaNastaveni::nastavAdresare);
    connect(beh_, &BehPorovnani::pridejDoHistorie, this, &TForm1::pridejDoHistorie);
    connect(n, &StrankaNastaveni::nepridavaniZmeneno, beh_, &BehPorovnani::nastavNepridavat);
    n->propojZiveVolby(beh_->ziveVolby());
    // The guard of the bases: a run that cleared the lists forgets the old
    // record; whatever it leaves in the lists (completed or stopped) records
    // the bases it walked.
    auto novyZaklad = std::make_shared<bool>(false);
    connect(beh_, &BehPorovnani::overeno, this, [this, novyZaklad] {
        operace_->pojistky().zapomenZaklady();
        *novyZaklad = true;
    });
    connect(beh_, &BehPorovnani::dokonceno, this, [this, novyZaklad](KonecBehu k) {
        if (!*novyZaklad || k == KonecBehu::Neplatny)
            return;
        *novyZaklad = false;
        const UlozisteVysledku& u = stranky_->uloziste();
        operace_->pojistky().zaznamenejZaklady(u.cestaAdr(1), u.cestaAdr(2));
    });
}

// The completed run's settings become entry 1.
void TForm1::pridejDoHistorie()
{
    if (ohlasZapis(HistoriePridej(CestaIni_, nastaveni(), QDate::currentDate())))
        nastaveniStranka_->HistorieButton(1);
}

// Entry n into the controls; the pruning options go to the action panel.
void TForm1::HistorieNacti(int n, bool bezAdresaru)
{
    const std::optional<NastaveniPorovnani> z =
        zrc::HistorieNacti(CestaIni_, n, bezAdresaru, QDate::currentDate(), nastaveni());
    if (!z)
        return;
    nastaveniStranka_->nactiZaznam(*z, bezAdresaru);
    stranky_->nastavMazani({z->CBMazPodAdr, z->SEMazUroven});
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    // The status bar shows a list's hint while the mouse is over it.
    SeznamVysledku* s = stranky_->AktivniSeznam();
    // While a file operation runs, its progress window speaks for the lists.
    if (!operace_->bezi() && stranky_->Timer1Timer() && s->underMouse())
        statusBar()->showMessage(s->hint());
    if (PageControl1->currentIndex() > 0)
        Timer1->start();
}

void TForm1::UpravVelikostList(int tag)
{
    stranky_->UpravVelikostList(tag);
}

void TForm1::MPBB1Click(int tag)
{
    stranky_->MPBB1Click(tag);
}

void TForm1::Button3Click()
{
    TForm2 d(CestaIni_, !UkladatOkno, this);
    UmistiDialog(d, *this, MistoDialogu::Roh);
    // CheckBox3 confirmed by OK: the window keeps no placement at close, so
    // the 640 x 480 written by the dialog holds at the next start.
    if (d.exec() == QDialog::Accepted)
        UkladatOkno = !d.resetOkna();
}

// The about box, placed against the bottom-right corner of the main window.
void TForm1::Button18Click()
{
    OProgramu o(this);
    o.exec();
}

} // namespace zrc
