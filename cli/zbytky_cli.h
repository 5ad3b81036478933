#pragma once
// Leftover temporary files of interrupted copies (".NAME.xxxxxx.zrtmp") on the
// command line. The run never lists them as files; it reports them on standard
// error (count, bytes, the first paths) and in the JSON output, and with
// --remove-leftovers moves them to the trash (with --permanently deletes them),
// each only while it is still the file the walk met (operace/mazani_docasnych.h).
//
// Leftovers found and not removed leave the exit status alone: they are no
// difference and no error of the comparison. A removal asked for that leaves
// some in place is an error (status 2).

#include "engine/docasne_soubory.h"
#include "operace/mazani_docasnych.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace zrc::cli {

enum class Zbytky : std::uint8_t { Ohlasit, DoKose, Natrvalo };

QList<QCommandLineOption> volbyZbytku();
// The error text for the user, or nothing.
std::optional<QString> nactiVolbyZbytku(const QCommandLineParser& p, Zbytky& z);

struct SouhrnZbytku {
    Zbytky naklad = Zbytky::Ohlasit;
    std::vector<NalezenyDocasny> nalezene{};
    std::int64_t bajty = 0;
    VysledekMazaniDocasnych odstraneni{};   // with DoKose or Natrvalo

    bool chyba() const { return !odstraneni.nesmazane.empty(); }
};

// Removes the leftovers when naklad asks for it. kosDomov: the home trash, ""
// from the environment.
SouhrnZbytku vyridZbytky(std::vector<NalezenyDocasny> nalezene, Zbytky naklad,
                         const std::string& kosDomov = {});

// The member of the JSON summary, with its leading comma:
// ,"leftovers":{"count","bytes","paths","action","removed","failed":[{"path","reason"}]}
std::string jsonZbytku(const SouhrnZbytku& s);

// The lines for standard error; nothing when the run met no leftover.
std::string textZbytku(const SouhrnZbytku& s);

} // namespace zrc::cli
