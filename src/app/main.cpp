// The window program: one instance per INI file; a later start hands its
// command line to the running one.
#include "app/core/pred_oknem.h"
#include "app/spusteni.h"
#include "platform/pamet.h"
#include "settings/cesta_ini.h"
#include "ui/cestina.h"
#include "ui/ikona_programu.h"
#include "util/bajty_cesty.h"

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
    // The directories as given, bytes kept: a name that is not UTF-8 still
    // names its directory (QApplication has taken out its own options).
    for (int i = 1; i < argc; ++i)
        volby.parametry << zrc::textZBajtu(argv[i]);
    return zrc::SpustProgram(volby);
}
