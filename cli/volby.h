#pragma once
// Command-line options of zrcadlovac-cli: parsed into the settings record of one
// comparison plus the options of the output.

#include "engine/cas.h"
#include "engine/nastaveni.h"
#include "engine/porovnani.h"
#include "ini_volby.h"
#include "zbytky_cli.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zrc::cli {

enum class Format { Text, Tsv, Json };

// Which pairs are compared by their bytes after the run (overeni_cli.h).
enum class OvereniCli { Zadne, Novejsi, IShodne };

struct VolbyCli {
    NastaveniPorovnani nastaveni;
    std::vector<QString> vynechaneTypy;   // in use when not empty
    Format format = Format::Text;
    int vlakna = 0;                       // 0: one per core
    JineSvazky jineSvazky = JineSvazky::Prochazet;   // --one-file-system
    std::optional<IniCli> ini;            // --ini given
    OvereniCli overeni = OvereniCli::Zadne;
    DlouhyFormatCasu formatCasu = DlouhyFormatCasu::HodinyMinutySekundy;   // of the "datum" column
    Zbytky zbytky = Zbytky::Ohlasit;      // --remove-leftovers [--permanently]
    std::optional<int> denik;             // --journal N: list that journal, compare nothing
};

struct VysledekParsovani {
    std::optional<VolbyCli> volby;   // nothing: print zprava and end
    QString zprava;                  // help, version or the error
    int kod = 0;                     // exit status when volby is empty
};

// arguments include the program name first, as argv does.
VysledekParsovani parsujVolby(const QStringList& arguments);

// The time filter of a settings record from "Nd", "Nh", "Nm", "YYYY-MM-DD" or
// "YYYY-MM-DDTHH:MM"; false when the text is none of these.
struct CasovyFiltr {
    int rezim = 1;          // RezimFiltru number
    int pocet = 0;
    int jednotka = 1;       // JednotkaFiltru number
    QDate datum;
    QString cas = QStringLiteral("00:00");
};
std::optional<CasovyFiltr> parsujCasovyFiltr(const QString& text);

} // namespace zrc::cli
