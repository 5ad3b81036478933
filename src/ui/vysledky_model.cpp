#include "ui/vysledky_model.h"

#include "engine/razeni.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QThreadPool>
#include <algorithm>
#include <memory>
#include <thread>

namespace zrc {

namespace {

const char* const nazvySloupcu[pocetSloupcu] = {"název", "typ", "datum", "velikost", "podadr"};

Qt::Alignment zarovnaniSloupce(int sloupec)
{
    const bool vpravo = sloupec >= 1 && sloupec <= 3;   // typ, datum, velikost
    return (vpravo ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

// The 16 x 16 header images: a triangle pointing down (ARROWDOWN) or up (ARROWUP).
QPixmap obrazekSipky(Sipka s)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(64, 64, 64));
    const QPolygonF dolu{QPointF(4, 6), QPointF(12, 6), QPointF(8, 11)};
    const QPolygonF nahoru{QPointF(4, 11), QPointF(12, 11), QPointF(8, 6)};
    painter.drawPolygon(s == Sipka::Dolu ? dolu : nahoru);
    return p;
}

// Below this many rows a sort takes a few milliseconds: not worth a thread. From
// here on each sort returns to the event loop while its thread works, so the
// final sort of the eight lists after a run is eight short blocks, not one long.
int prahVlaknaRazeni = 4000;

// The moved-from rows of a reordered list (1 000 000 of them: some 56 MB to
// walk and give back) are destroyed by the thread pool, not the window's thread.
void uvolniMimoVlakno(std::vector<Polozka>&& stare)
{
    if (stare.size() < std::size_t(prahVlaknaRazeni))
        return;
    auto kus = std::make_shared<std::vector<Polozka>>(std::move(stare));
    QThreadPool::globalInstance()->start([kus]() mutable { kus.reset(); });
}

const QPixmap& sipkaPixmap(Sipka s)
{
    static const QPixmap dolu = obrazekSipky(Sipka::Dolu);
    static const QPixmap nahoru = obrazekSipky(Sipka::Nahoru);
    return s == Sipka::Dolu ? dolu : nahoru;
}

} // namespace

ResultListModel::ResultListModel(UlozisteVysledku& uloziste, int cislo, QObject* parent)
    : QAbstractTableModel(parent), uloziste_(uloziste), cislo_(cislo)
{
}

const Polozka& ResultListModel::polozka(int radek) const
{
    return uloziste_.seznam(cislo_)[std::size_t(radek)];
}

int ResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(uloziste_.seznam(cislo_).size());
}

int ResultListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : pocetSloupcu;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return textPolozky(uloziste_, polozka(index.row()), static_cast<Sloupec>(index.column()));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(zarovnaniSloupce(index.column()));
    return {};
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= pocetSloupcu)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(nazvySloupcu[section]);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(zarovnaniSloupce(section));
    case Qt::DecorationRole:
        if (sipka(section) == Sipka::Zadna)
            return {};
        return sipkaPixmap(sipka(section));
    default:
        return {};
    }
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ResultListModel::pridej(std::span<const NalezenySoubor> soubory)
{
    if (soubory.empty())
        return;
    const int prvni = rowCount();
    beginInsertRows({}, prvni, prvni + int(soubory.size()) - 1);
    for (const NalezenySoubor& s : soubory)
        uloziste_.pridej(cislo_, s);
    endInsertRows();
}

void ResultListModel::odeberRadky(std::vector<int> radky)
{
    std::sort(radky.begin(), radky.end());
    radky.erase(std::unique(radky.begin(), radky.end()), radky.end());
    std::erase_if(radky, [this](int r) { return r < 0 || r >= rowCount(); });
    if (radky.empty())
        return;
    int rozsahu = 1;
    for (std::size_t i = 1; i < radky.size(); ++i)
        rozsahu += radky[i] != radky[i - 1] + 1;
    // Each range removal shifts the tail of the vector; past a few dozen scattered
    // ranges one compaction with a reset is cheaper than many shifts.
    if (rozsahu <= 32)
        odeberRozsahy(radky);
    else
        odeberPresReset(radky);
}

int ResultListModel::odeberProtejsek(const Polozka& vzor)
{
    const std::vector<int> radky = RadkyProtejsku(uloziste_, cislo_, std::span(&vzor, 1));
    if (radky.empty())
        return -1;
    odeberRadky(radky);
    return radky.front();
}

int ResultListModel::odeberProtejsky(std::span<const Polozka> vzory)
{
    std::vector<int> radky = RadkyProtejsku(uloziste_, cislo_, vzory);
    const int pocet = int(radky.size());
    odeberRadky(std::move(radky));
    return pocet;
}

void ResultListModel::odeberRozsahy(const std::vector<int>& radky)
{
    ++zmena_;
    auto& seznam = uloziste_.seznam(cislo_);
    std::size_t konec = radky.size();
    while (konec > 0) {
        std::size_t zacatek = konec - 1;
        while (zacatek > 0 && radky[zacatek - 1] + 1 == radky[zacatek])
            --zacatek;
        const int prvni = radky[zacatek];
        const int posledni = radky[konec - 1];
        beginRemoveRows({}, prvni, posledni);
        seznam.erase(seznam.begin() + prvni, seznam.begin() + posledni + 1);
        endRemoveRows();
        konec = zacatek;
    }
}

