// The result pages' layout (two lists side by side with a splitter), the
// action panel PAkce and the handlers that follow the active list.
#include "ui/stranky_vysledku.h"
#include "ui/menu_seznamu.h"
#include "ui/zakl_okno_1_pomoc.h"
#include "ui/sirka_popisku.h"
#include "ui/skalovani.h"
#include "ui/tlacitka_akci.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>

namespace zrc {

void StrankyVysledku::vybav(QWidget* panel, Skalovani& skalovani)
{
    PAkce = panel;
    vytvorRozdelovace(skalovani);
    vytvorPAkce(skalovani);
    menu_ = new MenuSeznamu(*this);
    stavMazani_ = [this] { return stavMazani(); };
}

void StrankyVysledku::vytvorRozdelovace(Skalovani& skalovani)
{
    // Page 1 "NOVÉ" and page 3 "VĚTŠÍ" have a splitter the user can drag; on
    // the two others the boundary moves only with the active list.
    for (int stranka = 1; stranka <= 4; ++stranka) {
        stranky[stranka - 1] = tabs_->widget(stranka);
        auto* rozdelovac = new QSplitter(Qt::Horizontal, stranky[stranka - 1]);
        rozdelovac->setObjectName(QStringLiteral("RxSplitter%1").arg(stranka));
        rozdelovac->setHandleWidth(1);
        rozdelovac->setChildrenCollapsible(false);
        auto* vlevo = seznam(2 * stranka - 1);
        auto* vpravo = seznam(2 * stranka);
        rozdelovac->addWidget(vlevo);
        rozdelovac->addWidget(vpravo);
        rozdelovac->setStretchFactor(1, 1);
        rozdelovac->setSizes({310, 310});
        if (stranka == 2 || stranka == 4)
            rozdelovac->handle(1)->setEnabled(false);
        auto* vrstva = new QHBoxLayout(stranky[stranka - 1]);
        vrstva->setContentsMargins(0, 0, 0, 0);
        vrstva->addWidget(rozdelovac);
        rozdelovace[stranka - 1] = rozdelovac;
        for (auto* lv : {vlevo, vpravo}) {
            lv->setContextMenuPolicy(Qt::CustomContextMenu);
            lv->setDragEnabled(true);
            connect(lv, &SeznamVysledku::vstup, this, [this](SeznamVysledku* s) { UpravVelikostList(s->tag()); });
            connect(lv, &SeznamVysledku::mysNad, this, [this](SeznamVysledku* s) { UpravVelikostList(s->tag()); });
            skalovani.pismo(lv, pismo(DruhPisma::Okno));
            // Column widths follow the window size; the user may still drag them.
            lv->header()->setStretchLastSection(false);
        }
    }
}

void StrankyVysledku::vytvorPAkce(Skalovani& s)
{
    s.vyska(PAkce, 50);
    CBMazPodAdr = new QCheckBox(QStringLiteral("mazat prázdné podadresáře do úrovně:"), PAkce);
    s.umisti(CBMazPodAdr, {80, 8, 249, 17});
    CBMazPodAdr->setChecked(true);
    nastavHint(CBMazPodAdr, QStringLiteral("|nastavení zda při přesunutí a odstranění mazat prázdné adresáře až do úrovně podadresářů"));
    SEMazUroven = new QSpinBox(PAkce);
    SEMazUroven->setRange(0, 99999);
    s.umisti(SEMazUroven, {312, 2, 60, 24});
    nastavHint(SEMazUroven, QStringLiteral("|zadej počet úrovní"));
    SEMazUroven->raise();   // the check box's design width runs under it
    connect(SEMazUroven, &QSpinBox::valueChanged, this, [this] { SEMazUrovenChange(); });
    MazUrovenVzor = new QLabel(PAkce);
    pevnaSirka(MazUrovenVzor);   // a path: cut at its design width, never widened
    s.umisti(MazUrovenVzor, {384, 8, 233, 14});
    nastavHint(MazUrovenVzor, QStringLiteral("příklad neodstraňovaných prázdných podadresářů"));
    for (int i = 0; i < pocetAkci; ++i) {
        const TlacitkoAkce& t = tlacitkaAkci()[std::size_t(i)];
        auto* b = new QPushButton(QString::fromUtf8(t.popis), PAkce);
        b->setObjectName(QString::fromUtf8(t.jmeno));
        s.umisti(b, {5 + 104 * i, 28, 103, 20});
        nastavHint(b, QString::fromUtf8(t.hint));
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus);
        b->setProperty("Tag", 0);
        BB[i] = b;
        if (i > 0)
            connect(b, &QPushButton::clicked, this, [this, i] { copyClick(i + 1); });
        else
            connect(b, &QPushButton::clicked, this, &StrankyVysledku::vybervseClick);
    }
    PAkce->hide();
}

