// "ověřit obsah" of the list menu: OvladacOperaci's verification of pairs by
// their bytes, run like a file operation (worker thread, progress window, Esc).

#include "ui/operace_souboru.h"

#include "operace/overeni_obsahu.h"
#include "operace/plan_operace.h"
#include "ui/beh_operace_okno.h"
#include "ui/seznam_vysledku.h"
#include "ui/stranky_vysledku.h"
#include "ui/vysledky_model.h"
#include "util/bajty_cesty.h"

#include <QMainWindow>
#include <QStatusBar>
#include <algorithm>
#include <numeric>

namespace zrc {

namespace {

// The status line after a verification: the equal pairs, then what could not
// be read (the first file with its reason) and a cancel.
QString textPoOvereni(const VysledekOvereni& v)
{
    QString t = QString::fromStdString(textShodnehoObsahu(v));
    if (!v.necitelne.empty()) {
        const NecitelnyPar& p = v.necitelne.front();
        t += QStringLiteral("; nelze přečíst: ") +
             QString::fromStdString(pocetSouboru(std::int64_t(v.necitelne.size()))) + QStringLiteral(" (") +
             textProZobrazeni(p.cesta) + QStringLiteral(": ") + QString::fromStdString(textChyby(p.chyba)) +
             QLatin1Char(')');
    }
    if (v.zruseno)
        t += QStringLiteral("; přerušeno");
    return t;
}

// Rows (ascending) after the rows pryc (ascending) have left the list.
std::vector<int> poOdebrani(const std::vector<int>& radky, const std::vector<int>& pryc)
{
    std::vector<int> v;
    for (int r : radky)
        if (!std::binary_search(pryc.begin(), pryc.end(), r))
            v.push_back(r - int(std::lower_bound(pryc.begin(), pryc.end(), r) - pryc.begin()));
    return v;
}

} // namespace

void OvladacOperaci::OverObsah(int seznam, std::vector<int> radky)
{
    UlozisteVysledku& u = vysledky_.uloziste();
    const auto& polozky = u.seznam(seznam);
    if (bezi_ || polozky.empty())
        return;
    if (radky.empty()) {
        radky.resize(polozky.size());
        std::iota(radky.begin(), radky.end(), 0);
    }
    ZadaniOvereni z{.zaklad1 = bajtyZTextu(u.cestaAdr(1)), .zaklad2 = bajtyZTextu(u.cestaAdr(2))};
    for (int r : radky)
        z.pary.push_back({CestaPolozky(u, polozky[std::size_t(r)], true), polozky[std::size_t(r)].velikost});

    bezi_ = true;
    BehOperaceVOkne beh(vysledky_.PageControl1()->window(), [this](const QString& s) { stavovyRadek(s); });
    const VysledekOvereni v = beh.over(z, volbyShody_);
    bezi_ = false;

    std::vector<int> shodne;
    for (std::size_t i : v.shodne)
        shodne.push_back(radky[i]);
    // The pairs left to look at: those that differ or could not be read.
    std::vector<int> zbyle;
    for (std::size_t i : v.lisi)
        zbyle.push_back(radky[i]);
    for (const NecitelnyPar& p : v.necitelne)
        zbyle.push_back(radky[p.index]);
    std::sort(zbyle.begin(), zbyle.end());
    vysledky_.model(seznam)->odeberRadky(shodne);
    SeznamVysledku* s = vysledky_.seznam(seznam);
    s->clearSelection();
    const std::vector<int> vyber = poOdebrani(zbyle, shodne);
    s->vyber()->vyberRadky(vyber, QItemSelectionModel::Select);
    if (vysledky_.ZalozkaZobrazena(seznam))
        s->setFocus();
    drzSouhrn(textPoOvereni(v), s);
    emit hotovo();
}

} // namespace zrc
