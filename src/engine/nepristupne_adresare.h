#pragma once
// What a run could not read: the base directory of a side or any directory
// below it (either side) that could not be opened or listed, or whose entries
// could not be examined, and single files whose status could not be read (an
// I/O error on one inode). They are missing from the lists, so both the window
// and the command line tell the user which ones and why.

#include <QString>
#include <string>
#include <system_error>
#include <vector>

namespace zrc {

enum class DruhNepristupneho : bool { Adresar, Soubor };

struct NepristupnyAdresar {
    std::string cesta;       // full path, own bytes
    std::error_code duvod;   // errno of the failing call
    DruhNepristupneho druh = DruhNepristupneho::Adresar;
};

// The reason in Czech, for the common causes ("přístup odepřen"), else the C
// library's text.
QString textDuvodu(std::error_code duvod);

// The path for a message: names that are not UTF-8 with replacement characters,
// control characters (ESC, CR, BEL ...) as \e, \r, \xNN, so that no text from a
// file name can act on a terminal or break a message into lines.
QString bezpecnaCesta(std::string_view cesta);

// The window's warning after a run: the count and the first few paths; the
// heading says whether directories, files or both are missing.
QString hlaseniNepristupnych(const std::vector<NepristupnyAdresar>& adresare);

// One line of the command line's report (without the line break).
QString radekNepristupneho(const NepristupnyAdresar& a);

} // namespace zrc
