// Marking and unmarking items of a result list: by a configured type, by the
// focused item's type or directory, by a directory mask, all items; and the
// selection summary in the list's hint.
#include "ui/stranky_vysledku.h"

#include "ui/cesta_text.h"

#include "engine/oznaceni.h"
#include "settings/klice.h"
#include "settings/seznamy.h"

#include <QPushButton>

namespace zrc {

namespace {

// The list's new selection set in one step, as Qt's selection model got it
// before the marks were bytes: cleared, then the marked rows selected as the
// layer of one command (a Shift-click next replaces that layer, as it did).
void oznacRadky(SeznamVysledku* seznam, const std::vector<int>& radky, bool vybrat)
{
    if (radky.empty())
        return;
    VyberRadku* v = seznam->vyber();
    std::vector<char> vybran(std::size_t(seznam->model()->rowCount()), 0);
    for (int r : v->radky())
        vybran[std::size_t(r)] = 1;
    for (int r : radky)
        vybran[std::size_t(r)] = vybrat;
    std::vector<int> nove;
    for (std::size_t i = 0; i < vybran.size(); ++i)
        if (vybran[i])
            nove.push_back(int(i));
    v->vyberRadky(nove, QItemSelectionModel::ClearAndSelect);
}

} // namespace

void StrankyVysledku::OznacDleSloupce(bool vybrat, SeznamVysledku* seznam, Sloupec sloupec, const QString& hodnota)
{
    oznacRadky(seznam, RadkyDleSloupce(*uloziste_, seznam->tag(), sloupec, hodnota), vybrat);
}

void StrankyVysledku::OznacDleAdresare(bool vybrat, SeznamVysledku* seznam, const QString& maska)
{
    oznacRadky(seznam, RadkyDleAdresare(*uloziste_, seznam->tag(), maska), vybrat);
}

void StrankyVysledku::vyberClick(int p)
{
    OznacDleSloupce(true, AktivniSeznam(), Sloupec::Typ, CtiPolozku(cestaIni_, ini::oznaceni, p + 1));
}

void StrankyVysledku::prycClick(int p)
{
    OznacDleSloupce(false, AktivniSeznam(), Sloupec::Typ, CtiPolozku(cestaIni_, ini::odznaceni, p + 1));
}

void StrankyVysledku::DleVShodnyTypClick(bool vybrat)
{
    SeznamVysledku* s = AktivniSeznam();
    const QModelIndex i = s->currentIndex();
    if (i.isValid())
        OznacDleSloupce(vybrat, s, Sloupec::Typ, textPolozky(*uloziste_, s->modelSeznamu()->polozka(i.row()), Sloupec::Typ));
}

void StrankyVysledku::DleVShodnyAdrClick(bool vybrat)
{
    SeznamVysledku* s = AktivniSeznam();
    const QModelIndex i = s->currentIndex();
    if (i.isValid())
        OznacDleSloupce(vybrat, s, Sloupec::Podadr,
                        textPolozky(*uloziste_, s->modelSeznamu()->polozka(i.row()), Sloupec::Podadr));
}

void StrankyVysledku::MOznVseVAdrClick(bool odznacit)
{
    SeznamVysledku* s = AktivniSeznam();
    const QModelIndex i = s->currentIndex();
    if (!i.isValid())
        return;
    const QString pocatecni = textPolozky(*uloziste_, s->modelSeznamu()->polozka(i.row()), Sloupec::Podadr);
    const QString maska = ZadejCestu(tabs_->window(), pocatecni, !odznacit);
    if (maska != QStringLiteral(" "))   // one blank: "&Zruš"
        OznacDleAdresare(!odznacit, s, maska);
}

void StrankyVysledku::vybervseClick()
{
    const int tag = BB[0] ? BB[0]->property("Tag").toInt() : 1;
    SeznamVysledku* s = seznam(CisloSeznamu::platne(tag) ? tag : 1);
    if (s->model()->rowCount() == 0)
        return;
    s->selectAll();
    s->setFocus();
}

bool StrankyVysledku::Timer1Timer(SeznamVysledku* s)
{
    if (!s)
        s = AktivniSeznam();
    const QString hint = SouhrnVyberu(int(s->vybraneRadky().size()), s->model()->rowCount(), s->VelikostVybranych(),
                                      VlastniAdresar(*uloziste_, s->tag()));
    if (hint == s->hint())
        return false;
    s->nastavHint(hint);
    return true;
}

} // namespace zrc
