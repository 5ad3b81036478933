#include "app/core/pred_oknem.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zrc {
namespace {

// The exit status of a start without a display, as of any failed start.
constexpr int kodBezDispleje = 2;

QtMessageHandler predchozi = nullptr;

bool jeVolba(const char* parametr, const char* kratka, const char* dlouha)
{
    return std::strcmp(parametr, kratka) == 0 || std::strcmp(parametr, dlouha) == 0;
}

bool prazdna(const char* promenna)
{
    const char* hodnota = std::getenv(promenna);
    return hodnota == nullptr || *hodnota == '\0';
}

void vypis(std::FILE* kam, const QString& text)
{
    std::fputs(text.toUtf8().constData(), kam);
    std::fflush(kam);
}

void hlidej(QtMsgType typ, const QMessageLogContext& kontext, const QString& zprava)
{
    if (typ != QtFatalMsg) {
        if (predchozi)
            predchozi(typ, kontext, zprava);
        return;
    }
    vypis(stderr, ChybiDisplej());
    std::_Exit(kodBezDispleje);
}

} // namespace

QString NapovedaOkna()
{
    return QStringLiteral(
        "Použití: zrcadlovac [ADRESÁŘ1 [ADRESÁŘ2]]\n"
        "         zrcadlovac -setup\n"
        "Porovná dva adresářové stromy a pomůže je srovnat. Běžící okno převezme\n"
        "adresáře dalšího spuštění.\n"
        "\n"
        "Volby:\n"
        "  -setup         Nabídne přidání skupiny „Zrcadlovač“ do nabídky aplikací.\n"
        "  -h, --help     Vypíše tuto nápovědu a skončí.\n"
        "  -v, --version  Vypíše verzi a skončí.\n"
        "\n"
        "Okno potřebuje grafické prostředí; porovnání bez něj provede zrcadlovac-cli.\n");
}

QString ChybiDisplej()
{
    return QStringLiteral(
        "zrcadlovac: nelze otevřít žádný displej, okno potřebuje grafické prostředí "
        "(bez něj porovná adresáře zrcadlovac-cli).\n");
}

std::optional<int> VyridPredOknem(int argc, char** argv, const QString& verze)
{
    for (int i = 1; i < argc; ++i) {
        if (jeVolba(argv[i], "-h", "--help")) {
            vypis(stdout, NapovedaOkna());
            return 0;
        }
        if (jeVolba(argv[i], "-v", "--version")) {
            vypis(stdout, verze + QLatin1Char('\n'));
            return 0;
        }
    }
    if (prazdna("DISPLAY") && prazdna("WAYLAND_DISPLAY") && prazdna("QT_QPA_PLATFORM")) {
        vypis(stderr, ChybiDisplej());
        return kodBezDispleje;
    }
    return std::nullopt;
}

HlidacDispleje::HlidacDispleje()
{
    predchozi = qInstallMessageHandler(hlidej);
}

HlidacDispleje::~HlidacDispleje()
{
    qInstallMessageHandler(predchozi);
}

} // namespace zrc
