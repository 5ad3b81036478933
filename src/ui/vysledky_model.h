#pragma once
// One result list as a table model over the compact result store. The model owns
// no copy of the items: a row is the index into the store's vector of the list,
// and the five texts are formatted in data() for the rows that are painted.

#include "engine/razeni.h"
#include "engine/vysledky.h"

#include <QAbstractTableModel>
#include <atomic>
#include <memory>
#include <span>
#include <thread>
#include <vector>

namespace zrc {

// Header image of a column after a sort request.
enum class Sipka { Zadna, Dolu, Nahoru };   // NOARROW, ARROWDOWN, ARROWUP

class ResultListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    ResultListModel(UlozisteVysledku& uloziste, int cislo, QObject* parent = nullptr);
    ~ResultListModel() override;

    int cislo() const { return cislo_; }   // the list's Tag, 1..8
    UlozisteVysledku& uloziste() const { return uloziste_; }
    const Polozka& polozka(int radek) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Dragged out, the rows' files go as a file list (text/uri-list: file
    // URLs of the full paths, bytes that are not UTF-8 percent-encoded as
    // they are) and as plain text (the paths' bytes, one a line), so that a
    // file manager, a terminal or a mail program can take them.
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

    // Appends a batch of items with one row insertion.
    void pridej(std::span<const NalezenySoubor> soubory);
    // Removes the given rows (any order, duplicates allowed).
    void odeberRadky(std::vector<int> radky);
    // Removes the first item with the relative path of vzor (an item of another
    // list of the same store: the twin of a "VĚTŠÍ"/"MENŠÍ" pair); returns its
    // former row or -1. File operations remove items through the model, never
    // from the store behind its back, so the views stay consistent.
    int odeberProtejsek(const Polozka& vzor);
    // The same for many twins at once (copies of the handled items of the
    // partner list): one pass over the list and one batch removal; returns
    // how many items left.
    int odeberProtejsky(std::span<const Polozka> vzory);
    // Reorders the store's list by the column's text, locale-aware and
    // case-sensitive; items with equal texts keep their relative order.
    // Below prahVlakna() rows the list is sorted before the call returns. From
    // there on the call only starts the sort and the window goes on taking
    // input: sorting 1 000 000 names takes over a second. The order is computed
    // on a thread of its own; the copy of the column and the rows gathered in
    // their new order are taken on the window's thread in steps of 100 000 rows
    // (a few milliseconds each), each step an event of its own. Rows that
    // arrive meanwhile stay after the sorted ones, as they would after a sort
    // done at once; a removal meanwhile starts the sort over, a newer sort or
    // clearing the list drops it. serazeno() tells when the rows are in order.
    void sortuj(Sloupec sloupec, bool vzestupne);
    bool razeniBezi() const { return uloha_ != nullptr; }
    static int prahVlakna();
    static void nastavPrahVlakna(int radku);   // tests: 0 sorts every list on the thread

    // Header images: the sorted column shows ARROWDOWN when ascending and
    // ARROWUP when descending; sloupec -1 clears every column.
    void nastavSipky(int sloupec, bool vzestupne);
    Sipka sipka(int sloupec) const;

    // Clearing goes through the owner of the store, which empties all lists and
    // the shared directory table at once between these two calls.
    void zacniVymazani();
    void ukonciVymazani();

signals:
    // A sort has put old row r to row novyRadek[r]; rows past its end kept
    // their places. Emitted after the rows moved and before layoutChanged, for
    // the list's selection, which moves its marks without persistent indexes.
    void preskupeno(const std::vector<int>& novyRadek);
    // A sort that sortuj() left running has put the rows in order.
    void serazeno();

private:
    // A sort's result: the list's rows in their new order and where each went.
    struct Preskupeni {
        std::vector<int> poradi;      // new row i holds old row poradi[i]
        std::vector<int> novyRadek;   // old row r goes to novyRadek[r]
        std::vector<Polozka> radky;   // the sorted rows
    };
    struct Uloha;
    void zacniUlohu(const std::shared_ptr<Uloha>& u);
    void zrusUlohu();
    void kopiruj(const std::shared_ptr<Uloha>& u);
    void spustVlakno(const std::shared_ptr<Uloha>& u);
    void seber(const std::shared_ptr<Uloha>& u);
    [[nodiscard]] bool aktualni(const std::shared_ptr<Uloha>& u);
    void preskup(Preskupeni p);
    void odeberRozsahy(const std::vector<int>& radky);
    void odeberPresReset(const std::vector<int>& radky);

    UlozisteVysledku& uloziste_;
    int cislo_;
    std::uint64_t zmena_ = 0;   // counts removals and resets, which void a sort under way
    std::shared_ptr<Uloha> uloha_;        // the sort under way, if any
    // Sorting threads with their "finished" flags: joined once finished, when
    // the next starts, or with the model.
    std::vector<std::pair<std::thread, std::shared_ptr<std::atomic<bool>>>> vlakna_;
    int sloupecSipky_ = -1;
    bool sipkaVzestupne_ = false;
};

} // namespace zrc
