#pragma once
// The result pages of the main window as one controller: the result store, a
// model and a view per list (ListView1..ListView8), the shared sort direction,
// the rule that a page's tab shows while its two lists hold at least one item,
// the active list, and the action panel PAkce whose buttons BB1..BB6 carry the
// Tags of the active list.
//
// The lists exist from construction; vybav() lays them out on their pages and
// builds the action panel (the main window calls it; tests of the lists alone
// need not).

#include "operace/prikazy.h"
#include "ui/seznam_vysledku.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QWidget;

namespace zrc {

class MenuSeznamu;
class Spoustec;
class Skalovani;

// State of the pruning controls written into the newest history entry when the
// last result page hides (CBMazPodAdr ticked, SEMazUroven value).
struct StavMazani {
    bool CBMazPodAdr = true;
    int SEMazUroven = 0;
};

// "D/x/xx/xxx" for uroven 3: the deepest directory that pruning keeps.
QString textVzoruMazani(const QString& adresar, int uroven);

class StrankyVysledku final : public QObject {
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
    // "soubor - &informace" (Ctrl+I): the information dialog TForm5 for the
    // focused item of the active list.
    void infoClick();
    // "ověřit obsah": the pairs of the active list checked by their bytes, by
    // whoever runs operations.
    void overObsahClick();
    // A file command on the selected rows of seznam, to whoever runs operations.
    void proved(const Operace& o, SeznamVysledku* seznam);
    // PopupMenu1 of the eight lists (after vybav).
    MenuSeznamu& menu() { return *menu_; }

    // The long time format of the "datum" column; shown lists repaint.
    void nastavFormatCasu(DlouhyFormatCasu format);

    // Empties all eight lists (their pages hide).
    void vycistiVse();
    // Makes the first result page with items the active page (none: the active
    // page stays) and announces the change.
    void zobrazPrvniVysledky();
    bool strankaViditelna(int stranka) const;

    // Splitters on the result pages (TabSheet2..TabSheet5 of PageControl1) and
    // the action panel's controls inside PAkce, placed and zoomed by skalovani.
    // The pruning state for the history comes from the panel from now on.
    void vybav(QWidget* PAkce, Skalovani& skalovani);

    // The list with Tag tag received the focus or the mouse: it is widened
    // (three quarters of its page), BB1..BB6 take its Tags and the
    // "kop.pův."/"přes.pův." buttons are enabled unless it is a "NOVÉ" list.
    void UpravVelikostList(int tag);
    // The example under the pruning level: the active list's directory with
    // SEMazUroven levels "/x", "/xx", ... appended.
    void SEMazUrovenChange();
    // The keyboard items MPBB1..MBB6: a click of BB1..BB6 when enabled.
    void MPBB1Click(int tag);
    // Column widths of all eight lists in proportion to the page width.
    void PoleSloupcu(int sirkaStranky);
    // A click of BB2..BB6: the button's Tag decoded into the operation record.
    void copyClick(int tlacitko);

    // Marking (stranky_vysledku_oznaceni.cpp). Selection changes reach the
    // list's selection model in contiguous ranges, never item by item.
    void OznacDleSloupce(bool vybrat, SeznamVysledku* seznam, Sloupec sloupec, const QString& hodnota);
    void OznacDleAdresare(bool vybrat, SeznamVysledku* seznam, const QString& maska);
    // Item p (0-based) of "&označ" / "o&dznač": key p + 1 of "oznaceni" / "odznaceni".
    void vyberClick(int p);
    void prycClick(int p);
    // The type or podadr of the active list's focused item.
    void DleVShodnyTypClick(bool vybrat);
    void DleVShodnyAdrClick(bool vybrat);
    // "označ vše v .." / "odznač vše v ..": the mask dialog TForm3 over the window.
    void MOznVseVAdrClick(bool odznacit);
    // BB1 "vybrat vše (Ctrl+A)": the list of BB1's Tag.
    void vybervseClick();
    // The selection summary of the active list into its hint; true when the
    // hint changed.
    // The list s instead of the active one: after a dialog the focus comes
    // back to the list only later.
    bool Timer1Timer(SeznamVysledku* s = nullptr);

    // "mazat prázdné podadresáře do úrovně:" and its level.
    StavMazani stavMazani() const;
    void nastavMazani(const StavMazani& stav);

    // The door to the desktop's tools ("otevřít" and its kin); tests record.
    Spoustec& spoustec() const { return *spoustec_; }
    void nastavSpoustec(Spoustec& s) { spoustec_ = &s; }

    void setCestaIni(const QString& cesta) { cestaIni_ = cesta; }
    const QString& cestaIni() const { return cestaIni_; }
    void nastavStavMazani(std::function<StavMazani()> zdroj) { stavMazani_ = std::move(zdroj); }

    // The action panel (after vybav).
    QWidget* PAkce = nullptr;
    QCheckBox* CBMazPodAdr = nullptr;
    QSpinBox* SEMazUroven = nullptr;
    QLabel* MazUrovenVzor = nullptr;
    std::array<QPushButton*, pocetAkci> BB{};   // BB1..BB6
    std::array<QWidget*, 4> stranky{};          // TabSheet2..TabSheet5
    std::array<QSplitter*, 4> rozdelovace{};

signals:
    // The active page was changed by program; the window runs its page-change handler.
    void PageControl1Change();
    // A file operation on the selected rows of a list: the action buttons,
    // their keys and the file commands of the list menu, all of them.
    void operace(const zrc::Operace& operace, zrc::SeznamVysledku* seznam);
    // "ověřit obsah" on a list (its selected rows, or all when none is selected).
    void overeniObsahu(zrc::SeznamVysledku* seznam);
    // "vrátit poslední operaci" from the list menu.
    void vratitOperaci();

private:
    void vytvorRozdelovace(Skalovani& skalovani);
    void vytvorPAkce(Skalovani& skalovani);
    void ListInsert(int tag, int vlozeno);
    void ListDelete(int tag);
    int pocetVPari(int tag) const;
    void aktivujPoSkryti(std::optional<int> strana);

    QTabWidget* tabs_;
    std::unique_ptr<UlozisteVysledku> uloziste_;
    SdileneRazeni razeni_;
    std::array<ResultListModel*, pocetSeznamu> modely_{};
    std::array<SeznamVysledku*, pocetSeznamu> seznamy_{};
    QString cestaIni_;
    std::function<StavMazani()> stavMazani_;
    MenuSeznamu* menu_ = nullptr;
    Spoustec* spoustec_;
};

// Page of PageControl1 that holds the list with this Tag (1-2 -> 1 ... 7-8 -> 4).
inline int strankaSeznamu(int tag) { return CisloSeznamu(tag).stranka(); }

} // namespace zrc

Q_DECLARE_METATYPE(zrc::Operace)
