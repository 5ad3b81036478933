#pragma once
// Start-menu set-up: a menu group with an item for the program and, when the
// description file lies next to the program, one for that file. Written as
// XDG desktop entries for the current user; no desktop service is contacted.

#include <QString>

namespace zrc {

inline constexpr auto kSkupinaNabidky = "Zrcadlovač";
inline constexpr auto kPolozkaProgram = "Zrcadlovač";
inline constexpr auto kPolozkaPopis = "Popis";
inline constexpr auto kSouborPopisu = "popis.txt";

// Where the entries go: desktop entries and the group's directory entry
// under the data home, the menu merge file under the configuration home.
struct AdresareXdg {
    QString dataHome;   // $XDG_DATA_HOME, default ~/.local/share
    QString configHome; // $XDG_CONFIG_HOME, default ~/.config

    static AdresareXdg zProstredi();
};

// The path cut before its second-last "/": the directory above the one that
// holds the file ("/opt/zrcadlovac/zrcadlovac" gives "/opt"). Fewer than two
// separators give an empty text.
QString DruhyAdresarVzhuru(const QString& cesta);

// Registers the item `polozka` running `prikaz` in the group `skupina`: the
// group's directory entry, the merge file that makes the group a submenu of
// the applications menu, and the item's desktop entry. An executable file is
// run; anything else is opened with the desktop's default application.
// Nothing happens when one of the texts is empty. Returns whether every file
// was written (the set-up itself reports nothing to the user).
bool VytvorZastupce(const QString& skupina, const QString& polozka, const QString& prikaz,
                    const AdresareXdg& kam = AdresareXdg::zProstredi());

// The set-up after the user agreed: the program's item, then the description
// file's item when the file exists next to the program.
void NastavNabidkuStart(const QString& cestaProgramu,
                        const AdresareXdg& kam = AdresareXdg::zProstredi());

} // namespace zrc
