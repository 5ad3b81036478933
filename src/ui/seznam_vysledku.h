#pragma once
// A result list: the view of one ResultListModel with the list's own behaviour:
// header-click sorting with a direction shared by all eight lists, type-ahead on
// the first letter of the name, removal of the selected items from the offer and
// the size total of the selection.

#include "ui/vyber_radku.h"
#include "ui/vysledky_model.h"

#include <QHeaderView>
#include <QPoint>
#include <QTableView>
#include <cstdint>
#include <optional>
#include <vector>

namespace zrc {

// The sort direction shared by the eight lists: a click on a new column keeps it,
// a second click on the same column reverses it. False (descending) at start.
struct SdileneRazeni {
    bool RazeniVzestupne = false;
};

// A table view, not a tree view: a tree view keeps a record of every row (some
// 40 bytes) and rebuilds all of them after each inserted batch, which took 40 %
// of the window's CPU while 1 000 000 rows arrived. Here rows have one fixed
// height and the view keeps nothing per row but the vertical header's 8 bytes.
class SeznamVysledku final : public QTableView {
    Q_OBJECT
public:
    // "Not sorted yet": no column has this index.
    static constexpr int neserazeno = 10;

    SeznamVysledku(ResultListModel* model, SdileneRazeni* razeni, QWidget* parent = nullptr);

    int tag() const { return model_->cislo(); }
    QHeaderView* header() const { return horizontalHeader(); }
    ResultListModel* modelSeznamu() const { return model_; }
    // The marked rows. selectionModel() returns the same object, so that its
    // queries (isSelected, selectedRows, clearSelection ...) are answered from
    // the marks and not by Qt's base class, which holds none (see VyberRadku).
    VyberRadku* vyber() const { return vyber_; }
    VyberRadku* selectionModel() const { return vyber_; }

    int SloupecRazeni() const { return sloupecRazeni_; }
    void nastavSloupecRazeni(int sloupec);
    // The sort request of a header click; no column only refreshes the header images.
    void ListView1ColumnClick(std::optional<int> sloupec);
    // Type-ahead; true when the key found an item and is consumed.
    bool ListView1KeyPress(QChar znak);
    // Deletes the selected items from the list (never from the disk).
    void z_nab_prycClick();
    // Sum of the sizes of the selected items (64-bit: files may exceed 2 GiB).
    std::int64_t VelikostVybranych() const;
    std::vector<int> vybraneRadky() const;
    // Sets a column's width; "velikost" never gets narrower than its widest
    // size, so a number is never cut to "1572864...".
    void nastavSirkuSloupce(int sloupec, int sirka);

    // Ctrl+A and "vyber vše": every row, also after a selection of many ranges.
    void selectAll() override;
    // Hides Qt's clearSelection(), which would ask the base selection model.
    void clearSelection() { vyber_->clearSelection(); }

    // The status-bar text while the mouse is over the list.
    QString hint() const { return statusTip(); }
    void nastavHint(const QString& text) { setStatusTip(text); }

signals:
    void vstup(SeznamVysledku* seznam);    // the list received the focus (ListEnter)
    void mysNad(SeznamVysledku* seznam);   // the mouse moved over it; it has the focus now

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction akce, Qt::KeyboardModifiers modifikatory) override;
    void keyboardSearch(const QString& search) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    QModelIndexList selectedIndexes() const override;

private:
    void nastavVyskuRadku();
    void tahniOznacene();
    void zmerVelikosti(int prvni, int posledni);
    int sirkaVelikosti() const;
    void rozsirVelikost();

    ResultListModel* model_;
    VyberRadku* vyber_;
    SdileneRazeni* razeni_;
    QPersistentModelIndex stisknuty_;   // the row under the last mouse press
    // A plain left press on a marked row: moved further than the drag
    // distance, it drags the marked rows' files out (mimeData of the model);
    // the moves before that do not reach Qt's drag selection, which would
    // unmark the other rows.
    bool tahOznacenych_ = false;
    QPoint mistoStisku_;
    // What a Ctrl-press did to its row (Select or Deselect); a drag with Ctrl
    // held does the same to the rows it passes.
    mutable QItemSelectionModel::SelectionFlags tazeniCtrl_ = QItemSelectionModel::NoUpdate;
    std::int64_t nejvetsi_ = 0;   // the largest size the list has shown
    std::uint8_t sloupecRazeni_ = 0;
};

} // namespace zrc
