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
#include "operace/overeni_behem.h"
#include "volby.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

namespace zrc::cli {

QList<QCommandLineOption> volbyOvereni();
// Reads the two options into v.overeni.
void nactiOvereni(const QCommandLineParser& p, VolbyCli& v);

struct SouhrnOvereni {
    VysledekOvereni novejsi;               // over the NOVĚJŠÍ pairs
    std::vector<std::string> lisiSe;       // equal by time and size, different bytes (relative)
    std::vector<NecitelnyPar> necitelne;   // of both checks
};

// Ends the checks that v.overeni asks for on the store of a finished run:
// the NOVĚJŠÍ pairs, compared by behem during the walk, whose equal items
// leave their lists, and with --verify-equal the equal pairs from the run's
// collector, on as many threads as the walk listed with.
SouhrnOvereni overObsah(const VolbyCli& v, UlozisteVysledku& u, const SberShodnych& shodne,
                        OvereniBehem& behem, const std::atomic<bool>* zrusit);

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