void ResultListModel::odeberPresReset(const std::vector<int>& radky)
{
    ++zmena_;
    auto& seznam = uloziste_.seznam(cislo_);
    std::vector<bool> odebrat(seznam.size(), false);
    for (int r : radky)
        odebrat[std::size_t(r)] = true;
    beginResetModel();
    std::size_t cil = 0;
    for (std::size_t i = 0; i < seznam.size(); ++i)
        if (!odebrat[i])
            seznam[cil++] = std::move(seznam[i]);
    seznam.resize(cil);
    endResetModel();
}

int ResultListModel::prahVlakna()
{
    return prahVlaknaRazeni;
}

void ResultListModel::nastavPrahVlakna(int radku)
{
    prahVlaknaRazeni = radku;
}

void ResultListModel::sortuj(Sloupec sloupec, bool vzestupne)
{
    const auto& seznam = uloziste_.seznam(cislo_);
    if (seznam.size() < 2)
        return;
    if (int(seznam.size()) < prahVlaknaRazeni) {
        preskup(poradiRazeni(uloziste_, seznam, sloupec, vzestupne));
        return;
    }
    std::uint64_t zmena = 0;
    QPointer<ResultListModel> ja(this);
    const std::vector<int> poradi = poradiMimoVlakno(sloupec, vzestupne, zmena);
    // Gone with its window, or rows removed meanwhile: the order no longer fits.
    if (ja && zmena == zmena_)
        preskup(poradi);
}

// The order of the current rows, computed on another thread from a copy of the
// column while this thread runs its event loop without user input: it repaints,
// takes batches of a running comparison and answers its timers. The copy itself
// is taken in steps of 100 000 rows (a few milliseconds each) with the event
// loop between them; a removal meanwhile ends the sort.
std::vector<int> ResultListModel::poradiMimoVlakno(Sloupec sloupec, bool vzestupne, std::uint64_t& zmena)
{
    constexpr std::size_t krok = 100000;
    zmena = zmena_;
    const std::size_t radku = uloziste_.seznam(cislo_).size();
    PodkladRazeni podklad;
    podklad.sloupec = sloupec;
    QPointer<ResultListModel> ja(this);
    for (std::size_t od = 0; od < radku; od += krok) {
        if (od > 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!ja || zmena != zmena_)
            return {};
        const std::span<const Polozka> seznam(uloziste_.seznam(cislo_));
        pridejDoPodkladu(podklad, uloziste_, seznam.subspan(od, std::min(krok, radku - od)));
    }
    std::vector<int> poradi;
    QEventLoop smycka;
    std::thread vlakno([&] {
        poradi = poradiRazeni(podklad, vzestupne);
        podklad = PodkladRazeni{};   // its memory is given back here, not on the window's thread
        QMetaObject::invokeMethod(&smycka, &QEventLoop::quit, Qt::QueuedConnection);
    });
    smycka.exec(QEventLoop::ExcludeUserInputEvents);
    vlakno.join();
    return poradi;
}

// Puts the first poradi.size() rows in the given order; rows after them (added
// while the order was computed) keep their places.
void ResultListModel::preskup(const std::vector<int>& poradi)
{
    auto& seznam = uloziste_.seznam(cislo_);
    ++zmena_;   // a sort still waiting for its order (a nested one) must not apply it now
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Polozka> nove;
    nove.reserve(seznam.size());
    std::vector<int> novyRadek(seznam.size());
    // The rows are gathered in random order: fetching a few ahead keeps several
    // cache misses under way at once (1 000 000 rows: about a third of the time).
    constexpr std::size_t predem = 16;
    for (std::size_t i = 0; i < poradi.size(); ++i) {
        if (i + predem < poradi.size())
            __builtin_prefetch(&seznam[std::size_t(poradi[i + predem])]);
        nove.push_back(std::move(seznam[std::size_t(poradi[i])]));
        novyRadek[std::size_t(poradi[i])] = int(i);
    }
    for (std::size_t i = poradi.size(); i < seznam.size(); ++i) {
        nove.push_back(std::move(seznam[i]));
        novyRadek[i] = int(i);
    }
    seznam.swap(nove);
    uvolniMimoVlakno(std::move(nove));
    const QModelIndexList stare = persistentIndexList();
    QModelIndexList nova;
    nova.reserve(stare.size());
    for (const QModelIndex& i : stare)
        nova.push_back(index(novyRadek[std::size_t(i.row())], i.column()));
    changePersistentIndexList(stare, nova);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultListModel::nastavSipky(int sloupec, bool vzestupne)
{
    sloupecSipky_ = sloupec;
    sipkaVzestupne_ = vzestupne;
    emit headerDataChanged(Qt::Horizontal, 0, pocetSloupcu - 1);
}

Sipka ResultListModel::sipka(int sloupec) const
{
    if (sloupecSipky_ < 0 || sloupec != sloupecSipky_)
        return Sipka::Zadna;
    return sipkaVzestupne_ ? Sipka::Dolu : Sipka::Nahoru;
}

void ResultListModel::zacniVymazani()
{
    ++zmena_;
    beginResetModel();
}

void ResultListModel::ukonciVymazani()
{
    endResetModel();
}

} // namespace zrc
