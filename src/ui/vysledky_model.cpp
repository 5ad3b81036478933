#include "ui/vysledky_model.h"

#include "engine/razeni.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

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

void ResultListModel::sortuj(Sloupec sloupec, bool vzestupne)
{
    auto& seznam = uloziste_.seznam(cislo_);
    if (seznam.size() < 2)
        return;
    const std::vector<int> poradi = poradiRazeni(uloziste_, seznam, sloupec, vzestupne);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Polozka> nove;
    nove.reserve(seznam.size());
    std::vector<int> novyRadek(seznam.size());
    for (std::size_t i = 0; i < poradi.size(); ++i) {
        nove.push_back(std::move(seznam[std::size_t(poradi[i])]));
        novyRadek[std::size_t(poradi[i])] = int(i);
    }
    seznam = std::move(nove);
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
    beginResetModel();
}

void ResultListModel::ukonciVymazani()
{
    endResetModel();
}

} // namespace zrc
