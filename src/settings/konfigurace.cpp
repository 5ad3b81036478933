#include "settings/konfigurace.h"

#include "settings/ini_dokument.h"
#include "settings/klice.h"
#include "settings/seznamy.h"

namespace zrc {

namespace {

QStringList seznamTypu(const IniDokument& d, QStringView sekce)
{
    QStringList ven;
    for (int i = 1; i <= ini::slotuTypu; ++i) {
        QString t = d.ctiText(sekce, QString::number(i));
        if (!t.isEmpty())
            ven.push_back(std::move(t));
    }
    return ven;
}

void zapisTypy(IniDokument& d, QStringView sekce, const QStringList& typy)
{
    for (int i = 1; i <= ini::slotuTypu; ++i)
        d.zapisText(sekce, QString::number(i), i <= typy.size() ? typy[i - 1] : QString());
}

} // namespace

Konfigurace NactiKonfiguraci(const QString& cesta)
{
    const IniDokument d = nactiIni(cesta);
    Konfigurace k;
    k.typy = seznamTypu(d, ini::Typ);
    k.pouzitTypy = d.ctiBool(ini::Typ, ini::pouzit, true);
    k.podadresare1 = d.ctiBool(ini::Podadresare, ini::pouzit, true);
    k.podadresare2 = d.ctiBool(ini::Podadresare, ini::pouzit2, true);
    k.podle = d.ctiCislo(ini::Serazeni, ini::podle, 0);
    k.typRazeni = d.ctiCislo(ini::Serazeni, ini::typ, 0);
    k.vstupparam = d.ctiBool(ini::Nastaveni, ini::vstupparam, false);
    k.potvrzodstr = d.ctiBool(ini::Nastaveni, ini::potvrzodstr, true);
    k.kos = d.ctiBool(ini::Nastaveni, ini::kos, ini::vychoziKos);
    k.jedenSvazek = d.ctiBool(ini::Nastaveni, ini::jedensvazek, ini::vychoziJedenSvazek);
    k.porovnavac = d.ctiText(ini::Nastaveni, ini::porovnavac);
    k.oznaceni = seznamTypu(d, ini::oznaceni);
    k.odznaceni = seznamTypu(d, ini::odznaceni);
    return k;
}

VysledekZapisu UlozKonfiguraci(const QString& cesta, const Konfigurace& k)
{
    return zmenIni(cesta, [&k](IniDokument& d) {
        d.zapisBool(ini::Typ, ini::pouzit, k.pouzitTypy);
        d.zapisBool(ini::Podadresare, ini::pouzit, k.podadresare1);
        d.zapisBool(ini::Podadresare, ini::pouzit2, k.podadresare2);
        if (k.vychoziVelikostOkna) {
            d.zapisCislo(ini::Okno, ini::Width, ini::sirkaZDialogu);
            d.zapisCislo(ini::Okno, ini::Height, ini::vyskaZDialogu);
        }
        d.zapisCislo(ini::Serazeni, ini::podle, k.podle);
        d.zapisCislo(ini::Serazeni, ini::typ, k.typRazeni);
        d.zapisBool(ini::Nastaveni, ini::vstupparam, k.vstupparam);
        d.zapisBool(ini::Nastaveni, ini::potvrzodstr, k.potvrzodstr);
        d.zapisBool(ini::Nastaveni, ini::kos, k.kos);
        d.zapisBool(ini::Nastaveni, ini::jedensvazek, k.jedenSvazek);
        d.zapisText(ini::Nastaveni, ini::porovnavac, k.porovnavac.trimmed());
        zapisTypy(d, ini::oznaceni, k.oznaceni);
        zapisTypy(d, ini::odznaceni, k.odznaceni);
        zapisTypy(d, ini::Typ, k.typy);
    });
}

} // namespace zrc
