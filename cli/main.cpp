// zrcadlovac-cli: parse the options, run one comparison, print the lists.

#include "engine/porovnani.h"
#include "engine/vysledky.h"
#include "ini_volby.h"
#include "prijemce_cli.h"
#include "volby.h"
#include "vystup.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void vypisChybu(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!t.endsWith(QLatin1Char('\n')))
        t += QLatin1Char('\n');
    std::fputs(t.toUtf8().constData(), stderr);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zrcadlovac-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZRC_CLI_VERSION));

    const zrc::cli::VysledekParsovani parsovani = zrc::cli::parsujVolby(app.arguments());
    if (!parsovani.volby) {
        std::FILE* kam = parsovani.kod == 0 ? stdout : stderr;
        std::fputs(parsovani.zprava.toUtf8().constData(), kam);
        if (!parsovani.zprava.endsWith(QLatin1Char('\n')))
            std::fputc('\n', kam);
        return parsovani.kod;
    }
    const zrc::cli::VolbyCli& volby = *parsovani.volby;

    const auto vynechane = zrc::cli::zdrojVynechanychTypu(volby);
    zrc::UlozisteVysledku vysledky;
    zrc::cli::PrijemceCli prijemce(vysledky);
    zrc::ParametryBehu parametry{.nastaveni = volby.nastaveni,
                                 .vynechaneTypy = vynechane.get(),
                                 .vlakna = volby.vlakna};
    const zrc::VysledekBehu beh = zrc::porovnej(parametry, prijemce);
    prijemce.ukonci();
    if (beh.konec == zrc::KonecBehu::Neplatny) {
        vypisChybu(beh.zprava);
        return 2;
    }
    vysledky.nastavZaklad(beh.cestaAdr1, beh.cestaAdr2);
    zrc::cli::seradPodleIni(vysledky, volby);
    zrc::cli::vypisVysledky(stdout, vysledky, volby.format);
    if (std::fflush(stdout) != 0)
        return 2;
    return beh.pocetPolozek > 0 ? 1 : 0;
}
