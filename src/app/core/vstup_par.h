#pragma once
// The command-line hand-off record, section "Zprava" of the INI file: how a
// start with parameters passes its directories to the main window, its own or
// that of the instance already running.

#include "settings/ini_soubor.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace zrc {

// Writes key "0" = the program, "1".."n" = the first n = min(count, 2)
// parameters and then "pocet" = n, as one change of the file, so that the
// running instance never reads a half-written record. Keys of an earlier,
// longer record stay; the reader stops at "pocet".
//
// A relative parameter that names an existing directory is made absolute
// against this process's working directory: the instance that applies it
// may run in another one. Every other parameter is written as given.
VysledekZapisu ZapisVstupPar(const QString& cestaIni, const QString& program,
                             const QStringList& parametry);

// The two directory texts the record gives the window.
struct VstupniAdresare {
    QString adresar1;
    QString adresar2;
};

// The data side of applying the record. Nothing when "pocet" is 0: the window
// then changes nothing at all. Otherwise keys "1".."pocet" are read; key 1
// gives adresar1 and key 2 adresar2 when the value is not empty and either
// "Nastaveni"/"vstupparam" is set or it names an existing directory; later
// keys are ignored, and a directory that does not qualify leaves its text
// empty. Values are taken exactly as stored (no change of letter case).
std::optional<VstupniAdresare> NactiVstupPar(const QString& cestaIni);

} // namespace zrc
