// The cost of the excluded-types check per file: VynechaneTypyIni with ten
// types in use against an empty plain list, over the same names.
//
//   ini_typy [CALLS]     (default 2 000 000)

#include "engine/seznam_vynechanych_typu.h"
#include "settings/seznamy.h"
#include "settings/vynechane_typy_ini.h"

#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The run asks about a name it has just read from the directory, so the
// names here are few enough (4096) to stay in the cache; the calls cycle
// through them.
double nsNaVolani(zrc::VynechaneTypy& typy, const std::vector<std::string>& jmena, std::size_t volani,
                  std::size_t& vynechano)
{
    const auto od = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < volani; ++i)
        vynechano += typy.jeVynechanyTyp(jmena[i % jmena.size()]);
    const auto ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - od).count();
    return ns / static_cast<double>(volani);
}

} // namespace

std::vector<std::string> jmenaSPriponami(std::size_t pocet, const std::vector<const char*>& pripony)
{
    std::vector<std::string> jmena;
    for (std::size_t i = 0; i < pocet; ++i) {
        const char* p = pripony[i % pripony.size()];
        jmena.push_back("soubor " + std::to_string(i) + (*p ? std::string(".") + p : std::string()));
    }
    return jmena;
}

int main(int argc, char** argv)
{
    const std::size_t pocet = argc > 1 ? std::stoul(argv[1]) : 2'000'000;
    // The extensions of the benchmark pair, and extensions outside ASCII.
    const auto ascii = jmenaSPriponami(4096, {"txt", "pdf", "docx", "JPG", "png", "tar.gz", "cpp", "h", "Txt", ""});
    const auto ceske = jmenaSPriponami(4096, {"žluť", "Příloha", "ŠÍLENĚ"});
    QTemporaryDir dir;
    const QString cesta = dir.filePath(QStringLiteral("zrcadlovac.ini"));
    const QStringList deset{"BAK", "TMP", "OLD", "SWP", "LOG", "CACHE", "PYC", "O", "OBJ", "ŽLUŤ"};
    if (!zrc::UlozListBox(cesta, u"Typ", deset).ok() || !zrc::IniZapisBool(cesta, u"Typ", u"pouzit", true).ok())
        return 2;

    zrc::VynechaneTypyIni zIni(cesta);
    zrc::SeznamVynechanychTypu zadne;
    std::size_t vynechano = 0;
    nsNaVolani(zIni, ascii, pocet, vynechano);   // warm-up
    const double ini = nsNaVolani(zIni, ascii, pocet, vynechano);
    const double prazdny = nsNaVolani(zadne, ascii, pocet, vynechano);
    vynechano = 0;
    const double iniCeske = nsNaVolani(zIni, ceske, pocet / 10, vynechano);
    std::printf("ten types from the INI file  %6.1f ns per file (ASCII extensions)\n", ini);
    std::printf("                             %6.1f ns per file (extensions outside ASCII, %zu excluded)\n",
                iniCeske, vynechano);
    std::printf("empty list                   %6.1f ns per file\n", prazdny);
    return 0;
}
