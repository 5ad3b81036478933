// The window program: one instance per INI file; a later start hands its
// command line to the running one.
#include "app/core/pred_oknem.h"
#include "app/spusteni.h"
#include "platform/pamet.h"
#include "platform/signaly.h"
#include "settings/cesta_ini.h"
#include "ui/cestina.h"
#include "ui/ikona_programu.h"
#include "util/bajty_cesty.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    if (const auto konec = zrc::VyridPredOknem(argc, argv, QStringLiteral(ZRC_VERSION)))
        return *konec;
    zrc::vracejVelkeBloky();
    // Before the window: a signal that comes while it is being built waits
    // in the pipe and closes it once it shows.
    if (const auto r = zrc::platform::zachytavejUkonceni(); !r.ok())
        std::fprintf(stderr, "Signály ukončení nelze zachytit: %s\n", std::strerror(r.err));
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
    const int kod = zrc::SpustProgram(volby);
    // The window has closed and written the settings; the exit status tells
    // the session which signal ended the program.
    if (const int sig = zrc::platform::signalUkonceni())
        zrc::platform::ukonciSignalem(sig);
    return kod;
}
