// The progress window of a file operation and the order of its questions, on
// real temporary trees, with the worker thread running the real engine.

#include "engine/docasne_soubory.h"
#include "support/chybova_volani.h"
#include "support/soubory.h"
#include "support/temp_tree.h"
#include "ui/beh_operace_okno.h"
#include "ui/copy_info.h"
#include "ui/hlaseni.h"
#include "ui/stranky_vysledku.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc {
namespace {

using test::existuje;
using test::TempTree;

void zapis(const std::string& cesta, const std::string& data)
{
    std::ofstream(cesta, std::ios::binary) << data;
}

struct Sestava {
    TempTree zdroj, cil;
    QWidget hlavni;
    QStringList stavy;
    BehOperaceVOkne beh{&hlavni, [this](const QString& s) { stavy << s; }};
    // Slow writes (2 ms per 4 KiB block), so that a person (a test) can look
    // at the window meanwhile.
    test::ChyboveVolani sys;

    Sestava()
    {
        sys.zpozdeniZapisuUs = 2000;
        sys.jenCteniZapis();
        hlavni.resize(640, 480);
        hlavni.show();
        for (const char* j : {"a.txt", "b.txt", "c.txt"})
            zapis(zdroj.path(j), std::string(64 * 1024, *j));
    }
    ZadaniOperace zadani(int kod) const
    {
        return {.zdroj = zdroj.root(), .cil = cil.root(), .operace = OperaceKodu(3, kod),
                .polozky = {{"a.txt", 65536}, {"b.txt", 65536}, {"c.txt", 65536}}};
    }
    VolbyOperace volby() { return {.sys = &sys, .blokCteni = 4096}; }
};

TEST(OknoOperace, VzhledKurzorAUmisteni)
{
    Sestava s;
    bool videno = false;
    QObject::connect(&s.beh, &BehOperaceVOkne::oknoOtevreno, [&] {
        TForm4* o = s.beh.okno();
        ASSERT_NE(o, nullptr);
        videno = true;
        EXPECT_EQ(o->windowTitle(), QStringLiteral("Kopírování:"));
        EXPECT_EQ(o->size(), QSize(352, 107));
        EXPECT_EQ(o->Label3->geometry(), QRect(24, 84, 320, 14)) << "the progress line under the bars";
        EXPECT_EQ(o->windowModality(), Qt::ApplicationModal);
        EXPECT_FALSE(o->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(o->Label1->text(), QStringLiteral("Průběh celkem:"));
        EXPECT_EQ(o->ProgressBar2->geometry(), QRect(24, 24, 305, 16));
        EXPECT_EQ(o->ProgressBar1->geometry(), QRect(24, 64, 305, 16));
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        // At the main window's bottom-right corner.
        const QRect h = s.hlavni.frameGeometry(), r = o->frameGeometry();
        EXPECT_EQ(r.right(), h.right());
        EXPECT_EQ(r.bottom(), h.bottom());
    });
    const auto v = s.beh.proved(s.zadani(1), s.volby());
    EXPECT_TRUE(videno);
    EXPECT_EQ(v.vyrizene, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(s.beh.okno(), nullptr);
    ASSERT_FALSE(s.stavy.isEmpty());
    EXPECT_TRUE(s.stavy.contains(QString::fromStdString("Kopíruji: " + s.zdroj.path("b.txt"))));
    EXPECT_EQ(s.stavy.back(), QString());
}

// Questions come one at a time in the order of the items: b.txt fails twice
// (Retry, then Ignore), the read-only c.txt asks at its delete step.
TEST(OknoOperace, PoradiOtazek)
{
    Sestava s;
    ASSERT_EQ(::chmod(s.zdroj.path("c.txt").c_str(), 0444), 0);
    // EIO on the first two status queries of b.txt.
    s.sys.poruchy.push_back({.druh = test::Call::FstatAt, .pocet = 2, .jmeno = "b.txt"});
    QStringList otazky;
    std::vector<Odpoved> odpovedi{Odpoved::Opakuj, Odpoved::Ignoruj, Odpoved::Ano};
    NahradaHlaseni nahrada([&](const ZadostHlaseni& z) {
        otazky << z.text;
        EXPECT_NE(s.beh.okno(), nullptr) << "questions come while the progress window is open";
        const Odpoved o = odpovedi.front();
        odpovedi.erase(odpovedi.begin());
        return o;
    });
    auto z = s.zadani(3);
    const auto v = s.beh.proved(z, s.volby());
    ASSERT_EQ(otazky.size(), 3) << otazky.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(otazky[0].startsWith(QStringLiteral("Soubor "))) << otazky[0].toStdString();
    EXPECT_TRUE(otazky[0].contains(QStringLiteral("b.txt nelze zkopírovat\rchyba čtení")));
    EXPECT_EQ(otazky[1], otazky[0]);
    EXPECT_EQ(otazky[2], QStringLiteral("Smazat i soubor(y) jen pro čtení?\r") +
                             QString::fromStdString(s.zdroj.path("c.txt")));
    EXPECT_EQ(v.vyrizene, (std::vector<std::size_t>{0, 2}));
    EXPECT_TRUE(existuje(s.zdroj.path("b.txt")));
    EXPECT_FALSE(existuje(s.zdroj.path("c.txt")));
}

// Esc in the progress window ends the operation as Cancel does: the current
// file's temporary file goes, the remaining items stay untouched.
TEST(OknoOperace, EscapeZrusi)
{
    Sestava s;
    QObject::connect(&s.beh, &BehOperaceVOkne::oknoOtevreno, [&] {
        QTest::keyClick(s.beh.okno(), Qt::Key_Escape);
    });
    const auto v = s.beh.proved(s.zadani(1), s.volby());
    EXPECT_TRUE(v.zruseno);
    EXPECT_FALSE(existuje(s.cil.path("c.txt")));
    for (const char* j : {"a.txt", "b.txt", "c.txt"})
        EXPECT_TRUE(existuje(s.zdroj.path(j)));
    for (const auto& e : std::filesystem::directory_iterator(s.cil.root()))
        EXPECT_FALSE(jeDocasnySoubor(e.path().filename().string())) << e.path();
    ASSERT_FALSE(s.stavy.isEmpty());
    EXPECT_TRUE(s.stavy.back().startsWith(QStringLiteral("Kopíruji: ")));
}

} // namespace
} // namespace zrc

namespace zrc {
namespace {

TEST(OknoOperace, VzorMazaniPodadresaru)
{
    EXPECT_EQ(textVzoruMazani(QStringLiteral("/data"), 0), QStringLiteral("/data"));
    EXPECT_EQ(textVzoruMazani(QStringLiteral("/data"), 3), QStringLiteral("/data/x/xx/xxx"));
}

} // namespace
} // namespace zrc
