#include "ui/seznam_vysledku.h"

#include "util/ascii.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace zrc {

namespace {
constexpr int sirkySloupcu[pocetSloupcu] = {80, 30, 45, 50, 100};   // design widths
} // namespace

SeznamVysledku::SeznamVysledku(ResultListModel* model, SdileneRazeni* razeni, QWidget* parent)
    : QTableView(parent), model_(model), razeni_(razeni)
{
    setModel(model);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);   // Tab leaves the list, as in every other list
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    // Fixed-height rows: 1 000 000 rows scroll and grow without measuring one.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    nastavVyskuRadku();
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);     // sorting is the list's own, see ListView1ColumnClick
    setMouseTracking(true);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setHighlightSections(false);
    for (int i = 0; i < pocetSloupcu; ++i)
        setColumnWidth(i, sirkySloupcu[i]);
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int prvni, int posledni) { zmerVelikosti(prvni, posledni); });
    connect(model, &QAbstractItemModel::modelReset, this,
            [this] { zmerVelikosti(0, model_->rowCount() - 1); });
    connect(header(), &QHeaderView::sectionClicked, this,
            [this](int sloupec) { ListView1ColumnClick(sloupec); });
}

// One line of the list's font and a small margin, the height a tree view gives
// its uniform rows.
void SeznamVysledku::nastavVyskuRadku()
{
    const int vyska = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(vyska);
    verticalHeader()->setDefaultSectionSize(vyska);
}

void SeznamVysledku::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        nastavVyskuRadku();
        rozsirVelikost();
    }
}

// One pass over the arriving rows only: a batch of 10 000 takes some 20 us.
void SeznamVysledku::zmerVelikosti(int prvni, int posledni)
{
    for (int radek = prvni; radek <= posledni; ++radek)
        nejvetsi_ = std::max(nejvetsi_, model_->polozka(radek).velikost);
    rozsirVelikost();
}

// The text's advance plus the delegate's margin on either side (focus frame
// margin + 1) and one pixel the elision rounds away.
int SeznamVysledku::sirkaVelikosti() const
{
    const int okraj = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return fontMetrics().horizontalAdvance(QString::number(nejvetsi_)) + 2 * okraj + 1;
}

void SeznamVysledku::rozsirVelikost()
{
    const int sloupec = int(Sloupec::Velikost);
    if (columnWidth(sloupec) < sirkaVelikosti())
        setColumnWidth(sloupec, sirkaVelikosti());
}

void SeznamVysledku::nastavSirkuSloupce(int sloupec, int sirka)
{
    if (sloupec == int(Sloupec::Velikost))
        sirka = std::max(sirka, sirkaVelikosti());
    setColumnWidth(sloupec, sirka);
}

void SeznamVysledku::nastavSloupecRazeni(int sloupec)
{
    sloupecRazeni_ = static_cast<std::uint8_t>(sloupec);
}

void SeznamVysledku::ListView1ColumnClick(std::optional<int> sloupec)
{
    if (sloupec) {
        if (*sloupec == sloupecRazeni_)
            razeni_->RazeniVzestupne = !razeni_->RazeniVzestupne;
        else
            nastavSloupecRazeni(*sloupec);
        model_->sortuj(static_cast<Sloupec>(*sloupec), razeni_->RazeniVzestupne);
    }
    model_->nastavSipky(sloupec.value_or(-1), razeni_->RazeniVzestupne);
}

bool SeznamVysledku::ListView1KeyPress(QChar znak)
{
    const QModelIndex aktualni = currentIndex();
    const int pocet = model_->rowCount();
    if (!aktualni.isValid() || pocet == 0)
        return false;
    const QChar hledany = MalaAscii(znak);
    for (int krok = 1; krok < pocet; ++krok) {
        const int radek = (aktualni.row() + krok) % pocet;
        const QString nazev = textPolozky(model_->uloziste(), model_->polozka(radek), Sloupec::Nazev);
        if (nazev.isEmpty())
            continue;
        if (MalaAscii(nazev.at(0)) != hledany)
            continue;
        const QModelIndex cil = model_->index(radek, 0);
        selectionModel()->setCurrentIndex(cil, QItemSelectionModel::NoUpdate);
        scrollTo(cil);
        return true;
    }
    return false;
}

namespace {

// The row the focus goes to once the rows radky (ascending) are removed: the
// first remaining one from the current row on, else the last remaining one;
// as numbered after the removal. -1 when nothing remains.
int dalsiZbyvajiciRadek(const std::vector<int>& radky, int aktualni, int pocet)
{
    const auto odebranychPred = [&](int radek) {
        return int(std::lower_bound(radky.begin(), radky.end(), radek) - radky.begin());
    };
    const auto odebran = [&](int radek) { return std::binary_search(radky.begin(), radky.end(), radek); };
    for (int radek = std::max(aktualni, 0); radek < pocet; ++radek) {
        if (!odebran(radek))
            return radek - odebranychPred(radek);
    }
    const int zbyva = pocet - int(radky.size());
    return zbyva > 0 ? zbyva - 1 : -1;
}

} // namespace

void SeznamVysledku::z_nab_prycClick()
{
    if (model_->rowCount() == 0)
        return;
    const std::vector<int> radky = vybraneRadky();
    const int dalsi = dalsiZbyvajiciRadek(radky, currentIndex().row(), model_->rowCount());
    model_->odeberRadky(radky);
    if (dalsi >= 0)
        selectionModel()->setCurrentIndex(model_->index(dalsi, 0), QItemSelectionModel::NoUpdate);
    viewport()->update();
}

std::vector<int> SeznamVysledku::vybraneRadky() const
{
    std::vector<char> vybran(std::size_t(model_->rowCount()), 0);
    for (const QItemSelectionRange& r : selectionModel()->selection())
        for (int radek = r.top(); radek <= r.bottom(); ++radek)
            vybran[std::size_t(radek)] = 1;
    std::vector<int> radky;
    for (std::size_t i = 0; i < vybran.size(); ++i)
        if (vybran[i])
            radky.push_back(int(i));
    return radky;
}

// Qt replaces a selection by diffing the old and the new one range by range:
// after marking every sixth row by type (166 000 ranges in 1 000 000 rows)
// selecting all took minutes. Into an empty selection it takes no diff.
void SeznamVysledku::selectAll()
{
    selectionModel()->clearSelection();
    QTableView::selectAll();
}

std::int64_t SeznamVysledku::VelikostVybranych() const
{
    std::int64_t soucet = 0;
    for (int radek : vybraneRadky())
        soucet += model_->polozka(radek).velikost;
    return soucet;
}

void SeznamVysledku::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool prikaz = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!prikaz && text.size() == 1 && text.at(0).isPrint() && ListView1KeyPress(text.at(0))) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void SeznamVysledku::keyboardSearch(const QString&)
{
    // The first-letter search of ListView1KeyPress replaces Qt's incremental one.
}

void SeznamVysledku::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    emit vstup(this);
}

void SeznamVysledku::mouseMoveEvent(QMouseEvent* event)
{
    QTableView::mouseMoveEvent(event);
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    emit mysNad(this);
}

} // namespace zrc
