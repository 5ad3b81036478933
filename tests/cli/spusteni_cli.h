#pragma once
// zrcadlovac-cli run as a user runs it: a real process, its exit status and
// both outputs as bytes.

#include <QStringList>

#include <functional>
#include <string>

namespace zrc::test {

// The zone the program runs in. A test that builds its trees with
// localTime() sets its own zone to the same one (nastavPasmoCli), so that the
// packed times and the date column come out as written in the test.
inline constexpr const char* pasmoCli = "Europe/Prague";

void nastavPasmoCli();

struct VysledekCli {
    int kod = -1;
    std::string out, err;
};

struct VolbyCli {
    QString program{};                    // "": zrcadlovac-cli itself
    QStringList prostredi{};              // further "NAME=value" pairs
    std::function<void()> vPotomkovi{};   // runs in the child before exec
};

// Runs the program with argumenty in the zone pasmoCli and waits up to 60 s
// for it to end (a test fails when it does not).
VysledekCli spustCli(const QStringList& argumenty, const VolbyCli& volby = {});

// "N podadr+název" per line of tsv output (the list number, the relative
// path): enough to see which items a run listed, and in what order.
std::string seznamyACesty(const std::string& tsv);

} // namespace zrc::test
