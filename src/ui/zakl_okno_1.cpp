#include "ui/zakl_okno_1.h"
#include "ui/zakl_okno_1_pomoc.h"
#include "ui/zakl_okno_1_zalozky.h"
#include "ui/beh_porovnani.h"
#include "ui/hlaseni.h"
#include "ui/stranky_vysledku.h"
#include "ui/umisteni.h"
#include "ui/volby_ovladacu.h"

#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "settings/okno.h"
#include "settings/seznamy.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace zrc {

bool ohlasZapis(const VysledekZapisu& vysledek)
{
    if (vysledek.ok())
        return true;
    Hlaseni(vysledek.chyba(), DruhHlaseni::Chyba, Tlacitko::OK);
    return false;
}

TForm1::TForm1(const QString& cestaIni, QWidget* parent, Start start)
    : QMainWindow(parent), CestaIni_(cestaIni)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Zrcadlovač - Květodílna"));
    vytvorOkno();
    vytvorNastaveni();
    stranky_ = new StrankyVysledku(PageControl1, this);
    stranky_->setCestaIni(CestaIni_);
    stranky_->nastavStavMazani([this] { return StavMazani{CBMazPodAdr->isChecked(), SEMazUroven->value()}; });
    vytvorVysledky();
    vytvorPAkce();
    vytvorMenu();
    beh_ = new BehPorovnani(*stranky_, this);
    beh_->setCestaIni(CestaIni_);
    propojBeh();
    propojZiveVolby();
    pojmenujOvladace();
    propojFiltr();
    propojDatumFiltru();
    propojHistorii();
    qApp->installEventFilter(this);
    nactiStartovniNastaveni();
    // A plain start opens with the settings of the last run.
    if (start == Start::SHistorii) {
        HistorieNacti(1, ChBHBezAdr->isChecked());
        HistorieButton(1);
    }
}

// Object names as the rest of the program (and its tests) know the controls.
void TForm1::pojmenujOvladace()
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
        {Button18, "Button18"}, {Button3, "Button3"}, {CBMazPodAdr, "CBMazPodAdr"},
        {SEMazUroven, "SEMazUroven"}, {MazUrovenVzor, "MazUrovenVzor"},
    };
    for (const auto& [w, jmeno] : jmena)
        w->setObjectName(QString::fromLatin1(jmeno));
}

TForm1::~TForm1() = default;

void TForm1::vytvorOkno()
{
    skalovani_.pismo(this, pismo(DruhPisma::Okno));
    // The client area cannot be made smaller than 480 x 360.
    setMinimumSize(480, 360);
    auto* stred = new QWidget(this);
    auto* vrstva = new QVBoxLayout(stred);
    vrstva->setContentsMargins(0, 0, 0, 0);
    vrstva->setSpacing(0);
    PAkce = new QWidget(stred);
    PAkce->setObjectName(QStringLiteral("PAkce"));
    auto* zalozky = new ZalozkyOkna(stred);
    PageControl1 = zalozky;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    skalovani_.pismo(PageControl1->tabBar(), pismo(DruhPisma::Zalozky));
    vrstva->addWidget(PAkce);
    vrstva->addWidget(PageControl1, 1);
    setCentralWidget(stred);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Nastavení"));
    const char* popisy[4] = {"NOVÉ", "NOVĚJŠÍ", "VĚTŠÍ", "MENŠÍ"};
    for (int i = 0; i < 4; ++i) {
        stranky[i] = new QWidget;
        stranky[i]->setObjectName(QStringLiteral("TabSheet%1").arg(i + 2));
        PageControl1->addTab(stranky[i], QString::fromUtf8(popisy[i]));
    }
    for (QWidget* stranka : {TabSheet1, stranky[0], stranky[1], stranky[2], stranky[3]})
        stranka->installEventFilter(this);
    PageControl1->installEventFilter(this);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    resize(navrhSirka, navrhVyska);
}

// The settings record as the controls show it; the choice fields by the
// 1-based number of their item.
NastaveniPorovnani TForm1::nastaveni() const
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
    n.SEMazUroven = SEMazUroven->value();
    n.CBMazPodAdr = CBMazPodAdr->isChecked();
    return n;
}

// What the window reads at creation: placement and the two sub-directory
// defaults, the recently used directories and the history option.
void TForm1::nactiStartovniNastaveni()
{
    const StartovniNastaveni start = NactiNastaveni(CestaIni_);
    const UmisteniOkna& u = start.okno;
    if (u.left && u.top)
        move(*u.left, *u.top);
    resize(u.sirka.value_or(width()), u.vyska);
    ChB_adresar1->setChecked(start.ChB_adresar1);
    ChB_adresar2->setChecked(start.ChB_adresar2);
    DrzNaObrazovce(*this);
    if (u.maximalizovat)
        setWindowState(windowState() | Qt::WindowMaximized);
    const auto [seznam1, seznam2] = NactiAdresare(CestaIni_);
    for (auto [combo, seznam] : {std::pair{adresar1, seznam1}, std::pair{adresar2, seznam2}}) {
        combo->addItems(seznam);
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
    ChBHNepridavat->setChecked(IniCtiBool(CestaIni_, ini::Historie, ini::nepridavani, false));
}

void TForm1::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    if (vResize_)
        return;
    FormResize();
}

void TForm1::keyPressEvent(QKeyEvent* e)
{
    // "&Porovnej" is the default button of the settings page: Enter that no
    // control took starts (or stops) the comparison.
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && e->modifiers() == Qt::NoModifier && PageControl1->currentIndex() == 0 && Button4->isEnabled()) {
        Button4->click();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

bool TForm1::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::ShortcutOverride: {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w->window() == this && prebiraZkratku(*this, *static_cast<QKeyEvent*>(e)))
            return true;
        break;
    }
    case QEvent::Resize:
        if (o == PageControl1)
            static_cast<ZalozkyOkna*>(PageControl1)->nastavSirkuZalozek((PageControl1->width() - 10) / 5);
        else if (o == PageControl1->currentWidget())
            PoleSloupcu(static_cast<QWidget*>(o)->width());
        break;
    case QEvent::FocusIn:
        if (o == adresar1 || o == adresar1->lineEdit())
            adresarEnter(1);
        else if (o == adresar2 || o == adresar2->lineEdit())
            adresarEnter(2);
        break;
    case QEvent::FocusOut:
        if (o == adresar1 || o == adresar1->lineEdit() || o == adresar2 || o == adresar2->lineEdit())
            adresarExit();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(o, e);
}

// At close: the pruning and history options and, unless switched off, the
// window placement. A failed write is reported; the window closes anyway.
void TForm1::closeEvent(QCloseEvent* e)
{
    if (beh_->bezi())
        beh_->konecporov();
    if (ohlasZapis(IniZapisBool(CestaIni_, ini::Nastaveni, ini::MazPodAdr, CBMazPodAdr->isChecked())))
        ohlasZapis(IniZapisBool(CestaIni_, ini::Historie, ini::nepridavani, ChBHNepridavat->isChecked()));
    if (UkladatOkno) {
        ZapisOkna z;
        z.stav = isMinimized() ? StavOkna::Minimalizovane
                               : (isMaximized() ? StavOkna::Maximalizovane : StavOkna::Normalni);
        z.left = frameGeometry().left();
        z.top = frameGeometry().top();
        z.sirka = width();
        z.vyska = height();
        ohlasZapis(UlozOkno(CestaIni_, ini::Okno, z));
    }
    e->accept();
}

} // namespace zrc
