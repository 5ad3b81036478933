#pragma once
// --ini PATH [--history N]: the command line's link to the INI file of the
// window program. Without --ini the command line reads and writes no INI file.
//
// With --ini the run takes from that file the excluded types (section "Typ"),
// the defaults of the two subdirectory options ("Podadresare") and the sort of
// the printed lists ("Serazeni"); with --history N also every option of
// history entry N, and its directories unless DIR1 and DIR2 are given. Options
// given on the command line win over both.

#include "engine/porovnani.h"
#include "engine/vysledky.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace zrc::cli {

struct VolbyCli;

struct IniCli {
    QString cesta;
    int podle = 0;              // "Serazeni"/"podle": 0 no sort, n sorts by column n - 1
    bool vzestupne = false;     // "Serazeni"/"typ" 1
};

QList<QCommandLineOption> iniVolby();

// Reads what --ini and --history give into v (before the other options are
// applied over it). maAdresare: DIR1 and DIR2 are on the command line. Returns
// the error text for the user, or nothing.
std::optional<QString> nactiZIni(const QCommandLineParser& p, bool maAdresare, VolbyCli& v);

// Whether the command line may leave out DIR1 and DIR2 (they come from the history).
bool adresareZHistorie(const QCommandLineParser& p);

// The excluded types of the run: the INI file's list, unless --exclude was
// given or there is no --ini.
std::unique_ptr<VynechaneTypy> zdrojVynechanychTypu(const VolbyCli& v);

// Sorts every list by the configured column in the configured direction,
// comparing the displayed texts with the C library's collation (strcoll) of
// the current locale. Nothing without --ini or with "podle" 0.
void seradPodleIni(UlozisteVysledku& u, const VolbyCli& v);

} // namespace zrc::cli
