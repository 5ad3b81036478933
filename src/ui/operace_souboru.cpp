#include "ui/operace_souboru.h"

#include "operace/operace.h"
#include "operace/souhrn_operace.h"
#include "operace/vraceni.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "ui/beh_operace_okno.h"
#include "ui/hlaseni.h"
#include "ui/pojistky_operace.h"
#include "ui/seznam_vysledku.h"
#include "ui/stranky_vysledku.h"
#include "ui/vysledky_model.h"
#include "util/bajty_cesty.h"

#include <QCheckBox>
#include <QEvent>
#include <QStatusTipEvent>
#include <QMainWindow>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>

namespace zrc {

OvladacOperaci::OvladacOperaci(StrankyVysledku& vysledky, QObject* parent)
    : QObject(parent), vysledky_(vysledky), pojistky_(std::make_unique<PojistkyOperace>())
{
    connect(&vysledky_, &StrankyVysledku::operace, this,
            [this](const Operace& o, SeznamVysledku* s) { ProvedOperaci(o, s->vybraneRadky()); });
    connect(&vysledky_, &StrankyVysledku::overeniObsahu, this,
            [this](SeznamVysledku* s) { OverObsah(s->tag(), s->vybraneRadky()); });
    connect(&vysledky_, &StrankyVysledku::vratitOperaci, this, &OvladacOperaci::VratPosledniOperaci);
}

OvladacOperaci::~OvladacOperaci() = default;

void OvladacOperaci::stavovyRadek(const QString& text)
{
    auto* okno = qobject_cast<QMainWindow*>(vysledky_.PageControl1()->window());
    if (!okno)
        return;
    if (text.isEmpty())
        okno->statusBar()->clearMessage();
    else
        okno->statusBar()->showMessage(text);
}

// The confirmations of the command: replacing by the other side's version, and
// deleting (not for "starší verzi odstraň", whose source and target are both
// the other side) unless "potvrzodstr" is off. The setting is read at each
// deletion, so the configuration dialog's change counts at once. Both carry
// the plan line; a permanent mass deletion asks once more in any case.
bool OvladacOperaci::potvrzeno(const Operace& o, const std::vector<int>& radky) const
{
    const UlozisteVysledku& u = vysledky_.uloziste();
    const auto& seznam = u.seznam(o.seznam);
    PlanOperace plan{.soubory = std::int64_t(radky.size())};
    for (int r : radky)
        plan.bajty += seznam[r].velikost;
    // The directory whose files are replaced or deleted: the same keys act on
    // either side, so the question says which one.
    const Strana strana = o.nahrazeni ? o.cil : o.zdroj;
    const QString adresar = radekAdresare(strana, bajtyZTextu(u.cestaAdr(int(strana))));
    if (o.nahrazeni &&
        Hlaseni(pojistky_->otazka(QStringLiteral("Opravdu nahradit vybrané soubory?"), o, plan, adresar),
                DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne) != Odpoved::Ano)
        return false;
    if (o.kod == KodOperace::Odstraneni && o.zdroj != o.cil &&
        IniCtiBool(vysledky_.cestaIni(), ini::Nastaveni, ini::potvrzodstr, true) &&
        Hlaseni(pojistky_->otazka(QStringLiteral("Opravdu odstranit vybrané soubory?"), o, plan, adresar),
                DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne) != Odpoved::Ano)
        return false;
    return pojistky_->hromadnePotvrzeno(o, plan.soubory, std::int64_t(seznam.size()), adresar);
}

void OvladacOperaci::ProvedOperaci(const Operace& operace, const std::vector<int>& vybraneRadky)
{
    UlozisteVysledku& u = vysledky_.uloziste();
    const auto& seznam = u.seznam(operace.seznam);
    pojistky_->setCestaIni(vysledky_.cestaIni());
    const bool nicVybrano = seznam.empty() || vybraneRadky.empty();
    if (nicVybrano || bezi_ || !potvrzeno(operace, vybraneRadky) || !pojistky_->zakladyPlati(operace)) {
        if (nicVybrano)
            stavovyRadek(QString());
        emit hotovo();
        return;
    }
    // "vybrané zkopíruj do ..", "vybrané přesuň do ..": the target is chosen now.
    const std::optional<QString> cil =
        operace.cil == Strana::Zvoleny ? zvolCil(operace) : u.cestaAdr(int(operace.cil));
    // The chooser may stay open a long time: the bases once more at the start.
    if (!cil || (operace.cil == Strana::Zvoleny && !pojistky_->zakladyPlati(operace))) {
        emit hotovo();
        return;
    }
    ZadaniOperace z;
    z.zdroj = bajtyZTextu(u.cestaAdr(int(operace.zdroj)));
    z.cil = bajtyZTextu(*cil);
    z.operace = operace;
    z.prorezavani = {.zapnuto = vysledky_.CBMazPodAdr->isChecked(),
                     .uroven = vysledky_.SEMazUroven->value()};
    z.mazani = pojistky_->mazani();
    for (int r : vybraneRadky)
        z.polozky.push_back({CestaPolozky(u, seznam[r], true), seznam[r].velikost});

    bezi_ = true;
    BehOperaceVOkne beh(vysledky_.PageControl1()->window(),
                        [this](const QString& s) { stavovyRadek(s); });
    beh.bezKose = [this](const std::string& zdroj, const ChybaSouboru& c) { return pojistky_->bezKose(zdroj, c); };
    VolbyOperace volby = volby_;
    volby.kniha = &pojistky_->novaKniha();
    ZapisDeniku denik;
    zalozDenik(z, hlavickaOperace(z), denik, *volby.kniha);
    volby.denik = denik.otevreny() ? &denik : nullptr;
    beh_ = &beh;
    const VysledekOperace v = beh.proved(z, volby);
    beh_ = nullptr;
    ohlasDenik(z.operace.kod, denik, *volby.kniha);
    bezi_ = false;
    odeberVyrizene(operace, vybraneRadky, v.vyrizene);
    if (vysledky_.ZalozkaZobrazena(operace.seznam))
        vysledky_.seznam(operace.seznam)->setFocus();
    drzSouhrn(textPoOperaci(z, v), vysledky_.seznam(operace.seznam));
    emit hotovo();
}

// The summary stays while the mouse passes over the lists: each list's hint
// (its selection summary) reached the status bar as soon as the pointer
// entered it, the first thing after the progress window closed, and the
// line was gone before it could be read. A hint of any other control, the
// timer's new summary after a selection change or the next step replace it.
void OvladacOperaci::drzSouhrn(const QString& text, SeznamVysledku* seznam)
{
    // The selection summary of the list acted on brought up to date first:
    // the timer's next tick then finds nothing new, and the line stays until
    // the selection changes.
    vysledky_.Timer1Timer(seznam);
    auto* okno = qobject_cast<QMainWindow*>(vysledky_.PageControl1()->window());
    if (!okno)
        return;
    if (!sledujeOkno_) {
        okno->installEventFilter(this);
        connect(okno->statusBar(), &QStatusBar::messageChanged, this, [this](const QString& t) {
            if (t != drzenySouhrn_)
                drzenySouhrn_.clear();
        });
        sledujeOkno_ = true;
    }
    drzenySouhrn_ = text;
    stavovyRadek(text);
}

bool OvladacOperaci::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::StatusTip || drzenySouhrn_.isEmpty())
        return QObject::eventFilter(o, e);
    const QString tip = static_cast<QStatusTipEvent*>(e)->tip();
    if (tip.isEmpty())
        return true;   // the pointer left a control: nothing to clear the summary for
    for (int tag = 1; tag <= StrankyVysledku::pocetSeznamu; ++tag)
        if (tip == vysledky_.seznam(tag)->hint())
            return true;
    return QObject::eventFilter(o, e);
}

