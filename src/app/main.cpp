// The window program: finds its INI file and shows the main window.
#include "settings/cesta_ini.h"
#include "ui/zakl_okno_1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application title the running instance is known by.
    QApplication::setApplicationName(QStringLiteral("Zrcadlovac-Kvetodilna"));
    zrc::TForm1 okno(zrc::CestaIni());
    okno.show();
    return app.exec();
}
