#pragma once
// The selection of a result list, kept as one byte per row.
//
// Qt's own selection model keeps a list of ranges, two persistent indexes per
// range, and answers "is this cell selected" by scanning that list. With
// 259 169 scattered rows marked in a list of 1 000 000 (148 000 ranges) one
// repaint took 2-4 s, a sort 0.8 s (every selected row followed through the
// new order as a persistent index) and clearing the marks 0.14 s. Here a row's
// mark is a byte: a sort permutes the bytes, a painted cell reads one.
//
// The rules are Qt's: a committed layer and the layer of the gesture under
// way (a Shift-click or Shift-arrow range, a Ctrl-drag; flag Current) with its
// command (Select, Deselect or Toggle); the next command without Current, an
// insertion or a removal of rows merges the gesture's layer into the
// committed one. A model reset clears both. The lists select whole rows only:
// a range selects the rows it spans.
//
// The base class holds no selection, so its non-virtual queries (isSelected,
// selection, selectedRows, hasSelection, clearSelection) see nothing when
// called through a QItemSelectionModel pointer. This class hides them with
// answers from the marks, and the list's selectionModel() returns it; the
// places where Qt's view asks the base class (painting, mouse presses) are
// answered by the list and its delegate. Qt's accessible table asks the base
// class too (through QAbstractItemView::selectionModel()), and a screen reader
// would see no row marked: while an assistive technology listens, the base
// class holds a copy of the marks as Qt's ranges, the cost the bytes save
// everyone else.

#include <QAccessible>
#include <QItemSelectionModel>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace zrc {

class ResultListModel;

class VyberRadku final : public QItemSelectionModel, private QAccessible::ActivationObserver {
    Q_OBJECT
public:
    explicit VyberRadku(ResultListModel* model, QObject* parent = nullptr);
    ~VyberRadku() override;

    bool oznacen(int radek) const
    {
        return radek >= 0 && std::size_t(radek) < stav_.size() && stav_[std::size_t(radek)];
    }
    int pocet() const { return pocet_; }
    std::vector<int> radky() const;   // the marked rows, ascending

    // select() for rows given as ascending row numbers, without building the
    // ranges (150 000 ranges are 300 000 persistent indexes).
    void vyberRadky(std::span<const int> radky, SelectionFlags prikaz);

    // Qt's queries, answered from the marks (a row is marked as a whole).
    bool isSelected(const QModelIndex& index) const
    {
        return index.isValid() && index.model() == model() && oznacen(index.row());
    }
    bool isRowSelected(int radek, const QModelIndex& rodic = {}) const { return !rodic.isValid() && oznacen(radek); }
    bool rowIntersectsSelection(int radek, const QModelIndex& rodic = {}) const
    {
        return isRowSelected(radek, rodic);
    }
    bool hasSelection() const { return pocet_ > 0; }
    QModelIndexList selectedRows(int sloupec = 0) const;
    QItemSelection selection() const;   // a range per run of marked rows

    using QItemSelectionModel::select;
    void select(const QItemSelection& vyber, SelectionFlags prikaz) override;
    // Qt's clearSelection() is not virtual and sees no selection in the base
    // class: call this one (through the list or this class).
    void clearSelection();
    void clear() override;
    void reset() override;

private:
    using Useky = std::vector<std::pair<int, int>>;   // runs of rows [od, po], ascending, disjoint

    void proved(Useky useky, SelectionFlags prikaz);
    void dokonci();
    void prepocitej(int od, int po);
    void vlozeny(int prvni, int posledni);
    void odebrany(int prvni, int posledni);
    void preskupeny(const std::vector<int>& novyRadek);
    int radku() const { return int(stav_.size()); }
    void accessibilityActiveChanged(bool aktivni) override;
    void zrcadliProAsistenci();

    std::vector<std::uint8_t> zaklad_;   // the committed layer
    std::vector<std::uint8_t> stav_;     // what shows: the committed layer with the gesture's applied
    Useky gesto_;                        // the gesture's layer
    SelectionFlags prikazGesta_ = NoUpdate;
    int pocet_ = 0;                      // rows marked in stav_
    bool asistence_ = false;             // an assistive technology listens
};

} // namespace zrc
