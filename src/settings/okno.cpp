#include "settings/okno.h"

#include "settings/klice.h"

namespace zrc {

namespace {

UmisteniOkna umisteni(const IniDokument& d, QStringView sekce, int w, int h)
{
    UmisteniOkna u;
    u.vyska = h;
    if (d.ctiCislo(sekce, ini::State, 0) == 0) {
        u.sirka = w;
        return u;
    }
    u.left = std::max(d.ctiCislo(sekce, ini::Left, 1), 0);
    u.top = std::max(d.ctiCislo(sekce, ini::Top, 1), 0);
    if (w != 0)
        u.sirka = d.ctiCislo(sekce, ini::Width, w);
    u.vyska = d.ctiCislo(sekce, ini::Height, h);
    u.maximalizovat = d.ctiCislo(sekce, ini::State, 2) == 1;
    return u;
}

} // namespace

UmisteniOkna NactiOkno(const QString& cesta, QStringView sekce, int vychoziSirka, int vychoziVyska)
{
    return umisteni(nactiIni(cesta), sekce, vychoziSirka, vychoziVyska);
}

VysledekZapisu UlozOkno(const QString& cesta, QStringView sekce, const ZapisOkna& o)
{
    return zmenIni(cesta, [&](IniDokument& d) {
        if (o.stav != StavOkna::Minimalizovane)
            d.zapisCislo(sekce, ini::State, o.stav == StavOkna::Maximalizovane ? 1 : 2);
        if (o.stav == StavOkna::Maximalizovane)
            return;
        d.zapisCislo(sekce, ini::Left, o.left);
        d.zapisCislo(sekce, ini::Top, o.top);
        d.zapisCislo(sekce, ini::Width, o.sirka);
        d.zapisCislo(sekce, ini::Height, o.vyska);
    });
}

StartovniNastaveni NactiNastaveni(const QString& cesta)
{
    const IniDokument d = nactiIni(cesta);
    StartovniNastaveni s;
    s.okno = umisteni(d, ini::Okno, ini::vychoziSirka, ini::vychoziVyska);
    s.ChB_adresar1 = d.ctiBool(ini::Podadresare, ini::pouzit, true);
    s.ChB_adresar2 = d.ctiBool(ini::Podadresare, ini::pouzit2, true);
    return s;
}

} // namespace zrc
