#pragma once
// The four result pages of the main window and their eight lists: the result
// store, a model and a view per list, the shared sort direction, and the rule that
// a page's tab shows while its two lists hold at least one item.

#include "ui/seznam_vysledku.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class QTabWidget;

namespace zrc {

// State of the pruning controls written into the newest history entry when the
// last result page hides (CBMazPodAdr ticked, SEMazUroven value).
struct StavMazani {
    bool CBMazPodAdr = true;
    int SEMazUroven = 0;
};

class StrankyVysledku : public QObject {
    Q_OBJECT
public:
    static constexpr int pocetSeznamu = UlozisteVysledku::pocetSeznamu;

    // PageControl1 holds page 0 ("Nastavení") and the result pages 1..4. The eight
    // lists are created as children of their pages; the window lays them out.
    explicit StrankyVysledku(QTabWidget* PageControl1, QObject* parent = nullptr);
    ~StrankyVysledku() override;

    UlozisteVysledku& uloziste() { return *uloziste_; }
    SdileneRazeni& razeni() { return razeni_; }
    ResultListModel* model(int tag) const;       // 1..8
    SeznamVysledku* seznam(int tag) const;       // 1..8 (ListView1..ListView8)
    QTabWidget* PageControl1() const { return tabs_; }

    SeznamVysledku* AktivniSeznam() const;
    bool ZalozkaZobrazena(int tag) const;
    // Del: the selected items of the active list leave the offer.
    void z_nab_prycClick();

    // Empties all eight lists (their pages hide).
    void vycistiVse();
    // Makes the first result page with items the active page (none: the active
    // page stays) and announces the change.
    void zobrazPrvniVysledky();
    bool strankaViditelna(int stranka) const;

    void setCestaIni(const QString& cesta) { cestaIni_ = cesta; }
    const QString& cestaIni() const { return cestaIni_; }
    void nastavStavMazani(std::function<StavMazani()> zdroj) { stavMazani_ = std::move(zdroj); }

signals:
    // The active page was changed by program; the window runs its page-change handler.
    void PageControl1Change();

private:
    void ListInsert(int tag, int vlozeno);
    void ListDelete(int tag);
    int pocetVPari(int tag) const;
    void aktivujPoSkryti();

    QTabWidget* tabs_;
    std::unique_ptr<UlozisteVysledku> uloziste_;
    SdileneRazeni razeni_;
    std::array<ResultListModel*, pocetSeznamu> modely_{};
    std::array<SeznamVysledku*, pocetSeznamu> seznamy_{};
    QString cestaIni_;
    std::function<StavMazani()> stavMazani_;
};

// Page of PageControl1 that holds the list with this Tag (1-2 -> 1 ... 7-8 -> 4).
inline int strankaSeznamu(int tag) { return (tag + 1) / 2; }

} // namespace zrc
