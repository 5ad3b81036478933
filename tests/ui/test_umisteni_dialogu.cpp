// Every dialog of the window lies on the screen and over the main window, the
// main window maximised or at its default size. On the offscreen platform the
// windows have no frames; run under Xvfb with a window manager
// (se_spravcem_oken.sh, the test "dialogy_s_ramem") the frames are real,
// added by the manager after the dialog is mapped.

#include "test_okno_pomoc.h"

#include "operace/kniha_chyb.h"
#include "platform/syscalls.h"
#include "support/chybova_volani.h"
#include "support/temp_tree.h"
#include "ui/beh_operace_okno.h"
#include "ui/cesta_text.h"
#include "ui/copy_info.h"
#include "ui/kniha_chyb_okno.h"
#include "ui/soubor_info.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

#include <cerrno>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace zrc::test {
namespace {

void kopiePomalu(TForm1& okno)
{
    TempTree zdroj, cil;
    std::ofstream(zdroj.path("velky.bin"), std::ios::binary) << std::string(4 << 20, 'v');
    // 4 KiB writes of 5 ms: the progress window stays open for seconds.
    test::ChyboveVolani sys;
    sys.zpozdeniZapisuUs = 5000;
    sys.jenCteniZapis();
    BehOperaceVOkne beh(&okno, {});
    (void)beh.proved({.zdroj = zdroj.root(), .cil = cil.root(), .operace = OperaceKodu(1, 1),
                      .polozky = {{"velky.bin", 4 << 20}}},
                     {.sys = &sys, .blokCteni = 4096});
}

std::string popis(const QRect& r)
{
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

struct Dialog {
    const char* nazev;
    std::function<void(TForm1&)> otevri;   // returns when the dialog has closed
};

const std::vector<Dialog>& dialogy()
{
    static const std::vector<Dialog> d{
        {"Maska", [](TForm1& o) { (void)ZadejCestu(&o, QStringLiteral("docs/"), true); }},
        {"Konfigurace", [](TForm1& o) { o.Button3Click(); }},
        {"OProgramu", [](TForm1& o) { o.Button18Click(); }},
        {"Info", [](TForm1& o) { ZobrazInfo({.adresar1 = "/", .adresar2 = "/", .jmeno = "x"}, o); }},
        {"Hlaseni", [](TForm1&) {
             (void)Hlaseni(QStringLiteral("Opravdu odstranit vybrané soubory?"), DruhHlaseni::Potvrzeni,
                           Tlacitko::Ano | Tlacitko::Ne);
         }},
        {"KnihaChyb", [](TForm1& o) {
             KnihaChyb k;
             OknoKnihyChyb(k, &o).exec();
         }},
        {"Prubeh", kopiePomalu},
    };
    return d;
}

struct Pripad {
    std::size_t dialog;
    bool maximalizovano;
};

class UmisteniDialogu : public OknoTest, public testing::WithParamInterface<Pripad> {
protected:
    // The frame of the dialog once it has settled: past the second in which
    // the dialog is placed again as its frame and size arrive, and no move
    // for a quarter of a second.
    QRect ramecDialogu()
    {
        QRect ramec;
        QWidget* dialog = nullptr;
        QElapsedTimer od, klid;
        QTimer hlidac;
        hlidac.setInterval(10);
        QObject::connect(&hlidac, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w == okno.get())
                return;
            if (w != dialog) {
                dialog = w;
                od.start();
                klid.start();
                ramec = w->frameGeometry();
            }
            if (w->frameGeometry() != ramec) {
                ramec = w->frameGeometry();
                klid.restart();
            }
            if (od.elapsed() > 1500 && klid.elapsed() > 250) {
                hlidac.stop();
                w->close();
            }
        });
        hlidac.start();
        dialogy()[GetParam().dialog].otevri(*okno);
        return ramec;
    }
};

TEST_P(UmisteniDialogu, CelyNaObrazovceANadHlavnimOknem)
{
    nahrada_.reset();   // the real message dialog
    otevri();
    if (GetParam().maximalizovano) {
        okno->showMaximized();
        ASSERT_TRUE(pockej([&] { return okno->isMaximized(); }));
    }
    const QRect oblast = okno->screen()->availableGeometry();
    ASSERT_TRUE(pockej([&] { return oblast.contains(okno->frameGeometry()); }));
    QTest::qWait(300);   // the window manager's last word on the main window
    const QRect ramec = ramecDialogu();
    ASSERT_FALSE(ramec.isNull()) << "the dialog did not open";
    const QRect hlavni = okno->frameGeometry();
    EXPECT_TRUE(oblast.contains(ramec)) << "screen " << popis(oblast) << ", dialog " << popis(ramec);
    EXPECT_TRUE(hlavni.contains(ramec)) << "main " << popis(hlavni) << ", dialog " << popis(ramec);
}

std::vector<Pripad> pripady()
{
    std::vector<Pripad> v;
    for (bool max : {true, false})
        for (std::size_t i = 0; i < dialogy().size(); ++i)
            v.push_back({i, max});
    return v;
}

INSTANTIATE_TEST_SUITE_P(Okna, UmisteniDialogu, testing::ValuesIn(pripady()), [](const auto& info) {
    return std::string(dialogy()[info.param.dialog].nazev) + (info.param.maximalizovano ? "Max" : "Normal");
});

// The read-only question comes while the progress window is the active
// window; it is centred on the main window, as the confirmation before the
// operation was, not on the small progress window at the corner.
TEST_F(OknoTest, OtazkaJenProCteniNaStreduHlavnihoOkna)
{
    nahrada_.reset();
    otevri();
    // Under a window manager the main window's frame (its title bar, 24 px)
    // may come after the show; its centre is measured with the frame.
    (void)QTest::qWaitFor([&] { return okno->frameGeometry() != okno->geometry(); }, 2000);
    TForm4 prubeh(okno.get());
    prubeh.show();
    prubeh.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&prubeh));
    QRect ramec;
    QTimer hlidac;
    hlidac.setInterval(10);
    QObject::connect(&hlidac, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->findChild<QWidget*>(QStringLiteral("textHlaseni")))
            return;
        hlidac.stop();
        // Settled, frame and all: the placement is renewed for a second after
        // the show, as a loaded window manager's frame may come late.
        QTimer::singleShot(1200, w, [&ramec, w] {
            ramec = w->frameGeometry();
            w->close();
        });
    });
    hlidac.start();
    // As the operation asks it: without a beep.
    (void)HlaseniOkno(QStringLiteral("Smazat i soubor(y) jen pro čtení?\r/a/b.txt"), DruhHlaseni::Potvrzeni,
                      Tlacitko::Ano | Tlacitko::Ne | Tlacitko::Vse);
    ASSERT_FALSE(ramec.isNull()) << "no question";
    const QPoint stred = okno->frameGeometry().center();
    EXPECT_LE(std::abs(ramec.center().x() - stred.x()), 1) << ramec.center().x() << " / " << stred.x();
    EXPECT_LE(std::abs(ramec.center().y() - stred.y()), 1) << ramec.center().y() << " / " << stred.y();
}

} // namespace
} // namespace zrc::test
