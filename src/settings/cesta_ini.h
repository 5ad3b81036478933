#pragma once
// Where zrcadlovac.ini lives.

#include <QString>

namespace zrc {

inline constexpr char jmenoIni[] = "zrcadlovac.ini";

// What the choice depends on, so that it can be decided without the process's
// own environment.
struct ProstrediIni {
    QString promenna;        // $ZRCADLOVAC_INI; names the file outright when set
    QString adresarProgramu; // directory of the executable, without trailing "/"
    QString xdgConfigHome;   // $XDG_CONFIG_HOME, may be empty
    QString domov;           // $HOME
    bool instalovany = false; // the executable is an installed copy
};

// $ZRCADLOVAC_INI when set; else zrcadlovac.ini next to the executable when
// that directory is writable and the copy is not installed; else
// $XDG_CONFIG_HOME/zrcadlovac/zrcadlovac.ini ($HOME/.config when
// XDG_CONFIG_HOME is unset or not absolute). An installed copy never writes
// into its bin directory, not even when run by root or from ~/.local/bin.
QString urciCestuIni(const ProstrediIni& prostredi);

// Whether the program in `adresarProgramu` was installed: the installation
// puts its desktop entry at `znacka` relative to the bin directory.
bool JeInstalovany(const QString& adresarProgramu, const QString& znacka);

// The same for this process (/proc/self/exe and the real environment). In the
// configuration-directory case the directory "zrcadlovac" is created, so that
// the first write can create the file.
QString CestaIni();

} // namespace zrc
