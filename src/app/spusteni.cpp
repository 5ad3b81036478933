#include "app/spusteni.h"

#include "app/core/jedina_instance.h"
#include "app/core/nabidka_start.h"
#include "app/core/vstup_par.h"
#include "ui/cestina.h"
#include "ui/hlaseni.h"
#include "ui/ukonceni_signalem.h"
#include "ui/zakl_okno_1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace zrc {
namespace {

const QString kSetup = QStringLiteral("-setup");
const QString kDotazNabidky = QStringLiteral("Chceš vytvořit zástupce v nabidce Start?");

// A later start: the record first, then restore and apply, in this order. A
// record that could not be written is reported and not applied; the running
// window still comes to the front.
int PredejBezicimu(JedinaInstance& instance, const VolbyStartu& volby)
{
    const VysledekZapisu zapis = ZapisVstupPar(volby.cestaIni, volby.program, volby.parametry);
    if (!zapis.ok()) {
        instance.notify({Oznameni::Obnov});
        Hlaseni(zapis.chyba(), DruhHlaseni::Chyba, Tlacitko::OK);
        return 1;
    }
    return instance.notify({Oznameni::Obnov, Oznameni::Pouzij}) ? 0 : 1;
}

void NabidkaStartSeSouhlasem(const QString& program)
{
    if (Hlaseni(kDotazNabidky, DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne) == Odpoved::Ano)
        NastavNabidkuStart(program);
}

} // namespace

VyberAdresare standardniVyberAdresare()
{
    return [](QWidget* rodic, const QString& start) {
        return VyberAdresar(rodic, start);
    };
}

void NastavDleVstupPar(TForm1& okno)
{
    const auto adresare = NactiVstupPar(okno.cestaIni());
    if (!adresare)
        return;
    okno.prevezmiAdresare(adresare->adresar1, adresare->adresar2);
}

void PropojInstanci(JedinaInstance& instance, TForm1& okno)
{
    QObject::connect(&instance, &JedinaInstance::restoreRequested, &okno, [&okno] { ObnovOkno(okno); });
    QObject::connect(&instance, &JedinaInstance::applyRequested, &okno, [&okno] { NastavDleVstupPar(okno); });
}

void ObnovOkno(QWidget& okno)
{
    if (okno.isMinimized())
        okno.setWindowState(okno.windowState() & ~Qt::WindowMinimized);
    okno.show();
    okno.raise();
    okno.activateWindow();
}

void ZpracujPrikazovouRadku(TForm1& okno, const VolbyStartu& volby)
{
    if (volby.parametry == QStringList{kSetup}) {
        NabidkaStartSeSouhlasem(volby.program);
    } else if (!volby.parametry.isEmpty()) {
        if (ohlasZapis(ZapisVstupPar(volby.cestaIni, volby.program, volby.parametry)))
            NastavDleVstupPar(okno);
    }
}

void FormShow(TForm1& okno, const VolbyStartu& volby)
{
    if (volby.parametry.size() != 1 || !QFileInfo(volby.parametry.front()).isDir())
        return;
    const QString start = QDir(volby.parametry.front()).absolutePath();
    const QString vybrany = volby.vyberAdresare(&okno, start);
    if (!vybrany.isEmpty())
        okno.nastavAdresar2(vybrany);
}

int SpustProgram(const VolbyStartu& volby)
{
    JedinaInstance instance(volby.cestaIni);
    if (instance.start() == JedinaInstance::Role::Second)
        return PredejBezicimu(instance, volby);

    TForm1 okno(volby.cestaIni, nullptr,
                 volby.parametry.isEmpty() ? TForm1::Start::SHistorii : TForm1::Start::BezHistorie);
    ZpracujPrikazovouRadku(okno, volby);
    PropojInstanci(instance, okno);
    // SIGTERM, SIGINT, SIGHUP: the window closes as by hand, then the event
    // loop ends even with other windows open; main ends by the signal.
    auto* signaly = new UkonceniSignalem(okno);
    QObject::connect(signaly, &UkonceniSignalem::oknoZavreno, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    okno.show();
    // The chooser opens over the visible window, once the event loop runs.
    QTimer::singleShot(0, &okno, [&okno, &volby] { FormShow(okno, volby); });
    return QApplication::exec();
}

} // namespace zrc
