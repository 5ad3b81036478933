#pragma once
// PopupMenu1, the context menu of the eight result lists, built from the rows
// of prikazySeznamu(): its items, submenus and separators, the shortcuts that
// act while a list has the focus (also without opening the menu), the opening
// rule (items enabled by the active list, "starší verzi odstraň" hidden on
// "NOVÉ") and the dispatch of a triggered item to its row's command. File
// commands leave through StrankyVysledku::operace, as the action buttons' do.

#include <QObject>
#include <vector>

class QAction;
class QMenu;

namespace zrc {

struct PrikazSeznamu;
class StrankyVysledku;

class MenuSeznamu final : public QObject {
    Q_OBJECT
public:
    // Builds the menu and attaches it to the lists of vysledky.
    explicit MenuSeznamu(StrankyVysledku& vysledky);

    [[nodiscard]] QMenu* PopupMenu1() const { return menu_; }
    // The item of a row of prikazySeznamu() (a submenu's own action).
    [[nodiscard]] QAction* akce(const PrikazSeznamu& radek) const;

    // Opening the menu: the enabled states and the type submenus (also
    // emitted by tests through aboutToShow).
    void PopupMenu1Popup();

private:
    struct Polozka {
        const PrikazSeznamu* radek;
        QAction* akce;
        QAction* oddelovac;   // the separator after it, or nullptr
    };

    void vytvor();
    [[nodiscard]] QMenu* nabidkaRadku(const PrikazSeznamu& radek) const;
    [[nodiscard]] QAction* vytvorPolozku(QMenu* nabidka, const PrikazSeznamu& radek);
    void vytvorTypy(QMenu* nabidka, const PrikazSeznamu& radek);
    void pripojKSeznamum();
    void naplnPodmenuTypu(const Polozka& p);
    void spust(const PrikazSeznamu& radek);

    StrankyVysledku& vysledky_;
    QMenu* menu_ = nullptr;
    std::vector<Polozka> polozky_;
};

} // namespace zrc
