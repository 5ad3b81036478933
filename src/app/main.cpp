// The window program: one instance per INI file; a later start hands its
// command line to the running one.
#include "app/spusteni.h"
#include "settings/cesta_ini.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application title the running instance is known by.
    QApplication::setApplicationName(QStringLiteral("Zrcadlovac-Kvetodilna"));
    zrc::VolbyStartu volby;
    volby.cestaIni = zrc::CestaIni();
    volby.program = QApplication::applicationFilePath();
    volby.parametry = QApplication::arguments().mid(1);
    return zrc::SpustProgram(volby);
}
