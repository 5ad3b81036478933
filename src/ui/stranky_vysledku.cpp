#include "ui/stranky_vysledku.h"
#include "ui/spoustec.h"

#include "ui/hlaseni.h"
#include "ui/soubor_info.h"
#include "settings/historie.h"

#include <QTabWidget>

namespace zrc {

StrankyVysledku::StrankyVysledku(QTabWidget* PageControl1, QObject* parent)
    : QObject(parent), tabs_(PageControl1), uloziste_(std::make_unique<UlozisteVysledku>()),
      spoustec_(&skutecnySpoustec())
{
    for (int tag = 1; tag <= pocetSeznamu; ++tag) {
        auto* model = new ResultListModel(*uloziste_, tag, this);
        auto* seznam = new SeznamVysledku(model, &razeni_, tabs_->widget(strankaSeznamu(tag)));
        seznam->setObjectName(QStringLiteral("ListView%1").arg(tag));
        modely_[tag - 1] = model;
        seznamy_[tag - 1] = seznam;
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this, tag](const QModelIndex&, int prvni, int posledni) {
                    ListInsert(tag, posledni - prvni + 1);
                });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this, tag] { ListDelete(tag); });
        connect(model, &QAbstractItemModel::modelReset, this, [this, tag] { ListDelete(tag); });
    }
    for (int stranka = 1; stranka <= 4; ++stranka)
        tabs_->setTabVisible(stranka, false);
}

StrankyVysledku::~StrankyVysledku() = default;

ResultListModel* StrankyVysledku::model(int tag) const
{
    return modely_.at(std::size_t(tag - 1));
}

SeznamVysledku* StrankyVysledku::seznam(int tag) const
{
    return seznamy_.at(std::size_t(tag - 1));
}

SeznamVysledku* StrankyVysledku::AktivniSeznam() const
{
    // The focus widget of the window, so that the answer does not depend on
    // whether the window itself is active at the moment.
    const QWidget* fokus = tabs_->window()->focusWidget();
    for (SeznamVysledku* s : seznamy_)
        if (s == fokus)
            return s;
    return seznamy_[0];
}

bool StrankyVysledku::ZalozkaZobrazena(int tag) const
{
    if (!CisloSeznamu::platne(tag))
        return false;
    return tabs_->currentIndex() == strankaSeznamu(tag);
}

void StrankyVysledku::z_nab_prycClick()
{
    AktivniSeznam()->z_nab_prycClick();
}

void StrankyVysledku::infoClick()
{
    SeznamVysledku* s = AktivniSeznam();
    if (s->model()->rowCount() == 0 || !s->currentIndex().isValid())
        return;
    const ResultListModel* m = s->modelSeznamu();
    ZobrazInfo(zadaniInfa(m->uloziste(), s->tag(), m->polozka(s->currentIndex().row())), *tabs_->window());
}

void StrankyVysledku::overObsahClick()
{
    emit overeniObsahu(AktivniSeznam());
}

void StrankyVysledku::proved(const Operace& o, SeznamVysledku* seznam)
{
    emit operace(o, seznam);
}

void StrankyVysledku::nastavFormatCasu(DlouhyFormatCasu format)
{
    if (uloziste_->formatCasu() == format)
        return;
    uloziste_->nastavFormatCasu(format);
    for (SeznamVysledku* s : seznamy_)
        s->viewport()->update();
}

void StrankyVysledku::vycistiVse()
{
    for (ResultListModel* m : modely_)
        m->zacniVymazani();
    uloziste_->vycisti();
    for (ResultListModel* m : modely_)
        m->ukonciVymazani();
}

bool StrankyVysledku::strankaViditelna(int stranka) const
{
    return tabs_->isTabVisible(stranka);
}

void StrankyVysledku::zobrazPrvniVysledky()
{
    for (int stranka = 1; stranka <= 4; ++stranka) {
        if (strankaViditelna(stranka)) {
            tabs_->setCurrentIndex(stranka);
            emit PageControl1Change();
            return;
        }
    }
}

int StrankyVysledku::pocetVPari(int tag) const
{
    const CisloSeznamu c(tag);
    return model(tag)->rowCount() + model(c.sousedNaStrance().cislo())->rowCount();
}

void StrankyVysledku::ListInsert(int tag, int vlozeno)
{
    // The pair's first item shows its page.
    if (pocetVPari(tag) == vlozeno)
        tabs_->setTabVisible(strankaSeznamu(tag), true);
}

void StrankyVysledku::ListDelete(int tag)
{
    if (!tabs_->window()->isVisible())
        return;   // closing: the pages go with the window
    const int stranka = strankaSeznamu(tag);
    if (pocetVPari(tag) > 0 || !strankaViditelna(stranka))
        return;
    // The side the keyboard was on, while the page still holds the focus.
    std::optional<int> strana;
    if (auto* fokus = qobject_cast<SeznamVysledku*>(tabs_->window()->focusWidget());
        fokus && tabs_->widget(stranka)->isAncestorOf(fokus))
        strana = CisloSeznamu(fokus->tag()).adresar();
    tabs_->setTabVisible(stranka, false);
    aktivujPoSkryti(strana);
}

// The next page with items is shown. When the keyboard was in a list of the
// hidden page, it goes to the list of the same directory there: left to
// itself, Qt handed it to the next widget in the focus chain, often the other
// side's list, and F8 then deleted in the other directory.
void StrankyVysledku::aktivujPoSkryti(std::optional<int> strana)
{
    for (int stranka = 1; stranka <= 4; ++stranka) {
        if (strankaViditelna(stranka)) {
            tabs_->setCurrentIndex(stranka);
            if (strana) {
                const int tag = 2 * stranka - 2 + *strana;
                seznam(tag)->setFocus(Qt::OtherFocusReason);
                if (PAkce)   // laid out (vybav): the buttons take the list's Tags
                    UpravVelikostList(tag);
            }
            emit PageControl1Change();
            return;
        }
    }
    tabs_->setCurrentIndex(0);
    emit PageControl1Change();
    if (!stavMazani_ || cestaIni_.isEmpty())
        return;
    const StavMazani stav = stavMazani_();
    const VysledekZapisu r = HistorieUlozMazani(cestaIni_, stav.CBMazPodAdr, stav.SEMazUroven);
    if (!r)
        Hlaseni(r.chyba(), DruhHlaseni::Chyba, Tlacitko::OK);   // reported, work goes on
}

} // namespace zrc
