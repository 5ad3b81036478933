#pragma once
// The settings history: up to 30 settings records in sections "H1" (newest)
// to "H30" of the INI file. An entry exists when its key "zapsano" is true;
// entries occupy H1..Hk without gaps. Dates are stored as days before the day
// of saving and load as the same number of days before the day of loading.

#include "engine/nastaveni.h"
#include "settings/ini_soubor.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

namespace zrc {

inline constexpr int MaxHistorie = 30;

namespace ini {
QString sekceHistorie(int n);   // "H" + n; the keys are in settings/klice.h
} // namespace ini

// Records zaznam as the new entry H1. Existing entries move one number up
// (H30 is lost), each key read with its copy default; then H1 is written,
// "zapsano" first. The whole change is one write of the file: it is either
// complete or not made at all.
VysledekZapisu HistoriePridej(const QString& cesta, const NastaveniPorovnani& zaznam, const QDate& dnes);

// k, the number of entries: the highest n from 30 down whose "zapsano" is
// true, 0 when there is none.
int HistoriePocet(const QString& cesta);

// Entry n loaded over soucasny: every field from the entry, a missing key
// giving its load default (SEMazUroven: the current value). With bezAdresaru
// the two directories stay as in soucasny. Nothing when entry n does not
// exist. Choice numbers come back as stored, also outside their range.
std::optional<NastaveniPorovnani> HistorieNacti(const QString& cesta, int n, bool bezAdresaru,
                                                const QDate& dnes, const NastaveniPorovnani& soucasny);

// When the results have been worked off: the pruning options into "H1"
// ("CBMazPodAdr", "SEMazUroven"), whether H1 exists or not; "zapsano" is
// not touched.
VysledekZapisu HistorieUlozMazani(const QString& cesta, bool CBMazPodAdr, int SEMazUroven);

// The state of the history controls for position a with k entries
// (HistorieButton): the position shown, which buttons are enabled and the
// label text ("p/k" or "-").
struct StavHistorie {
    int pozice = 0;
    bool predchozi = false;   // SBHP, the newer entry
    bool dalsi = false;       // SBHD, the older entry
    QString popis;
};
StavHistorie HistorieButton(int a, int k);

// The entry a step (-1 or +1) from position p loads with k entries, or
// nothing when it lies outside 1..k. With one entry every step reloads it.
std::optional<int> HistorieCilKroku(int p, int krok, int k);

} // namespace zrc
