#pragma once
// --verify-content and --verify-equal: the pairs of a comparison checked by
// their bytes after the run (operace/overeni_obsahu.h).
//
// --verify-content compares the pairs of the NOVĚJŠÍ lists (a copy that did
// not keep times makes whole trees "newer"): a pair with the same bytes
// leaves its list, and their number and size go to standard error and into
// the JSON output. --verify-equal does that too and also compares the pairs
// that time and size call equal (which no list holds): those whose bytes
// differ are printed (text and TSV: lines marked "LIŠÍ SE"; JSON: an array of
// their own) and make the exit status 1. A file that cannot be read is
// reported as an unreadable directory is, and the exit status is 2.

#include "engine/shodne_pary.h"
#include "engine/vysledky.h"
#include "operace/overeni_obsahu.h"
#include "operace/soubezne_overeni.h"
#include "volby.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <atomic>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace zrc::cli {

QList<QCommandLineOption> volbyOvereni();
// Reads the two options into v.overeni.
void nactiOvereni(const QCommandLineParser& p, VolbyCli& v);

// The check of the NOVĚJŠÍ pairs while the run is still finding them: the
// receiver hands each in as it arrives, so that most are compared by the time
// the walk ends (10 000 small pairs, warm: the walk alone is about half of
// the command's time).
class OvereniBehem final {
public:
    // vlakna: as the walk's (0: its default); zrusit: raised by a signal.
    OvereniBehem(int vlakna, const std::atomic<bool>* zrusit);
    // Validation passed: the bases are known, the threads start.
    void zacni(const QString& cestaAdr1, const QString& cestaAdr2);
    // An item of list seznam at row radek, as the receiver stores it.
    void pridej(int seznam, std::size_t radek, const NalezenySoubor& s);
    // Waits for every pair and removes those with the same bytes from their
    // lists; a run that never passed validation checked nothing.
    [[nodiscard]] VysledekOvereni dokonci(UlozisteVysledku& u);
    // The settings of a check of these bases (the threads, the cancel flag).
    [[nodiscard]] VolbySoubeznehoOvereni volby(const QString& cestaAdr1, const QString& cestaAdr2) const;

private:
    struct Puvod {
        int seznam;
        std::size_t radek;
    };
    std::optional<SoubezneOvereni> overeni_;
    std::vector<Puvod> puvod_;
    int vlakna_;
    const std::atomic<bool>* zrusit_;
};

struct SouhrnOvereni {
    VysledekOvereni novejsi;               // over the NOVĚJŠÍ pairs
    std::vector<std::string> lisiSe;       // equal by time and size, different bytes (relative)
    std::vector<NecitelnyPar> necitelne;   // of both checks
};

// Ends the checks that v.overeni asks for on the store of a finished run:
// the NOVĚJŠÍ pairs handed to behem, whose equal items leave their lists,
// and with --verify-equal the equal pairs from the run's collector.
SouhrnOvereni overObsah(const VolbyCli& v, UlozisteVysledku& u, const SberShodnych& shodne,
                        OvereniBehem& behem);

// Items left in the eight lists (after the equal pairs went).
std::size_t pocetPolozek(const UlozisteVysledku& u);

// The report on standard error: the equal count and every unreadable file.
void hlasOvereni(std::FILE* err, const SouhrnOvereni& s);
// The JSON members that follow "lists" (",\"contentCheck\":{...}").
std::string jsonOvereni(const SouhrnOvereni& s);
// The marked lines of the pairs with different bytes, for text and TSV, after
// the lists; the errno of a failed write, else 0.
int vypisLisiciSe(std::FILE* f, const SouhrnOvereni& s, Format format);

} // namespace zrc::cli
