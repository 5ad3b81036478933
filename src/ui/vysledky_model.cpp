#include "ui/vysledky_model.h"
#include "ui/spoustec.h"

#include <QMimeData>

#include "engine/razeni.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <algorithm>
#include <atomic>
#include <mutex>
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

// One sort computes at a time: the end of a run starts the sorts of all eight
// lists at once, and eight threads (sixteen with the halves of a name sort) on
// two cores kept the window's thread from a core for up to 0.9 s.
std::mutex razeniNaRade;

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

// A sort under way: its column, the copy of it, and the rows in their new order.
struct ResultListModel::Uloha {
    Sloupec sloupec = Sloupec::Nazev;
    bool vzestupne = false;
    std::uint64_t zmena = 0;    // zmena_ when the copy began
    std::size_t radku = 0;      // rows to sort: those of the list at the start
    std::size_t od = 0;         // the next row to copy or gather
    PodkladRazeni podklad;
    Preskupeni p;
    std::atomic<bool> zrusena{false};   // replaced or dropped: its thread need not compute
};

ResultListModel::ResultListModel(UlozisteVysledku& uloziste, int cislo, QObject* parent)
    : QAbstractTableModel(parent), uloziste_(uloziste), cislo_(cislo)
{
}

ResultListModel::~ResultListModel()
{
    zrusUlohu();
    for (auto& v : vlakna_)
        v.first.join();
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
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QStringList ResultListModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list"), QStringLiteral("text/plain")};
}

QMimeData* ResultListModel::mimeData(const QModelIndexList& indexes) const
{
    std::vector<int> radky;
    for (const QModelIndex& i : indexes)
        if (i.isValid() && i.model() == this)
            radky.push_back(i.row());
    std::sort(radky.begin(), radky.end());
    radky.erase(std::unique(radky.begin(), radky.end()), radky.end());
    QList<QUrl> urls;
    QByteArray text;
    for (int r : radky) {
        const std::string cesta = plnaCesta(uloziste_, cislo_, polozka(r));
        urls << urlSouboru(cesta);
        text += QByteArray::fromStdString(cesta) + '\n';
    }
    auto* data = new QMimeData;
    data->setUrls(urls);
    // The bytes themselves: setText would replace a name that is not UTF-8.
    data->setData(QStringLiteral("text/plain"), text);
    return data;
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
    zrusUlohu();   // a sort still under way is replaced
    const auto& seznam = uloziste_.seznam(cislo_);
    if (seznam.size() < 2)
        return;
    if (int(seznam.size()) >= prahVlaknaRazeni) {
        auto u = std::make_shared<Uloha>();
        u->sloupec = sloupec;
        u->vzestupne = vzestupne;
        uloha_ = u;
        zacniUlohu(u);
        return;
    }
    Preskupeni p;
    p.poradi = poradiRazeni(uloziste_, seznam, sloupec, vzestupne);
    p.novyRadek = inverze(p.poradi);
    p.radky.reserve(seznam.size());
    pridejVPoradi(p.radky, seznam, p.poradi);
    preskup(std::move(p));
}

void ResultListModel::zrusUlohu()
{
    if (uloha_)
        uloha_->zrusena.store(true, std::memory_order_relaxed);
    uloha_.reset();
}

// The rows of the list when the sort (or its new start) began are sorted; rows
// added later stay after them.
void ResultListModel::zacniUlohu(const std::shared_ptr<Uloha>& u)
{
    u->zmena = zmena_;
    u->radku = uloziste_.seznam(cislo_).size();
    u->od = 0;
    u->podklad = PodkladRazeni{};
    u->podklad.sloupec = u->sloupec;
    u->p = Preskupeni{};
    kopiruj(u);
}

// The sort still stands: no newer one replaced it, and no removal changed the
// rows it reads (then it begins again).
bool ResultListModel::aktualni(const std::shared_ptr<Uloha>& u)
{
    if (u != uloha_)
        return false;
    if (u->zmena == zmena_)
        return true;
    zacniUlohu(u);
    return false;
}

void ResultListModel::kopiruj(const std::shared_ptr<Uloha>& u)
{
    const std::span<const Polozka> seznam(uloziste_.seznam(cislo_));
    const std::size_t pocet = std::min(krokRazeni, u->radku - u->od);
    pridejDoPodkladu(u->podklad, uloziste_, seznam.subspan(u->od, pocet));
    u->od += pocet;
    if (u->od < u->radku) {
        QMetaObject::invokeMethod(this, [this, u] { if (aktualni(u)) kopiruj(u); }, Qt::QueuedConnection);
        return;
    }
    spustVlakno(u);
}

// The thread reads only the copy of the column; the model outlives it, as its
// destructor joins every thread, so the result can be posted to it.
void ResultListModel::spustVlakno(const std::shared_ptr<Uloha>& u)
{
    std::erase_if(vlakna_, [](auto& v) {
        if (!v.second->load(std::memory_order_acquire))
            return false;
        v.first.join();
        return true;
    });
    auto hotovo = std::make_shared<std::atomic<bool>>(false);
    std::thread t([this, u, hotovo] {
        if (const std::lock_guard naRade(razeniNaRade); !u->zrusena.load(std::memory_order_relaxed)) {
            u->p.poradi = poradiRazeni(u->podklad, u->vzestupne);
            u->p.novyRadek = inverze(u->p.poradi);
        }
        u->podklad = PodkladRazeni{};   // its memory is given back here, not on the window's thread
        QMetaObject::invokeMethod(this, [this, u] {
            if (aktualni(u)) {
                u->od = 0;
                u->p.radky.reserve(uloziste_.seznam(cislo_).size());
                seber(u);
            }
        }, Qt::QueuedConnection);
        hotovo->store(true, std::memory_order_release);
    });
    vlakna_.emplace_back(std::move(t), std::move(hotovo));
}

// The rows in their new order, gathered in steps: at 1 000 000 rows the whole
// gather kept the window's thread 30-130 ms. The list itself is untouched
// until preskup().
void ResultListModel::seber(const std::shared_ptr<Uloha>& u)
{
    const std::size_t pocet = std::min(krokRazeni, u->p.poradi.size() - u->od);
    pridejVPoradi(u->p.radky, uloziste_.seznam(cislo_), std::span<const int>(u->p.poradi.data() + u->od, pocet));
    u->od += pocet;
    if (u->od < u->p.poradi.size()) {
        QMetaObject::invokeMethod(this, [this, u] { if (aktualni(u)) seber(u); }, Qt::QueuedConnection);
        return;
    }
    uloha_.reset();
    preskup(std::move(u->p));
    emit serazeno();
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
    zrusUlohu();
    ++zmena_;
    beginResetModel();
}

void ResultListModel::ukonciVymazani()
{
    endResetModel();
}

} // namespace zrc
