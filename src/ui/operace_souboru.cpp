#include "ui/operace_souboru.h"

#include "operace/operace.h"
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
    const auto& seznam = vysledky_.uloziste().seznam(o.seznam);
    PlanOperace plan{.soubory = std::int64_t(radky.size())};
    for (int r : radky)
        plan.bajty += seznam[r].velikost;
    if (o.nahrazeni &&
        Hlaseni(pojistky_->otazka(QStringLiteral("Opravdu nahradit vybrané soubory?"), o, plan),
                DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne) != Odpoved::Ano)
        return false;
    if (o.kod == KodOperace::Odstraneni && o.zdroj != o.cil &&
        IniCtiBool(vysledky_.cestaIni(), ini::Nastaveni, ini::potvrzodstr, true) &&
        Hlaseni(pojistky_->otazka(QStringLiteral("Opravdu odstranit vybrané soubory?"), o, plan),
                DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne) != Odpoved::Ano)
        return false;
    return pojistky_->hromadnePotvrzeno(o, plan.soubory, std::int64_t(seznam.size()));
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
    ohlasDenik(denik, *volby.kniha);
    bezi_ = false;
    odeberVyrizene(operace, vybraneRadky, v.vyrizene);
    if (vysledky_.ZalozkaZobrazena(operace.seznam))
        vysledky_.seznam(operace.seznam)->setFocus();
    auto* okno = qobject_cast<QMainWindow*>(vysledky_.PageControl1()->window());
    const QString preruseno = v.zruseno && okno ? okno->statusBar()->currentMessage() : QString();
    if (const QString t = pojistky_->textPoOperaci(z.polozky.size(), v.vyrizene.size(), preruseno); !t.isEmpty()) {
        // The selection summary brought up to date first: the timer's next
        // tick then finds nothing new and the counts stay until the selection changes.
        vysledky_.Timer1Timer();
        stavovyRadek(t);
    }
    emit hotovo();
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
