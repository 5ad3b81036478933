// The cost of the excluded-types check per file: VynechaneTypyIni with ten
// types in use against an empty plain list, over the same names.
//
//   ini_typy [NAMES]     (default 2 000 000 calls)

#include "engine/porovnani.h"
#include "settings/seznamy.h"
#include "settings/vynechane_typy_ini.h"

#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const pripony[] = {"txt", "pdf", "docx", "JPG", "png", "tar.gz", "cpp", "h", "žluť", ""};

double nsNaVolani(zrc::VynechaneTypy& typy, const std::vector<std::string>& jmena, std::size_t& vynechano)
{
    const auto od = std::chrono::steady_clock::now();
    for (const std::string& j : jmena)
        vynechano += typy.jeVynechanyTyp(j);
    const auto ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - od).count();
    return ns / static_cast<double>(jmena.size());
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t pocet = argc > 1 ? std::stoul(argv[1]) : 2'000'000;
    std::vector<std::string> jmena;
    for (std::size_t i = 0; i < pocet; ++i) {
        const char* p = pripony[i % std::size(pripony)];
        jmena.push_back("soubor " + std::to_string(i) + (*p ? std::string(".") + p : std::string()));
    }
    QTemporaryDir dir;
    const QString cesta = dir.filePath(QStringLiteral("zrcadlovac.ini"));
    const QStringList deset{"BAK", "TMP", "OLD", "SWP", "LOG", "CACHE", "PYC", "O", "OBJ", "ŽLUŤ"};
    if (!zrc::UlozListBox(cesta, u"Typ", deset).ok() || !zrc::IniZapisBool(cesta, u"Typ", u"pouzit", true).ok())
        return 2;

    zrc::VynechaneTypyIni zIni(cesta);
    zrc::SeznamVynechanychTypu zadne;
    std::size_t vynechano = 0;
    nsNaVolani(zIni, jmena, vynechano);   // warm-up
    const double ini = nsNaVolani(zIni, jmena, vynechano);
    const double prazdny = nsNaVolani(zadne, jmena, vynechano);
    std::printf("ten types from the INI file  %6.1f ns per file (%zu excluded)\n", ini, vynechano);
    std::printf("empty list                   %6.1f ns per file\n", prazdny);
    return 0;
}
