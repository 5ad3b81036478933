#include "ui/vysledky_model.h"

#include "engine/razeni.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <algorithm>
#include <functional>
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
// The steps in which a long list's column is copied and its rows gathered.
constexpr std::size_t krokRazeni = 100000;

// Appends the rows of seznam in the order of poradi. The rows are read in
// random order: fetching a few ahead keeps several cache misses under way at
// once (1 000 000 rows: about a third of the time).
void pridejVPoradi(std::vector<Polozka>& cil, const std::vector<Polozka>& seznam, std::span<const int> poradi)
{
    constexpr std::size_t predem = 16;
    for (std::size_t i = 0; i < poradi.size(); ++i) {
        if (i + predem < poradi.size())
            __builtin_prefetch(&seznam[std::size_t(poradi[i + predem])]);
        cil.push_back(seznam[std::size_t(poradi[i])]);
    }
}

// novyRadek[r]: where old row r goes.
std::vector<int> inverze(const std::vector<int>& poradi)
{
    std::vector<int> novyRadek(poradi.size());
    for (std::size_t i = 0; i < poradi.size(); ++i)
        novyRadek[std::size_t(poradi[i])] = int(i);
    return novyRadek;
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
    Preskupeni p;
    if (int(seznam.size()) < prahVlaknaRazeni) {
        p.poradi = poradiRazeni(uloziste_, seznam, sloupec, vzestupne);
        p.novyRadek = inverze(p.poradi);
        p.radky.reserve(seznam.size());
        pridejVPoradi(p.radky, seznam, p.poradi);
        preskup(std::move(p));
        return;
    }
    const std::uint64_t zmena = zmena_;
    QPointer<ResultListModel> ja(this);
    const auto plati = [&] { return ja && zmena == zmena_; };
    // Gone with its window, or rows removed meanwhile: the order no longer fits.
    if (!poradiMimoVlakno(p, sloupec, vzestupne, plati) || !seberRadky(p, plati))
        return;
    preskup(std::move(p));
}

// The order of the current rows, computed on another thread from a copy of the
// column while this thread runs its event loop without user input: it repaints,
// takes batches of a running comparison and answers its timers. The copy itself
// is taken in steps of 100 000 rows (a few milliseconds each) with the event
// loop between them; a removal meanwhile ends the sort (false).
bool ResultListModel::poradiMimoVlakno(Preskupeni& p, Sloupec sloupec, bool vzestupne,
                                       const std::function<bool()>& plati)
{
    const std::size_t radku = uloziste_.seznam(cislo_).size();
    PodkladRazeni podklad;
    podklad.sloupec = sloupec;
    for (std::size_t od = 0; od < radku; od += krokRazeni) {
        if (od > 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!plati())
            return false;
        const std::span<const Polozka> seznam(uloziste_.seznam(cislo_));
        pridejDoPodkladu(podklad, uloziste_, seznam.subspan(od, std::min(krokRazeni, radku - od)));
    }
    QEventLoop smycka;
    std::thread vlakno([&] {
        p.poradi = poradiRazeni(podklad, vzestupne);
        p.novyRadek = inverze(p.poradi);
        podklad = PodkladRazeni{};   // its memory is given back here, not on the window's thread
        QMetaObject::invokeMethod(&smycka, &QEventLoop::quit, Qt::QueuedConnection);
    });
    smycka.exec(QEventLoop::ExcludeUserInputEvents);
    vlakno.join();
    return plati();
}

// The rows in their new order, gathered in steps of 100 000 with the event
// loop between them: at 1 000 000 rows the whole gather kept the window's
// thread 30-130 ms. The list itself is untouched until preskup(); rows that
// arrive meanwhile are appended to it, a removal ends the sort (false).
bool ResultListModel::seberRadky(Preskupeni& p, const std::function<bool()>& plati)
{
    p.radky.reserve(uloziste_.seznam(cislo_).size());
    for (std::size_t od = 0; od < p.poradi.size(); od += krokRazeni) {
        if (od > 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!plati())
            return false;
        const std::span<const int> dalsi(p.poradi.data() + od, std::min(krokRazeni, p.poradi.size() - od));
        pridejVPoradi(p.radky, uloziste_.seznam(cislo_), dalsi);
    }
    return true;
}

// Puts the gathered rows in place of the first p.radky.size() rows; rows after
// them (added while the order was computed) keep their places.
void ResultListModel::preskup(Preskupeni p)
{
    auto& seznam = uloziste_.seznam(cislo_);
    ++zmena_;   // a sort still waiting for its order (a nested one) must not apply it now
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    p.radky.insert(p.radky.end(), seznam.begin() + std::ptrdiff_t(p.radky.size()), seznam.end());
    seznam.swap(p.radky);
    const QModelIndexList stare = persistentIndexList();
    QModelIndexList nova;
    nova.reserve(stare.size());
    for (const QModelIndex& i : stare) {
        const auto r = std::size_t(i.row());
        nova.push_back(index(r < p.novyRadek.size() ? p.novyRadek[r] : i.row(), i.column()));
    }
    changePersistentIndexList(stare, nova);
    emit preskupeno(p.novyRadek);
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
