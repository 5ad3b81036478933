// The progress line of the progress window: its text from replayed transfers
// (speed over the last three seconds, "zbývá" once stable), the file number
// told from the engine's steps, and the line in the window during a real copy.

#include "platform/syscalls.h"
#include "support/chybova_volani.h"
#include "support/temp_tree.h"
#include "ui/beh_operace_okno.h"
#include "ui/copy_info.h"
#include "ui/poradi_souboru.h"
#include "ui/radek_prubehu.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <unistd.h>

namespace zrc::test {
namespace {

constexpr std::int64_t KiB = 1024, MiB = KiB * KiB, GiB = MiB * KiB;

struct Usek {
    std::int64_t ms, bajtuZaS;   // a stretch of the transfer at a steady rate
};

struct Prenos {
    const char* nazev;
    std::vector<Usek> useky;
    std::size_t soubor, souboru;
    std::int64_t celkem;
    const char* text;
};

class TextRadku : public testing::TestWithParam<Prenos> {};

// Samples every 250 ms, as the window's timer takes them.
TEST_P(TextRadku, ZPrehranehoPrenosu)
{
    const Prenos& p = GetParam();
    RadekPrubehu r;
    std::int64_t ms = 0, hotovo = 0;
    r.vzorek(0, 0);
    for (const Usek& u : p.useky)
        for (std::int64_t t = 0; t < u.ms; t += 250) {
            ms += 250;
            hotovo += u.bajtuZaS / 4;
            r.vzorek(hotovo, ms);
        }
    EXPECT_EQ(r.text({.soubor = p.soubor, .souboru = p.souboru, .hotovo = hotovo, .celkem = p.celkem}),
              QString::fromUtf8(p.text));
}

INSTANTIATE_TEST_SUITE_P(Prenosy, TextRadku, testing::Values(
    Prenos{"Zacatek", {}, 0, 120, 4 * GiB, "0 z 120 souborů · 0 B z 4,0 GiB"},
    Prenos{"PodSekunduBezRychlosti", {{500, MiB}}, 1, 120, 4 * GiB, "1 z 120 souborů · 512,0 KiB z 4,0 GiB"},
    Prenos{"RychlostPredUstalenim", {{2000, 85 * MiB}}, 3, 120, 4 * GiB,
           "3 z 120 souborů · 170,0 MiB z 4,0 GiB · 85 MiB/s"},
    Prenos{"Ustaleny", {{4000, 85 * MiB}}, 3, 120, 4 * GiB,
           "3 z 120 souborů · 340,0 MiB z 4,0 GiB · 85 MiB/s · zbývá 0:45"},
    // The page cache takes the first second at 1 GiB/s: the speed is that of
    // the last three seconds only, and the time waits until it settles.
    Prenos{"NarazNaZacatku", {{1000, GiB}, {4000, 10 * MiB}}, 7, 9, 2 * GiB,
           "7 z 9 souborů · 1,0 GiB z 2,0 GiB · 10 MiB/s · zbývá 1:39"},
    Prenos{"KolisaNeniUstaleny", {{3000, 200 * MiB}, {3000, 20 * MiB}}, 2, 5, GiB,
           "2 z 5 souborů · 660,0 MiB z 1,0 GiB · 20 MiB/s"},
    Prenos{"KolisaPakUstaleny", {{3000, 200 * MiB}, {4000, 20 * MiB}}, 2, 5, GiB,
           "2 z 5 souborů · 680,0 MiB z 1,0 GiB · 20 MiB/s · zbývá 0:18"},
    Prenos{"Stoji", {{1000, 10 * MiB}, {3000, 0}}, 1, 1, 20 * MiB, "1 z 1 souboru · 10,0 MiB z 20,0 MiB · 0 B/s"},
    Prenos{"Hodiny", {{4000, MiB}}, 1, 2, 4 * GiB, "1 z 2 souborů · 4,0 MiB z 4,0 GiB · 1,0 MiB/s · zbývá 1:08:12"}),
    [](const auto& info) { return std::string(info.param.nazev); });

TEST(TextZbyva, MinutyAHodiny)
{
    EXPECT_EQ(textZbyva(0), QStringLiteral("0:00"));
    EXPECT_EQ(textZbyva(34), QStringLiteral("0:34"));
    EXPECT_EQ(textZbyva(725), QStringLiteral("12:05"));
    EXPECT_EQ(textZbyva(3723), QStringLiteral("1:02:03"));
}

struct Kroky {
    const char* nazev;
    std::string zaklad;
    std::vector<std::string> polozky;
    std::vector<std::string> kroky;   // relative to the base
    std::vector<std::size_t> poradi;
};

class PoradiZKroku : public testing::TestWithParam<Kroky> {};

TEST_P(PoradiZKroku, CisloSouboru)
{
    const Kroky& p = GetParam();
    ZadaniOperace z{.zdroj = p.zaklad};
    for (const auto& c : p.polozky)
        z.polozky.push_back({c, 1});
    PoradiSouboru poradi(z);
    std::vector<std::size_t> ven;
    for (const auto& k : p.kroky)
        ven.push_back(poradi.krok(p.zaklad + (p.zaklad.ends_with('/') ? "" : "/") + k));
    EXPECT_EQ(ven, p.poradi);
}

INSTANTIATE_TEST_SUITE_P(Operace, PoradiZKroku, testing::Values(
    Kroky{"Kopie", "/a/zdroj", {"x.txt", "d/y.txt", "z.txt"}, {"x.txt", "d/y.txt", "z.txt"}, {1, 2, 3}},
    Kroky{"OpakujeStejny", "/a/zdroj", {"x.txt", "d/y.txt", "z.txt"}, {"x.txt", "d/y.txt", "d/y.txt", "z.txt"},
          {1, 2, 2, 3}},
    // A move to another disk deletes the sources of a batch afterwards.
    Kroky{"PresunPoDavkach", "/a/zdroj", {"x.txt", "d/y.txt", "z.txt"},
          {"x.txt", "d/y.txt", "x.txt", "d/y.txt", "z.txt", "z.txt"}, {1, 2, 2, 2, 3, 3}},
    Kroky{"PolozkaBezKroku", "/a/zdroj", {"x.txt", "d/y.txt", "z.txt"}, {"x.txt", "z.txt"}, {1, 3}},
    // "d/x.txt" ends with "x.txt" but is not that item.
    Kroky{"JenCelaCesta", "/a/zdroj", {"x.txt", "d/x.txt"}, {"d/x.txt", "x.txt"}, {2, 2}},
    Kroky{"KorenJakoZaklad", "/", {"x.txt", "y.txt"}, {"x.txt", "y.txt"}, {1, 2}}),
    [](const auto& info) { return std::string(info.param.nazev); });

// ---- The line in the progress window during a real copy ----

TEST(RadekVOkne, PodPruhyNejvyseCtyrikratZaSekundu)
{
    TempTree zdroj, cil;
    for (const char* j : {"a.bin", "b.bin", "c.bin"})
        std::ofstream(zdroj.path(j), std::ios::binary) << std::string(MiB, *j);
    QWidget hlavni;
    hlavni.resize(640, 480);
    hlavni.show();
    BehOperaceVOkne beh(&hlavni, {});
    QStringList texty;
    QTimer hlidac;
    hlidac.setInterval(5);
    QObject::connect(&hlidac, &QTimer::timeout, [&] {
        const TForm4* o = beh.okno();
        if (!o)
            return;
        EXPECT_GT(o->Label3->geometry().top(), o->ProgressBar1->geometry().bottom());
        EXPECT_TRUE(o->rect().contains(o->Label3->geometry()));
        if (texty.isEmpty() || texty.back() != o->Label3->text())
            texty << o->Label3->text();
    });
    hlidac.start();
    // 4 KiB writes of 3 ms: three files of 1 MiB take about 2.5 s.
    test::ChyboveVolani sys;
    sys.zpozdeniZapisuUs = 3000;
    sys.jenCteniZapis();
    QElapsedTimer hodiny;
    hodiny.start();
    const auto v = beh.proved({.zdroj = zdroj.root(), .cil = cil.root(), .operace = OperaceKodu(1, 1),
                               .polozky = {{"a.bin", MiB}, {"b.bin", MiB}, {"c.bin", MiB}}},
                              {.sys = &sys, .blokCteni = 4096});
    const qint64 ms = hodiny.elapsed();
    ASSERT_EQ(v.vyrizene.size(), 3u);
    ASSERT_FALSE(texty.isEmpty());
    EXPECT_TRUE(texty.front().startsWith(QStringLiteral("0 z 3 souborů · 0 B z 3,0 MiB")) ||
                texty.front().startsWith(QStringLiteral("1 z 3 souborů · ")))
        << texty.front().toStdString();
    EXPECT_TRUE(texty.filter(QStringLiteral("2 z 3 souborů · ")).size() > 0) << texty.join('\n').toStdString();
    EXPECT_TRUE(texty.filter(QStringLiteral("/s")).size() > 0) << "a speed after the first second";
    EXPECT_LE(texty.size(), ms / 250 + 2) << "at most four changes a second";
}

} // namespace
} // namespace zrc::test
