#include "ui/vyber_radku.h"

#include "ui/vysledky_model.h"

#include <QSignalBlocker>
#include <algorithm>
#include <climits>

namespace zrc {

namespace {

// Whether a row shows as marked, by Qt's rules for the two layers: the
// gesture's command decides for the rows of its layer, Deselect before Toggle
// before Select.
std::uint8_t vysledek(std::uint8_t zaklad, bool vGestu, QItemSelectionModel::SelectionFlags prikaz)
{
    if (!vGestu)
        return zaklad;
    if (prikaz & QItemSelectionModel::Deselect)
        return 0;
    if (prikaz & QItemSelectionModel::Toggle)
        return !zaklad;
    if (prikaz & QItemSelectionModel::Select)
        return 1;
    return zaklad;
}

// Sorts the runs and joins those that overlap or touch.
std::vector<std::pair<int, int>> spoj(std::vector<std::pair<int, int>> useky)
{
    std::sort(useky.begin(), useky.end());
    std::vector<std::pair<int, int>> vysledek;
    for (const auto& u : useky) {
        if (!vysledek.empty() && u.first <= vysledek.back().second + 1)
            vysledek.back().second = std::max(vysledek.back().second, u.second);
        else
            vysledek.push_back(u);
    }
    return vysledek;
}

} // namespace

VyberRadku::VyberRadku(ResultListModel* model, QObject* parent)
    : QItemSelectionModel(model, parent),
      zaklad_(std::size_t(model->rowCount()), 0),
      stav_(std::size_t(model->rowCount()), 0)
{
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex& rodic, int prvni, int posledni) {
                if (!rodic.isValid())
                    vlozeny(prvni, posledni);
            });
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex& rodic, int prvni, int posledni) {
                if (!rodic.isValid())
                    odebrany(prvni, posledni);
            });
    connect(model, &ResultListModel::preskupeno, this, &VyberRadku::preskupeny);
    // The platform's accessibility says when a screen reader comes or goes.
    asistence_ = QAccessible::isActive();
    QAccessible::installActivationObserver(this);
}

VyberRadku::~VyberRadku()
{
    QAccessible::removeActivationObserver(this);
}

// A screen reader that starts listening finds the marks already made.
void VyberRadku::accessibilityActiveChanged(bool aktivni)
{
    asistence_ = aktivni;
    const QSignalBlocker ticho(this);
    if (aktivni)
        zrcadliProAsistenci();
    else if (model())
        QItemSelectionModel::select(QItemSelection(), Clear);
}

// The marks copied into the base class for Qt's accessible table (see the
// header). Insertions, removals and sorts move Qt's ranges by themselves; the
// view heard of the change from prepocitej already, so the copy stays quiet.
void VyberRadku::zrcadliProAsistenci()
{
    if (!asistence_ || !model())   // a list outliving its model, at the end
        return;
    const QSignalBlocker ticho(this);
    QItemSelectionModel::select(selection(), ClearAndSelect);
}

std::vector<int> VyberRadku::radky() const
{
    std::vector<int> v;
    v.reserve(std::size_t(pocet_));
    for (std::size_t i = 0; i < stav_.size(); ++i)
        if (stav_[i])
            v.push_back(int(i));
    return v;
}

QModelIndexList VyberRadku::selectedRows(int sloupec) const
{
    QModelIndexList v;
    for (int r : radky())
        v.push_back(model()->index(r, sloupec));
    return v;
}

QItemSelection VyberRadku::selection() const
{
    QItemSelection v;
    const int posledniSloupec = model()->columnCount() - 1;
    for (int r = 0; r < radku();) {
        if (!stav_[std::size_t(r)]) {
            ++r;
            continue;
        }
        int po = r;
        while (po + 1 < radku() && stav_[std::size_t(po + 1)])
            ++po;
        v.append(QItemSelectionRange(model()->index(r, 0), model()->index(po, posledniSloupec)));
        r = po + 1;
    }
    return v;
}

void VyberRadku::vyberRadky(std::span<const int> radky, SelectionFlags prikaz)
{
    Useky useky;
    for (int r : radky) {
        if (r < 0 || r >= radku())
            continue;
        if (!useky.empty() && useky.back().second + 1 == r)
            useky.back().second = r;
        else
            useky.push_back({r, r});
    }
    proved(spoj(std::move(useky)), prikaz);
}

void VyberRadku::select(const QItemSelection& vyber, SelectionFlags prikaz)
{
    Useky useky;
    if (prikaz & Columns) {
        if (!vyber.isEmpty() && radku() > 0)
            useky.push_back({0, radku() - 1});
    } else {
        for (const QItemSelectionRange& r : vyber) {
            if (!r.isValid() || r.model() != model())
                continue;
            const int od = std::max(r.top(), 0), po = std::min(r.bottom(), radku() - 1);
            if (od <= po)
                useky.push_back({od, po});
        }
    }
    proved(spoj(std::move(useky)), prikaz);
}

void VyberRadku::clearSelection()
{
    proved({}, Clear);
}

void VyberRadku::clear()
{
    clearSelection();
    clearCurrentIndex();
}

// Qt's reset: both layers and the current index go without a signal.
void VyberRadku::reset()
{
    QItemSelectionModel::reset();
    const std::size_t n = model() ? std::size_t(model()->rowCount()) : 0;
    zaklad_.assign(n, 0);
    stav_.assign(n, 0);
    gesto_.clear();
    pocet_ = 0;
}