// What was done, also when nothing failed: a copy of a few small files shows
// its progress window for a blink, and after "vybrané zkopíruj do .." the
// items stay selected, so this line is the only trace. After Cancel the
// interrupted step's text stays in front of it.
QString OvladacOperaci::textPoOperaci(const ZadaniOperace& z, const VysledekOperace& v) const
{
    SouhrnOperace s{.druh = druhOperace(z.operace, z.mazani == Mazani::DoKose),
                    .souboru = std::int64_t(v.vyrizene.size()),
                    .neprovedeno = std::int64_t(z.polozky.size() - v.vyrizene.size()),
                    .doKose = std::int64_t(v.doKose)};
    for (std::size_t i : v.vyrizene)
        s.bajtu += z.polozky[i].velikost;
    const QString text = textZBajtu(textSouhrnu(s));
    auto* okno = qobject_cast<QMainWindow*>(vysledky_.PageControl1()->window());
    if (!v.zruseno || !okno || okno->statusBar()->currentMessage().isEmpty())
        return text;
    return okno->statusBar()->currentMessage() + QStringLiteral(" — ") + text;
}

void OvladacOperaci::zrus()
{
    if (beh_)
        beh_->zrus();
}

// The chooser opens on the other side's base directory; the chosen path is
// checked (and created after asking) before anything else happens.
std::optional<QString> OvladacOperaci::zvolCil(const Operace& o)
{
    const UlozisteVysledku& u = vysledky_.uloziste();
    const std::optional<QString> zvoleny =
        volbaCile_(vysledky_.PageControl1()->window(), titulekVolbyCile(o.kod), ProtejsiAdresar(u, o.seznam));
    if (!zvoleny)
        return std::nullopt;
    return PripravCil(*zvoleny, VlastniAdresar(u, o.seznam));
}

// The handled items leave their list in one batch, their twins the partner
// list in another; with code 6 they stay (still selected).
void OvladacOperaci::odeberVyrizene(const Operace& o, const std::vector<int>& radky,
                                    const std::vector<std::size_t>& vyrizene)
{
    if (vyrizene.empty())
        return;
    const auto& seznam = vysledky_.uloziste().seznam(o.seznam);
    if (o.odeberDvojce) {
        std::vector<Polozka> vzory;
        for (std::size_t i : vyrizene)
            vzory.push_back(seznam[radky[i]]);
        vysledky_.model(ProtejsiSeznam(o.seznam))->odeberProtejsky(vzory);
    }
    if (o.opoustiSeznam) {
        std::vector<int> pryc;
        for (std::size_t i : vyrizene)
            pryc.push_back(radky[i]);
        vysledky_.model(o.seznam)->odeberRadky(std::move(pryc));
    }
}

} // namespace zrc
