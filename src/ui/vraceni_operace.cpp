// "vrátit poslední operaci" in the window, and the journal of each operation.

#include "ui/operace_souboru.h"

#include "operace/kniha_chyb.h"
#include "operace/vraceni.h"
#include "ui/beh_operace_okno.h"
#include "ui/hlaseni.h"
#include "ui/pojistky_operace.h"
#include "ui/stranky_vysledku.h"
#include "util/bajty_cesty.h"

#include <QTabWidget>

namespace zrc {

namespace {

// Not an item of the operation: the whole run's note in its log.
void poznamka(KnihaChyb& kniha, KodOperace kod, const std::string& cil, std::string duvod)
{
    kniha.pridej({.kod = kod, .zdroj = {}, .cil = cil, .duvod = std::move(duvod),
                  .odpoved = OdpovedZaznamu::Zadna, .polozka = false});
}

} // namespace

void OvladacOperaci::zalozDenik(const ZadaniOperace& z, const HlavickaDeniku& h, ZapisDeniku& w,
                                KnihaChyb& kniha) const
{
    const std::string adresar = adresarDeniku();
    if (const int e = zrc::zalozDenik(systemova(volby_), adresar, h, w))
        poznamka(kniha, z.operace.kod, adresar,
                 "deník operace nelze založit (" + textChyby(ChybaSouboru::systemu(e)) +
                     "), operaci nebude možné vrátit");
}

void OvladacOperaci::ohlasDenik(KodOperace kod, const ZapisDeniku& w, KnihaChyb& kniha) const
{
    if (w.otevreny() && w.chyba())
        poznamka(kniha, kod, w.cesta(),
                 "zápis deníku operace selhal (" + textChyby(ChybaSouboru::systemu(w.chyba())) +
                     "), operaci půjde vrátit jen zčásti");
}

// The newest journal, read and checked; a message says why there is none.
std::optional<Denik> OvladacOperaci::posledniDenik() const
{
    const auto deniky = denikyVAdresari(adresarDeniku());
    if (deniky.empty()) {
        Hlaseni(QStringLiteral("Není žádná operace, kterou by šlo vrátit."), DruhHlaseni::Informace, Tlacitko::OK);
        return std::nullopt;
    }
    auto c = ctiDenik(deniky.back(), {.kosDomov = volby_.kosDomov});
    if (!c.denik)
        Hlaseni(textZBajtu(c.chyba), DruhHlaseni::Chyba, Tlacitko::OK);
    return std::move(c.denik);
}

void OvladacOperaci::VratPosledniOperaci()
{
    if (bezi_)
        return;
    const std::optional<Denik> d = posledniDenik();
    if (!d)
        return;
    const PlanVraceni plan = naplanujVraceni(*d, &systemova(volby_));
    const QString radek = textZBajtu(textPlanuVraceni(plan));
    if (plan.lze == 0) {
        Hlaseni(QStringLiteral("Poslední operaci nelze vrátit.\r") + radek, DruhHlaseni::Informace, Tlacitko::OK);
        return;
    }
    if (Hlaseni(QStringLiteral("Opravdu vrátit poslední operaci?\r") + radek, DruhHlaseni::Potvrzeni,
                Tlacitko::Ano | Tlacitko::Ne) != Odpoved::Ano)
        return;
    VolbyOperace volby = volby_;
    volby.kniha = &pojistky_->novaKniha();
    ZapisDeniku denik;
    zalozDenik({.operace = {.kod = KodOperace::Vraceni}}, hlavickaVraceni(*d), denik, *volby.kniha);
    volby.denik = denik.otevreny() ? &denik : nullptr;
    bezi_ = true;
    BehOperaceVOkne beh(vysledky_.PageControl1()->window(), [this](const QString& s) { stavovyRadek(s); });
    beh_ = &beh;
    const VysledekVraceni v = beh.vrat(*d, volby);
    beh_ = nullptr;
    bezi_ = false;
    ohlasDenik(KodOperace::Vraceni, denik, *volby.kniha);
    emit hotovo();
    drzSouhrn(textZBajtu(textPoVraceni(v)));
    if (Hlaseni(QStringLiteral("Porovnat adresáře znovu?"), DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne) ==
        Odpoved::Ano)
        emit porovnatZnovu();
}

} // namespace zrc
