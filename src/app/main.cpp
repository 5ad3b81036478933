// The window program: one instance per INI file; a later start hands its
// command line to the running one.
#include "app/core/pred_oknem.h"
#include "app/spusteni.h"
#include "platform/pamet.h"
#include "settings/cesta_ini.h"
#include "ui/cestina.h"
#include "ui/ikona_programu.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    if (const auto konec = zrc::VyridPredOknem(argc, argv, QStringLiteral(ZRC_VERSION)))
        return *konec;
    zrc::vracejVelkeBloky();
    auto hlidac = std::make_unique<zrc::HlidacDispleje>();
    QApplication app(argc, argv);
    hlidac.reset();
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