// Qt's select(): Clear empties both layers, a command without Current first
// commits the gesture's layer, and Select, Deselect or Toggle starts a new
// gesture's layer. Only the rows of the old and new gesture (all rows after
// Clear) may change.
void VyberRadku::proved(Useky useky, SelectionFlags prikaz)
{
    if (prikaz == NoUpdate)
        return;
    int od = INT_MAX, po = -1;
    const auto rozsir = [&](const Useky& u) {
        if (!u.empty()) {
            od = std::min(od, u.front().first);
            po = std::max(po, u.back().second);
        }
    };
    rozsir(gesto_);
    if (prikaz & Clear) {
        std::fill(zaklad_.begin(), zaklad_.end(), 0);
        gesto_.clear();
        od = 0;
        po = radku() - 1;
    }
    if (!(prikaz & Current))
        dokonci();
    if ((prikaz & Toggle) || (prikaz & Select) || (prikaz & Deselect)) {
        rozsir(useky);
        gesto_ = std::move(useky);
        prikazGesta_ = prikaz;
    }
    if (od <= po)
        prepocitej(od, po);
}

// Commits the gesture's layer; what shows does not change.
void VyberRadku::dokonci()
{
    for (const auto& [od, po] : gesto_)
        for (int r = od; r <= po; ++r)
            zaklad_[std::size_t(r)] = vysledek(zaklad_[std::size_t(r)], true, prikazGesta_);
    gesto_.clear();
}

// Recomputes what shows for rows od..po and tells the view which rows to
// repaint: "selected" spans the rows that became marked, "deselected" those
// that lost the mark (each as one range from the first to the last such row;
// rows between them may not have changed).
void VyberRadku::prepocitej(int od, int po)
{
    std::vector<std::uint8_t> vGestu(std::size_t(po - od + 1), 0);
    for (auto [a, b] : gesto_) {
        a = std::max(a, od);
        b = std::min(b, po);
        if (a <= b)
            std::fill(vGestu.begin() + (a - od), vGestu.begin() + (b - od + 1), 1);
    }
    int vybranOd = INT_MAX, vybranPo = -1, zrusenOd = INT_MAX, zrusenPo = -1;
    for (int r = od; r <= po; ++r) {
        const auto i = std::size_t(r);
        const std::uint8_t novy = vysledek(zaklad_[i], vGestu[std::size_t(r - od)], prikazGesta_);
        if (novy == stav_[i])
            continue;
        stav_[i] = novy;
        if (novy) {
            ++pocet_;
            vybranOd = std::min(vybranOd, r);
            vybranPo = r;
        } else {
            --pocet_;
            zrusenOd = std::min(zrusenOd, r);
            zrusenPo = r;
        }
    }
    if (vybranPo < 0 && zrusenPo < 0)
        return;
    const int posledniSloupec = model()->columnCount() - 1;
    const auto rozsah = [&](int a, int b) {
        return b < 0 ? QItemSelection() : QItemSelection(model()->index(a, 0), model()->index(b, posledniSloupec));
    };
    zrcadliProAsistenci();
    emit selectionChanged(rozsah(vybranOd, vybranPo), rozsah(zrusenOd, zrusenPo));
}

// Rows about to be inserted before row prvni: Qt commits the gesture first.
void VyberRadku::vlozeny(int prvni, int posledni)
{
    dokonci();
    const auto kde = std::ptrdiff_t(std::clamp(prvni, 0, radku()));
    const auto n = std::size_t(posledni - prvni + 1);
    zaklad_.insert(zaklad_.begin() + kde, n, 0);
    stav_.insert(stav_.begin() + kde, n, 0);
}

void VyberRadku::odebrany(int prvni, int posledni)
{
    dokonci();
    prvni = std::max(prvni, 0);
    posledni = std::min(posledni, radku() - 1);
    if (prvni > posledni)
        return;
    pocet_ -= int(std::count(stav_.begin() + prvni, stav_.begin() + posledni + 1, 1));
    zaklad_.erase(zaklad_.begin() + prvni, zaklad_.begin() + posledni + 1);
    stav_.erase(stav_.begin() + prvni, stav_.begin() + posledni + 1);
}

// A sort: old row r is now row novyRadek[r]; rows past the end of novyRadek
// (added while the order was computed) keep their places. Both layers move
// with their rows, as Qt moves its ranges.
void VyberRadku::preskupeny(const std::vector<int>& novyRadek)
{
    const std::size_t n = std::min(novyRadek.size(), stav_.size());
    std::vector<std::uint8_t> zaklad(zaklad_), stav(stav_);
    for (std::size_t r = 0; r < n; ++r) {
        const auto kam = std::size_t(novyRadek[r]);
        zaklad[kam] = zaklad_[r];
        stav[kam] = stav_[r];
    }
    zaklad_.swap(zaklad);
    stav_.swap(stav);
    if (gesto_.empty())
        return;
    std::vector<int> radky;
    for (const auto& [od, po] : gesto_)
        for (int r = od; r <= po; ++r)
            radky.push_back(std::size_t(r) < n ? novyRadek[std::size_t(r)] : r);
    std::sort(radky.begin(), radky.end());
    Useky useky;
    for (int r : radky) {
        if (!useky.empty() && useky.back().second + 1 == r)
            useky.back().second = r;
        else
            useky.push_back({r, r});
    }
    gesto_ = std::move(useky);
}

} // namespace zrc
