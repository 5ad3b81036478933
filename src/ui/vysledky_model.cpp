#include "ui/vysledky_model.h"

#include <QCollator>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <numeric>
#include <unordered_map>

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

QCollator collatorRazeni()
{
    // The user's locale, case-sensitive, digits as text ("1000" before "999").
    // Under the C locale a language collation still beats code-point order:
    // "č" sorts next to "c", not after "z".
    QLocale jazyk;
    if (jazyk.language() == QLocale::C)
        jazyk = QLocale(QLocale::English);
    QCollator collator(jazyk);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    return collator;
}

// Ranks of the distinct texts: equal collation keys share a rank.
std::vector<int> rankyKlicu(const std::vector<QCollatorSortKey>& klice, int& pocetRanku)
{
    std::vector<int> poradi(klice.size());
    std::iota(poradi.begin(), poradi.end(), 0);
    std::stable_sort(poradi.begin(), poradi.end(),
                     [&](int a, int b) { return klice[a].compare(klice[b]) < 0; });
    std::vector<int> rank(klice.size());
    int r = -1;
    for (std::size_t i = 0; i < poradi.size(); ++i) {
        if (i == 0 || klice[poradi[i - 1]].compare(klice[poradi[i]]) != 0)
            ++r;
        rank[poradi[i]] = r;
    }
    pocetRanku = r + 1;
    return rank;
}

// Rows grouped by a cheap identity of their text (the raw name bytes, the
// directory index, the size), so that each distinct text is formatted and given
// its collation key once: "typ" and "podadr" hold a few hundred distinct texts
// among 200 000 rows.
struct Skupiny {
    std::vector<int> radkyNaSkupinu;
    std::vector<const Polozka*> vzory;   // one row of each group
};

// Grouping by sorting suits columns of mostly distinct texts (names, sizes): it
// also creates the keys in nearly their final order, so the merge sort of the
// keys reads them mostly in sequence; with 200 000 names that rank step is
// several times faster than after grouping in hash order.
template <typename Klic, typename KlicFn>
Skupiny seskupTridenim(const std::vector<Polozka>& seznam, KlicFn klicRadku)
{
    std::vector<std::pair<Klic, int>> podleKlice;
    podleKlice.reserve(seznam.size());
    for (std::size_t i = 0; i < seznam.size(); ++i)
        podleKlice.emplace_back(klicRadku(seznam[i]), int(i));
    std::sort(podleKlice.begin(), podleKlice.end());
    Skupiny g{std::vector<int>(seznam.size()), {}};
    for (std::size_t i = 0; i < podleKlice.size(); ++i) {
        if (i == 0 || podleKlice[i - 1].first != podleKlice[i].first)
            g.vzory.push_back(&seznam[std::size_t(podleKlice[i].second)]);
        g.radkyNaSkupinu[std::size_t(podleKlice[i].second)] = int(g.vzory.size()) - 1;
    }
    return g;
}

// Hashing suits columns of few distinct texts (types, directories): one lookup
// per row and no sort of 200 000 mostly equal keys.
template <typename Klic, typename KlicFn>
Skupiny seskupHashem(const std::vector<Polozka>& seznam, KlicFn klicRadku)
{
    std::unordered_map<Klic, int> skupina;
    Skupiny g{std::vector<int>(seznam.size()), {}};
    for (std::size_t i = 0; i < seznam.size(); ++i) {
        auto [it, nova] = skupina.try_emplace(klicRadku(seznam[i]), int(g.vzory.size()));
        if (nova)
            g.vzory.push_back(&seznam[i]);
        g.radkyNaSkupinu[i] = it->second;
    }
    return g;
}

// Rank of every row's text from the collation keys of the groups.
template <typename TextFn>
std::vector<int> rankySkupin(Skupiny g, TextFn text, int& pocetRanku)
{
    const QCollator collator = collatorRazeni();
    std::vector<QCollatorSortKey> klice;
    klice.reserve(g.vzory.size());
    for (const Polozka* p : g.vzory)
        klice.push_back(collator.sortKey(text(*p)));
    const std::vector<int> rank = rankyKlicu(klice, pocetRanku);
    for (int& r : g.radkyNaSkupinu)
        r = rank[std::size_t(r)];
    return std::move(g.radkyNaSkupinu);
}

// "datum" has one fixed format, in which text order is time order (the date
// alone at midnight is a prefix of that day's other texts and sorts first), so
// the packed time orders the rows without formatting a single text.
std::vector<int> rankyCasu(const std::vector<Polozka>& seznam, int& pocetRanku)
{
    std::vector<BalenyCas> casy;
    casy.reserve(seznam.size());
    for (const Polozka& p : seznam)
        casy.push_back(p.cas);
    std::sort(casy.begin(), casy.end());
    casy.erase(std::unique(casy.begin(), casy.end()), casy.end());
    pocetRanku = int(casy.size());
    std::vector<int> ranky(seznam.size());
    for (std::size_t i = 0; i < seznam.size(); ++i)
        ranky[i] = int(std::lower_bound(casy.begin(), casy.end(), seznam[i].cas) - casy.begin());
    return ranky;
}

std::vector<int> rankyTextu(const UlozisteVysledku& u, const std::vector<Polozka>& seznam,
                            Sloupec sloupec, int& pocetRanku)
{
    using Bajty = std::string_view;
    const auto text = [&u, sloupec](const Polozka& p) { return textPolozky(u, p, sloupec); };
    const auto velikost = [](const Polozka& p) { return p.velikost; };
    const auto adresar = [](const Polozka& p) { return p.podadresar; };
    switch (sloupec) {
    case Sloupec::Nazev:
        return rankySkupin(seskupTridenim<Bajty>(seznam, nazevPolozky), text, pocetRanku);
    case Sloupec::Typ:
        return rankySkupin(seskupHashem<Bajty>(seznam, typPolozky), text, pocetRanku);
    case Sloupec::Velikost:
        return rankySkupin(seskupTridenim<std::int64_t>(seznam, velikost), text, pocetRanku);
    case Sloupec::Podadr:
        return rankySkupin(seskupHashem<std::uint32_t>(seznam, adresar), text, pocetRanku);
    case Sloupec::Datum:
        break;
    }
    return rankyCasu(seznam, pocetRanku);
}

} // namespace

std::vector<int> poradiRazeni(const UlozisteVysledku& u, const std::vector<Polozka>& seznam,
                              Sloupec sloupec, bool vzestupne)
{
    int pocetRanku = 0;
    std::vector<int> ranky = rankyTextu(u, seznam, sloupec, pocetRanku);
    if (!vzestupne)
        for (int& r : ranky)
            r = pocetRanku - 1 - r;
    // Stable counting sort by rank: O(rows + distinct texts).
    std::vector<int> zacatky(pocetRanku + 1, 0);
    for (int r : ranky)
        ++zacatky[r + 1];
    std::partial_sum(zacatky.begin(), zacatky.end(), zacatky.begin());
    std::vector<int> poradi(seznam.size());
    for (std::size_t i = 0; i < ranky.size(); ++i)
        poradi[zacatky[ranky[i]]++] = int(i);
    return poradi;
}

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
