#include "ui/zakl_okno_1.h"
#include "ui/zakl_okno_1_pomoc.h"
#include "ui/zakl_okno_1_zalozky.h"
#include "ui/beh_porovnani.h"
#include "ui/hlaseni.h"
#include "ui/operace_souboru.h"
#include "ui/stranka_nastaveni.h"
#include "ui/stranky_vysledku.h"
#include "ui/umisteni.h"
#include "ui/zavreni_spravcem.h"

#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "settings/okno.h"
#include "settings/seznamy.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
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
    vytvorMenu();
    beh_ = new BehPorovnani(*stranky_, this);
    beh_->setCestaIni(CestaIni_);
    operace_ = new OvladacOperaci(*stranky_, this);
    propojCasti();
    propojBeh();
    qApp->installEventFilter(this);
    nactiStartovniNastaveni();
    // A plain start opens with the settings of the last run.
    if (start == Start::SHistorii) {
        HistorieNacti(1, nastaveniStranka_->bezAdresaru());
        nastaveniStranka_->HistorieButton(1);
    }
    // The keyboard starts in "Adresář 1:" once the window is shown.
    nastaveniStranka_->adresar1->setFocus();
}

// The parts outlive the window's own members while QWidget's destructor hides
// them: their focus changes must not reach this half-destroyed window.
TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    disconnect(nastaveniStranka_, nullptr, this, nullptr);
}

void TForm1::vytvorOkno()
{
    skalovani_.pismo(this, pismo(DruhPisma::Okno));
    // The client area cannot be made smaller than 480 x 360.
    setMinimumSize(480, 360);
    auto* stred = new QWidget(this);
    auto* vrstva = new QVBoxLayout(stred);
    vrstva->setContentsMargins(0, 0, 0, 0);
    vrstva->setSpacing(0);
    auto* PAkce = new QWidget(stred);
    PAkce->setObjectName(QStringLiteral("PAkce"));
    auto* zalozky = new ZalozkyOkna(stred);
    PageControl1 = zalozky;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    skalovani_.pismo(PageControl1->tabBar(), pismo(DruhPisma::Zalozky));
    vrstva->addWidget(PAkce);
    vrstva->addWidget(PageControl1, 1);
    setCentralWidget(stred);
    nastaveniStranka_ = new StrankaNastaveni(CestaIni_, skalovani_);
    PageControl1->addTab(nastaveniStranka_, QStringLiteral("Nastavení"));
    const char* popisy[4] = {"NOVÉ", "NOVĚJŠÍ", "VĚTŠÍ", "MENŠÍ"};
    for (int i = 0; i < 4; ++i) {
        auto* stranka = new QWidget;
        stranka->setObjectName(QStringLiteral("TabSheet%1").arg(i + 2));
        PageControl1->addTab(stranka, QString::fromUtf8(popisy[i]));
    }
    for (int i = 0; i < PageControl1->count(); ++i)
        PageControl1->widget(i)->installEventFilter(this);
    stranky_ = new StrankyVysledku(PageControl1, this);
    stranky_->setCestaIni(CestaIni_);
    stranky_->vybav(PAkce, skalovani_);
    PageControl1->installEventFilter(this);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    resize(navrhSirka, navrhVyska);
}

NastaveniPorovnani TForm1::nastaveni() const
{
    NastaveniPorovnani n = nastaveniStranka_->nastaveni();
    const StavMazani mazani = stranky_->stavMazani();
    n.SEMazUroven = mazani.SEMazUroven;
    n.CBMazPodAdr = mazani.CBMazPodAdr;
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
    DrzNaObrazovce(*this);
    if (u.maximalizovat)
        setWindowState(windowState() | Qt::WindowMaximized);
    const auto [seznam1, seznam2] = NactiAdresare(CestaIni_);
    nastaveniStranka_->nactiStart(start, seznam1, seznam2);
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
    if (enter && e->modifiers() == Qt::NoModifier && PageControl1->currentIndex() == 0 &&
        nastaveniStranka_->stiskniPorovnej())
        return;
    QMainWindow::keyPressEvent(e);
}

bool TForm1::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::ShortcutOverride: {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w->window() == this && prebiraZkratku(*this, *w, *static_cast<QKeyEvent*>(e)))
            return true;
        break;
    }
    case QEvent::Resize:
        if (o == PageControl1)
            static_cast<ZalozkyOkna*>(PageControl1)->nastavSirkuZalozek((PageControl1->width() - 10) / 5);
        else if (o == PageControl1->currentWidget())
            stranky_->PoleSloupcu(static_cast<QWidget*>(o)->width());
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
    // A running file operation ends as Cancel ends it (the current file's
    // temporary copy removed, the rest untouched); the window closes once the
    // worker has stopped and the lists show what was done.
    if (operace_->bezi()) {
        zavritPoOperaci_ = true;
        operace_->zrus();
        e->ignore();
        return;
    }
    if (beh_->bezi())
        beh_->konecporov();
    if (ohlasZapis(IniZapisBool(CestaIni_, ini::Nastaveni, ini::MazPodAdr, stranky_->stavMazani().CBMazPodAdr)))
        ohlasZapis(IniZapisBool(CestaIni_, ini::Historie, ini::nepridavani, nastaveniStranka_->nepridavat()));
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

// The window manager's close request (the title bar's close box) while a
// file operation runs: the progress window and its questions are
// application-modal, so Qt would drop the request for this blocked window.
// Taken here before Qt sees it, it closes the window as close() does; queued,
// so that the question it answers is left from the event loop, not from
// within the dispatch of the X11 event.
bool TForm1::nativeEvent(const QByteArray& typ, void* udalost, qintptr* vysledek)
{
    if (operace_->bezi() && jeZadostOZavreni(typ, udalost)) {
        QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
        return true;
    }
    return QMainWindow::nativeEvent(typ, udalost, vysledek);
}

void TForm1::prevezmiAdresare(const QString& adresar1, const QString& adresar2)
{
    nastaveniStranka_->prevezmiAdresare(adresar1, adresar2);
    PageControl1->setCurrentIndex(0);
    PageControl1Change();
}

void TForm1::nastavAdresar2(const QString& adresar2)
{
    nastaveniStranka_->nastavAdresar2(adresar2);
}

void TForm1::PageControl1Change()
{
    const bool vysledky = PageControl1->currentIndex() > 0;
    stranky_->PAkce->setVisible(vysledky);
    if (vysledky)
        Timer1->start();
    else
        Timer1->stop();
}

void TForm1::PopDalsiOknoClick()
{
    const int pocet = PageControl1->count();
    for (int krok = 1; krok <= pocet; ++krok) {
        const int i = (PageControl1->currentIndex() + krok) % pocet;
        if (PageControl1->isTabVisible(i)) {
            PageControl1->setCurrentIndex(i);
            break;
        }
    }
    PageControl1Change();
}

void TForm1::PopMaximalizujClick()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        showNormal();
    else
        showMaximized();
}

void TForm1::FormResize()
{
    SkalujOkno();
    // The tab width and the column widths follow in the resize events of
    // PageControl1 and of the shown page, when their new sizes are known.
}

void TForm1::SkalujOkno()
{
    const QSize klient = size();
    const KrokSkalovani krok = krokSkalovani(klient, skalovani_.RefSirka, skalovani_.RefVyska);
    vResize_ = true;
    skalovani_.pouzij(krok);
    // A maximised window keeps the size the desktop gives it.
    if (krok.klient != klient && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        resize(krok.klient);
    vResize_ = false;
}

} // namespace zrc
