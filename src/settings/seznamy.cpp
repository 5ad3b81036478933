#include "settings/seznamy.h"

#include "settings/klice.h"
#include "util/ascii.h"

namespace zrc {

namespace {

bool shodne(const QString& a, const QString& b, SrovnaniPolozek srovnani)
{
    if (srovnani == SrovnaniPolozek::Presne)
        return a == b;
    return ShodneBezVelikostiAscii(a, b);   // only a-z fold; accented letters stay
}

QString klic(int i) { return QString::number(i); }

QStringList neprazdne(const IniDokument& d, QStringView sekce, int sloty)
{
    QStringList ven;
    for (int i = 1; i <= sloty; ++i) {
        QString h = d.ctiText(sekce, klic(i));
        if (!h.isEmpty())
            ven.push_back(std::move(h));
    }
    return ven;
}

void pridejNaZacatek(IniDokument& d, QStringView sekce, const QString& hodnota, const VolbySeznamu& v)
{
    const int n = std::max(v.sloty, 1);
    int shoda = 0;
    for (int i = 1; i <= n; ++i)
        if (shodne(d.ctiText(sekce, klic(i)), hodnota, v.srovnani))
            shoda = i;
    // Matched at i >= 2: the entries below it move; no match: the whole list
    // moves and the old key N is lost.
    for (int k = shoda == 0 ? n : shoda; k >= 2; --k)
        d.zapisText(sekce, klic(k), d.ctiText(sekce, klic(k - 1)));
    d.zapisText(sekce, klic(1), hodnota);
}

} // namespace

VysledekZapisu PridejNaZacatek(const QString& cesta, QStringView sekce, const QString& hodnota,
                               const VolbySeznamu& volby)
{
    return zmenIni(cesta, [&](IniDokument& d) { pridejNaZacatek(d, sekce, hodnota, volby); });
}

QStringList NactiDoComboBoxu(const QString& cesta, QStringView sekce, const VolbySeznamu& volby)
{
    QStringList ven;
    for (QString& h : neprazdne(nactiIni(cesta), sekce, std::max(volby.sloty, 1))) {
        const bool uz = std::any_of(ven.cbegin(), ven.cend(),
                                    [&](const QString& x) { return shodne(x, h, volby.srovnani); });
        if (!uz)
            ven.push_back(std::move(h));
    }
    return ven;
}

std::pair<QStringList, QStringList> NactiAdresare(const QString& cesta)
{
    const VolbySeznamu v{.sloty = ini::slotuAdresaru};
    return {NactiDoComboBoxu(cesta, ini::Adresar1, v), NactiDoComboBoxu(cesta, ini::Adresar2, v)};
}

QString CtiPolozku(const QString& cesta, QStringView sekce, int cislo)
{
    return IniCtiText(cesta, sekce, klic(cislo));
}

VysledekZapisu UlozListBox(const QString& cesta, QStringView sekce, const QStringList& polozky, int sloty)
{
    return zmenIni(cesta, [&](IniDokument& d) {
        for (int i = 1; i <= sloty; ++i)
            d.zapisText(sekce, klic(i), {});
        for (int i = 1; i <= std::min<int>(sloty, polozky.size()); ++i)
            d.zapisText(sekce, klic(i), polozky[i - 1]);
    });
}

QStringList NactiListBox(const QString& cesta, QStringView sekce, int sloty)
{
    return neprazdne(nactiIni(cesta), sekce, sloty);
}

std::vector<QString> NaplnMenu(const QString& cesta, QStringView sekce, int pocetPolozek)
{
    if (pocetPolozek <= 0)
        return {};
    const IniDokument d = nactiIni(cesta);
    std::vector<QString> ven;
    for (int i = 1; i <= pocetPolozek; ++i)
        ven.push_back(d.ctiText(sekce, klic(i)));
    return ven;
}

} // namespace zrc
