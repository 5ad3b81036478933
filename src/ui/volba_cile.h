#pragma once
// The target of "vybrané zkopíruj do .." and "vybrané přesuň do ..": a
// directory the user chooses when the command runs.
//
// The chooser is Qt's directory dialog (in Czech, directories only), opened on
// the other side's base directory. It also takes the name of a directory that
// does not exist yet; PripravCil then asks whether to create it. Tests put
// their own function in place of the dialog (OvladacOperaci::nastavVolbuCile).

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace zrc {

enum class KodOperace;
namespace platform { class Syscalls; }

// Returns the chosen path as the user gave it (it may not exist), or nothing
// when the chooser was cancelled.
using VolbaCile = std::function<std::optional<QString>(QWidget* rodic, const QString& titulek,
                                                       const QString& start)>;

// Qt's directory dialog, modal on rodic.
std::optional<QString> VyberAdresarDialogem(QWidget* rodic, const QString& titulek, const QString& start);

// The chooser's title for the command: "Zkopírovat vybrané soubory do adresáře" ...
QString titulekVolbyCile(KodOperace kod);

// Makes the chosen path the operation's target, or tells the user why not and
// returns nothing (nothing on the disk changed then):
// - one trailing "/" is removed (the root stays "/");
// - a path that does not exist is created with its missing parents after
//   "Adresář ... neexistuje. Mám ho vytvořit?" (No ends the command);
// - a path that exists but is no directory is refused;
// - the list's own base directory (vlastniZaklad) is refused: it is the same
//   directory when device and inode agree, so also when it is reached through
//   a symbolic link or a bind mount. Every file would be its own target.
// sys: nullptr for the real system calls.
std::optional<QString> PripravCil(const QString& zvoleny, const QString& vlastniZaklad,
                                  platform::Syscalls* sys = nullptr);

// Czech texts of PripravCil, for the tests.
namespace zpravyCile {
QString neexistuje(const QString& cesta);
QString nelzeVytvorit(const QString& cesta, const QString& duvod);
QString neniAdresar(const QString& cesta);
QString vlastniZaklad(const QString& cesta, const QString& zaklad);
} // namespace zpravyCile

} // namespace zrc
