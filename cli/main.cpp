// zrcadlovac-cli: parse the options, run one comparison, print the lists.

#include "engine/porovnani.h"
#include "engine/shodne_pary.h"
#include "engine/vysledky.h"
#include "denik_cli.h"
#include "ini_volby.h"
#include "overeni_cli.h"
#include "prijemce_cli.h"
#include "volby.h"
#include "vystup.h"

#include "platform/pamet.h"
#include "platform/signaly.h"
#include "util/bajty_cesty.h"

#include <QCoreApplication>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

void vypisChybu(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!t.endsWith(QLatin1Char('\n')))
        t += QLatin1Char('\n');
    std::fputs(t.toUtf8().constData(), stderr);
}

// The arguments as given: a directory name that is not UTF-8 keeps its bytes
// (QCoreApplication::arguments() would replace them).
QStringList argumenty(int argc, char* argv[])
{
    QStringList a;
    for (int i = 0; i < argc; ++i)
        a << zrc::textZBajtu(argv[i]);
    return a;
}

// Output that did not reach its place is an error like any other: the user
// hears it and the exit status says it (a closed pipe ends the program by
// SIGPIPE before this, unless the signal is ignored).
int chybaVystupu(int chyba)
{
    vypisChybu(QStringLiteral("Standardní výstup nelze zapsat: ") + QString::fromLocal8Bit(std::strerror(chyba)));
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    zrc::vracejVelkeBloky();
    zrc::jednaArena();
    // SIGTERM, SIGINT, SIGHUP stop the comparison at its next check; the
    // program then prints nothing and ends by the signal.
    if (const auto r = zrc::platform::zachytavejUkonceni(); !r.ok())
        vypisChybu(QStringLiteral("Signály ukončení nelze zachytit: ") + QString::fromLocal8Bit(std::strerror(r.err)));
    // No QCoreApplication: the command line needs no event loop, and the
    // application object with its event dispatcher and locale set-up took
    // 0.8 MiB of the 10.1 MiB the program held on two empty directories.
    // Its one effect needed here is the user's locale (the system's error
    // texts in the user's language).
    std::setlocale(LC_ALL, "");
    QCoreApplication::setApplicationName(QStringLiteral("zrcadlovac-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZRC_CLI_VERSION));

    const zrc::cli::VysledekParsovani parsovani = zrc::cli::parsujVolby(argumenty(argc, argv));
    if (!parsovani.volby) {
        std::FILE* kam = parsovani.kod == 0 ? stdout : stderr;
        std::fputs(parsovani.zprava.toUtf8().constData(), kam);
        if (!parsovani.zprava.endsWith(QLatin1Char('\n')))
            std::fputc('\n', kam);
        if (kam == stdout && (std::fflush(stdout) != 0 || std::ferror(stdout)))
            return chybaVystupu(errno ? errno : EIO);
        return parsovani.kod;
    }
    const zrc::cli::VolbyCli& volby = *parsovani.volby;
    if (volby.denik)
        return zrc::cli::vypisDenik(stdout, *volby.denik, volby.format);

    const auto vynechane = zrc::cli::zdrojVynechanychTypu(volby);
    zrc::UlozisteVysledku vysledky;
    vysledky.nastavFormatCasu(volby.formatCasu);
    const bool overit = volby.overeni != zrc::cli::OvereniCli::Zadne;
    zrc::OvereniBehem overeniBehem({.zrusit = &zrc::platform::ukoncitPozadovano()});
    zrc::cli::PrijemceCli prijemce(vysledky, overit ? &overeniBehem : nullptr);
    zrc::SberDocasnych docasne;
    zrc::SberShodnych shodne;
    zrc::ParametryBehu parametry{.nastaveni = volby.nastaveni,
                                 .vynechaneTypy = vynechane.get(),
                                 .stop = &zrc::platform::ukoncitPozadovano(),
                                 .vlakna = volby.vlakna,
                                 .docasne = &docasne,
                                 .jineSvazky = volby.jineSvazky,
                                 .shodne = volby.overeni == zrc::cli::OvereniCli::IShodne ? &shodne : nullptr,
                                 .novejsi = overit ? &overeniBehem : nullptr};
    const zrc::VysledekBehu beh = zrc::porovnej(parametry, prijemce);
    prijemce.ukonci();
    if (const int sig = zrc::platform::signalUkonceni())
        zrc::platform::ukonciSignalem(sig);
    if (beh.konec == zrc::KonecBehu::Neplatny) {
        vypisChybu(beh.zprava);
        return 2;
    }
    // Like diff -r: the lists of what could be read, and status 2 for the trouble.
    for (const zrc::NepristupnyAdresar& a : beh.nepristupne)
        vypisChybu(zrc::radekNepristupneho(a));
    // Not an error: the text formats say it beside the unreadable ones, JSON
    // in its summary.
    if (volby.format != zrc::cli::Format::Json && !beh.nezahrnute.prazdne())
        vypisChybu(zrc::textNezahrnutych(beh.nezahrnute));
    const zrc::cli::SouhrnZbytku zbytky = zrc::cli::vyridZbytky(docasne.nalezene(), volby.zbytky);
    vysledky.nastavZaklad(beh.cestaAdr1, beh.cestaAdr2);
    const zrc::cli::SouhrnOvereni overeni = zrc::cli::overObsah(volby, vysledky, shodne, overeniBehem,
                                                                &zrc::platform::ukoncitPozadovano());
    if (const int sig = zrc::platform::signalUkonceni())
        zrc::platform::ukonciSignalem(sig);
    if (overit)
        zrc::cli::hlasOvereni(stderr, overeni);
    zrc::cli::seradPodleIni(vysledky, volby);
    const std::string doplnek = zrc::cli::jsonZbytku(zbytky)
        + (overit ? zrc::cli::jsonOvereni(overeni) : std::string());
    const zrc::cli::SouhrnBehu souhrn{.nepristupnych = beh.nepristupne.size(),
                                      .nezahrnute = beh.nezahrnute,
                                      .doplnekJson = doplnek};
    if (const int chyba = zrc::cli::vypisVysledky(stdout, vysledky, volby.format, souhrn))
        return chybaVystupu(chyba);
    if (volby.format != zrc::cli::Format::Json)
        if (const int chyba = zrc::cli::vypisLisiciSe(stdout, overeni, volby.format))
            return chybaVystupu(chyba);
    std::fputs(zrc::cli::textZbytku(zbytky).c_str(), stderr);
    // A signal during the printing: the lists are whole, the status says the signal.
    if (const int sig = zrc::platform::signalUkonceni())
        zrc::platform::ukonciSignalem(sig);
    if (!beh.nepristupne.empty() || zbytky.chyba() || !overeni.necitelne.empty())
        return 2;
    return zrc::cli::pocetPolozek(vysledky) > 0 || !overeni.lisiSe.empty() ? 1 : 0;
}
