#include "operace/prikazy.h"

#include <cstdlib>

namespace zrc {

Strana VlastniStrana(int seznam)
{
    return static_cast<Strana>(CisloSeznamu(seznam).adresar());
}

Strana ProtejsiStrana(int seznam)
{
    return static_cast<Strana>(CisloSeznamu(seznam).protejsiAdresar());
}

Operace OperaceKodu(int seznam, int kod)
{
    Operace o;
    o.seznam = seznam;
    o.zdroj = VlastniStrana(seznam);
    o.cil = ProtejsiStrana(seznam);
    o.kod = kod >= 1 && kod <= 6 ? static_cast<KodOperace>(kod) : KodOperace::Kopie;
    switch (o.kod) {
    case KodOperace::Kopie:
    case KodOperace::KopieSDvojcetem:
    case KodOperace::KopieZustava:
    case KodOperace::Vraceni:
        break;
    case KodOperace::Odstraneni:
        o.kopie = false;
        o.odstraneni = true;
        break;
    case KodOperace::Presun:
    case KodOperace::PresunSDvojcetem:
        o.odstraneni = true;
        break;
    }
    // A deletion on "VĚTŠÍ" or "MENŠÍ" takes the pair's other half along: the
    // pair no longer differs once one of its files is gone.
    o.odeberDvojce = o.kod == KodOperace::KopieSDvojcetem || o.kod == KodOperace::PresunSDvojcetem ||
                     (o.kod == KodOperace::Odstraneni && CisloSeznamu(seznam).maDvojce());
    o.opoustiSeznam = o.kod != KodOperace::KopieZustava;
    return o;
}

Operace DekodujPrikaz(int tag)
{
    const int q = tag / 10;   // C++ division truncates toward zero, as the Tag needs
    const int seznam = CisloSeznamu::platne(std::abs(q)) ? std::abs(q) : 1;
    Operace o = OperaceKodu(seznam, std::abs(tag) - 10 * std::abs(q));
    if (q < 0) {
        o.zdroj = ProtejsiStrana(seznam);
        o.cil = VlastniStrana(seznam);
        o.nahrazeni = true;
    }
    return o;
}

Operace OperaceDoAdresare(int seznam, int kod)
{
    Operace o = OperaceKodu(seznam, kod);
    o.cil = Strana::Zvoleny;
    return o;
}

Operace KopieDoAdresare(int seznam)
{
    return OperaceDoAdresare(seznam, int(KodOperace::KopieZustava));
}

Operace PresunDoAdresare(int seznam)
{
    return OperaceDoAdresare(seznam, int(KodOperace::Presun));
}

Operace OdstraneniStarsiVerze(int seznam)
{
    Operace o = OperaceKodu(seznam, int(KodOperace::Odstraneni));
    o.zdroj = ProtejsiStrana(seznam);
    o.cil = ProtejsiStrana(seznam);
    return o;
}

std::array<int, pocetAkci> TagyAkci(int t)
{
    // NOVÉ/NOVĚJŠÍ copy (1) and move (3); VĚTŠÍ/MENŠÍ copy and move with the
    // twin item (4, 5); delete (2) everywhere.
    const bool dvojice = CisloSeznamu(t).maDvojce();
    const int kopie = 10 * t + (dvojice ? 4 : 1);
    const int presun = 10 * t + (dvojice ? 5 : 3);
    return {t, kopie, presun, 10 * t + 2, -kopie, -presun};
}

} // namespace zrc
