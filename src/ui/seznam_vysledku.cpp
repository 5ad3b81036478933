#include "ui/seznam_vysledku.h"

#include "util/ascii.h"

#include <algorithm>

#include <QApplication>
#include <QDrag>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace zrc {

namespace {
constexpr int sirkySloupcu[pocetSloupcu] = {80, 30, 45, 50, 100};   // design widths

// Paints a marked row as the table view paints a selected one: the view asks
// the base selection model, which holds nothing (see VyberRadku), so the row's
// panel and the cell are drawn here with the selected state.
class DelegatOznaceni : public QStyledItemDelegate {
public:
    DelegatOznaceni(const VyberRadku* vyber, QObject* parent) : QStyledItemDelegate(parent), vyber_(vyber) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!vyber_->oznacen(index.row())) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem o = option;
        o.state |= QStyle::State_Selected;
        QStyle* styl = o.widget ? o.widget->style() : QApplication::style();
        styl->drawPrimitive(QStyle::PE_PanelItemViewRow, &o, painter, o.widget);
        QStyledItemDelegate::paint(painter, o, index);
    }

private:
    const VyberRadku* vyber_;
};

} // namespace

SeznamVysledku::SeznamVysledku(ResultListModel* model, SdileneRazeni* razeni, QWidget* parent)
    : QTableView(parent), model_(model), vyber_(new VyberRadku(model, this)), razeni_(razeni)
{
    setModel(model);
    QItemSelectionModel* vychozi = QTableView::selectionModel();
    setSelectionModel(vyber_);
    delete vychozi;
    setItemDelegate(new DelegatOznaceni(vyber_, this));
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
    return vyber_->radky();
}

QModelIndexList SeznamVysledku::selectedIndexes() const
{
    QModelIndexList v;
    for (int radek : vyber_->radky())
        for (int sloupec = 0; sloupec < pocetSloupcu; ++sloupec)
            v.push_back(model_->index(radek, sloupec));
    return v;
}

// Clear, then every row: the same two steps as when Qt's ranges held the
// selection (into an empty selection Qt took no diff of 166 000 ranges).
void SeznamVysledku::selectAll()
{
    vyber_->clearSelection();
    QTableView::selectAll();
}

std::int64_t SeznamVysledku::VelikostVybranych() const
{
    std::int64_t soucet = 0;
    for (int radek = 0; radek < model_->rowCount(); ++radek)
        if (vyber_->oznacen(radek))
            soucet += model_->polozka(radek).velikost;
    return soucet;
}

// Qt's choices for a mouse press and release ask the base selection model
// whether the row is selected, and it holds nothing: the choices that depend
// on it are made here with the row's mark.
QItemSelectionModel::SelectionFlags SeznamVysledku::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const
{
    QItemSelectionModel::SelectionFlags prikaz = QTableView::selectionCommand(index, event);
    if (!event || selectionMode() != ExtendedSelection)
        return prikaz;
    const auto typ = event->type();
    if (typ != QEvent::MouseButtonPress && typ != QEvent::MouseButtonRelease && typ != QEvent::MouseMove)
        return prikaz;
    const auto* mys = static_cast<const QMouseEvent*>(event);
    const bool shift = mys->modifiers() & Qt::ShiftModifier;
    const bool ctrl = mys->modifiers() & Qt::ControlModifier;
    const bool vpravo = mys->button() & Qt::RightButton;
    const bool oznacen = index.isValid() && vyber_->oznacen(index.row());
    if (typ == QEvent::MouseButtonPress) {
        // A plain press on a marked row changes nothing yet: the release decides
        // (a drag of the marked rows could start).
        if (oznacen && !shift && !ctrl)
            return QItemSelectionModel::NoUpdate;
        // Ctrl-press: unmark a marked row, mark another one.
        if (prikaz & QItemSelectionModel::Toggle) {
            tazeniCtrl_ = oznacen ? QItemSelectionModel::Deselect : QItemSelectionModel::Select;
            return (prikaz & ~QItemSelectionModel::Toggle) | tazeniCtrl_;
        }
        return prikaz;
    }
    if (typ == QEvent::MouseButtonRelease) {
        // The release after a plain press on a marked row selects that row alone.
        if (oznacen && index == stisknuty_ && state() != DragSelectingState && !shift && !ctrl && !vpravo)
            return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
        return prikaz;
    }
    if (tazeniCtrl_ != QItemSelectionModel::NoUpdate && (prikaz & QItemSelectionModel::Toggle))
        return (prikaz & ~QItemSelectionModel::Toggle) | tazeniCtrl_;
    return prikaz;
}

void SeznamVysledku::mousePressEvent(QMouseEvent* event)
{
    stisknuty_ = indexAt(event->position().toPoint());
    mistoStisku_ = event->position().toPoint();
    tahOznacenych_ = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
                     stisknuty_.isValid() && vyber_->oznacen(stisknuty_.row());
    tazeniCtrl_ = QItemSelectionModel::NoUpdate;
    QTableView::mousePressEvent(event);
}

void SeznamVysledku::mouseReleaseEvent(QMouseEvent* event)
{
    tahOznacenych_ = false;
    QTableView::mouseReleaseEvent(event);
    tazeniCtrl_ = QItemSelectionModel::NoUpdate;
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

// A list moves by rows: Home and End go to its first and last row, as in Qt's
// list and tree views. The table view would move between the columns of the
// current row, which shows nothing when whole rows are marked. Ctrl+Home and
// Ctrl+End do the same; Ctrl only keeps the marks as they are.
QModelIndex SeznamVysledku::moveCursor(CursorAction akce, Qt::KeyboardModifiers modifikatory)
{
    const int radku = model_->rowCount();
    if ((akce != MoveHome && akce != MoveEnd) || radku == 0)
        return QTableView::moveCursor(akce, modifikatory);
    const int sloupec = std::max(currentIndex().column(), 0);
    return model_->index(akce == MoveHome ? 0 : radku - 1, sloupec);
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

void SeznamVysledku::tahniOznacene()
{
    tahOznacenych_ = false;
    QModelIndexList radky;
    for (int r : vyber_->radky())
        radky << model_->index(r, 0);
    auto* tah = new QDrag(this);
    tah->setMimeData(model_->mimeData(radky));
    tah->exec(Qt::CopyAction);
}

void SeznamVysledku::mouseMoveEvent(QMouseEvent* event)
{
    if (tahOznacenych_ && (event->buttons() & Qt::LeftButton)) {
        if ((event->position().toPoint() - mistoStisku_).manhattanLength() >= QApplication::startDragDistance())
            tahniOznacene();
        return;
    }
    QTableView::mouseMoveEvent(event);
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    emit mysNad(this);
}

} // namespace zrc