void StrankyVysledku::UpravVelikostList(int tag)
{
    if (!CisloSeznamu::platne(tag))
        return;
    const CisloSeznamu c(tag);
    const int stranka = c.stranka();
    const int sirka = stranky[stranka - 1]->width();
    const int vlevo = static_cast<int>((c.levy() ? 0.75 : 0.25) * sirka);
    rozdelovace[stranka - 1]->setSizes({vlevo, sirka - vlevo - rozdelovace[stranka - 1]->handleWidth()});
    const auto tagy = TagyAkci(tag);
    for (int i = 0; i < pocetAkci; ++i)
        BB[i]->setProperty("Tag", tagy[i]);
    // Replacing from the other side needs a counterpart: none on "NOVÉ".
    BB[4]->setEnabled(!c.nove());
    BB[5]->setEnabled(!c.nove());
    SEMazUrovenChange();
}

QString textVzoruMazani(const QString& adresar, int uroven)
{
    // For L = 3: D/x/xx/xxx, the deepest directory that pruning keeps.
    QString text = adresar;
    QString s = QStringLiteral("/x");
    for (int i = 0; i < uroven; ++i) {
        text += s;
        s += QLatin1Char('x');
    }
    return text;
}

void StrankyVysledku::SEMazUrovenChange()
{
    const int tag = AktivniSeznam() ? AktivniSeznam()->tag() : 1;
    const QString& adresar = uloziste_->cestaAdr(CisloSeznamu(tag).adresar());
    MazUrovenVzor->setText(textVzoruMazani(adresar, SEMazUroven->value()));
}

void StrankyVysledku::MPBB1Click(int tag)
{
    if (tag < 1 || tag > pocetAkci)
        return;
    QPushButton* b = BB[tag - 1];
    if (b->isEnabled())
        b->click();
}

void StrankyVysledku::PoleSloupcu(int sirkaStranky)
{
    static constexpr int vahy[5] = {90, 40, 125, 60, 130};
    const int a = static_cast<int>(0.75 * sirkaStranky);
    for (int tag = 1; tag <= pocetSeznamu; ++tag) {
        QHeaderView* h = seznam(tag)->header();
        if (h->count() == 0)
            continue;
        for (int i = 0; i < 5 && i < h->count(); ++i)
            seznam(tag)->nastavSirkuSloupce(i, vahy[i] * a / 470);
    }
}

// The Tag of the button at the moment of the click says what to do; the
// operation's own handler asks its questions and runs it.
void StrankyVysledku::copyClick(int tlacitko)
{
    const int tag = BB[std::size_t(tlacitko - 1)]->property("Tag").toInt();
    const Operace o = DekodujPrikaz(tag);
    proved(o, seznam(o.seznam));
}

StavMazani StrankyVysledku::stavMazani() const
{
    return {CBMazPodAdr->isChecked(), SEMazUroven->value()};
}

void StrankyVysledku::nastavMazani(const StavMazani& stav)
{
    SEMazUroven->setValue(stav.SEMazUroven);
    CBMazPodAdr->setChecked(stav.CBMazPodAdr);
}

} // namespace zrc
