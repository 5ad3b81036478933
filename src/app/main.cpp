// The window program: one instance per INI file; a later start hands its
// command line to the running one.
#include "app/spusteni.h"
#include "platform/pamet.h"
#include "settings/cesta_ini.h"
#include "ui/cestina.h"
#include "ui/ikona_programu.h"

#include <QApplication>

int main(int argc, char** argv)
{
    zrc::vracejVelkeBloky();
    QApplication app(argc, argv);
    zrc::NastavCestinu(app);
    // The application title the running instance is known by.
    QApplication::setApplicationName(QStringLiteral("Zrcadlovac-Kvetodilna"));
    // Every window shows the program's icon; the desktop matches the windows
    // to the installed desktop entry by this name.
    QApplication::setWindowIcon(zrc::IkonaProgramu());
    QGuiApplication::setDesktopFileName(QStringLiteral(ZRC_APP_ID));
    zrc::VolbyStartu volby;
    volby.cestaIni = zrc::CestaIni();
    volby.program = QApplication::applicationFilePath();
    volby.parametry = QApplication::arguments().mid(1);
    return zrc::SpustProgram(volby);
}
