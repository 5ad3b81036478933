#pragma once
// The program's start and the main window's life around it: the single
// instance, the command line, the Start-menu set-up and what the window does
// when a later start hands over its directories.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace zrc {

class JedinaInstance;
class TForm1;

// The directory chooser, replaceable so that tests can answer it. Gets the
// directory to open at; returns the chosen one, empty when cancelled.
using VyberAdresare = std::function<QString(QWidget* rodic, const QString& start)>;
VyberAdresare standardniVyberAdresare();

struct VolbyStartu {
    QString cestaIni;
    QString program;           // full path of the running program file
    QStringList parametry;     // the command line without the program
    VyberAdresare vyberAdresare = standardniVyberAdresare();
};

// The whole program after the application object exists: a later start
// hands its command line to the running instance and returns at once; the
// first start creates the main window and runs until it is closed. Returns
// the process's exit code.
int SpustProgram(const VolbyStartu& volby);

// Applies the hand-off record of section "Zprava" to the window: with a
// record, "&bez adresářů" is checked, both directory fields get the record's
// texts (empty when a directory does not qualify) and the settings page is
// shown. Without one ("pocet" 0) nothing changes.
void NastavDleVstupPar(TForm1& okno);

// Lets the running instance's notifications reach the window: restore, then
// apply the record.
void PropojInstanci(JedinaInstance& instance, TForm1& okno);

// The first notification of a later start: a minimised window is restored,
// and the window comes to the front.
void ObnovOkno(QWidget& okno);

// What a first instance does with its command line while the window is
// created: the Start-menu set-up for exactly "-setup", the hand-off record
// for any other parameters. (No parameters: nothing here.)
void ZpracujPrikazovouRadku(TForm1& okno, const VolbyStartu& volby);

// Right after the window is shown: a single parameter naming an existing
// directory offers the chooser at that directory for directory 2.
void FormShow(TForm1& okno, const VolbyStartu& volby);

} // namespace zrc
