// zrcadlovac-cli given bad input or meeting trouble: every case ends with a
// clear message and the exit status that says what happened.

#include "spusteni_cli.h"
#include "support/signaly_procesu.h"
#include "support/temp_tree.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace zrc {
namespace {

using test::dir;
using test::file;
using test::localTime;
using test::TempTree;

enum class Jak {
    Primo,          // as the current user
    BezPrav,        // as "nobody", so that mode 000 means what it says
    DoDevFull,      // standard output on /dev/full
    DoZavreneRoury, // a pipe nobody reads, SIGPIPE ignored
    Shell,          // through /bin/sh, for arguments that are not UTF-8
};

struct Prostredi {
    TempTree a, b;
    QTemporaryDir docasny;
    QString ini = docasny.filePath("zrcadlovac.ini");
};

struct PripadCli {
    const char* nazev;
    std::function<void(Prostredi&)> priprav;
    std::function<QStringList(const Prostredi&)> argumenty;
    Jak jak;
    int kod;
    std::string vystupObsahuje, vystupNeobsahuje, chybaObsahuje;
};

void PrintTo(const PripadCli& p, std::ostream* os) { *os << p.nazev; }

test::VysledekCli spust(const QStringList& argumenty, Jak jak)
{
    int roura[2] = {-1, -1};
    if (jak == Jak::DoZavreneRoury) {
        EXPECT_EQ(::pipe(roura), 0);
        ::close(roura[0]);
    }
    test::VolbyCli volby;
    volby.vPotomkovi = [jak, zapis = roura[1]] {
        if (jak == Jak::BezPrav && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        if (jak == Jak::DoDevFull) {
            const int f = ::open("/dev/full", O_WRONLY);
            ::dup2(f, 1);
        }
        if (jak == Jak::DoZavreneRoury) {
            ::signal(SIGPIPE, SIG_IGN);
            ::dup2(zapis, 1);
        }
    };
    QStringList a = argumenty;
    if (jak == Jak::Shell) {
        // sh -c SCRIPT $0 $1 ...: the script names the program as "$0".
        volby.program = QStringLiteral("/bin/sh");
        a = QStringList{"-c", argumenty.first(), QStringLiteral(ZRC_CLI_PATH)} + argumenty.mid(1);
    }
    test::VysledekCli v = test::spustCli(a, volby);
    if (roura[1] >= 0)
        ::close(roura[1]);
    return v;
}

class CliChyby : public testing::TestWithParam<PripadCli> {
protected:
    void SetUp() override { test::nastavPasmoCli(); }
};

TEST_P(CliChyby, ZpravaAKod)
{
    const PripadCli& c = GetParam();
    Prostredi p;
    c.priprav(p);
    const test::VysledekCli v = spust(c.argumenty(p), c.jak);
    EXPECT_EQ(v.kod, c.kod) << v.err;
    EXPECT_NE(v.out.find(c.vystupObsahuje), std::string::npos) << v.out;
    if (!c.vystupNeobsahuje.empty()) {
        EXPECT_EQ(v.out.find(c.vystupNeobsahuje), std::string::npos) << v.out;
    }
    EXPECT_NE(v.err.find(c.chybaObsahuje), std::string::npos) << v.err;
}

QStringList adresare(const Prostredi& p, QStringList volby = {})
{
    return volby << p.a.qroot() << p.b.qroot();
}

std::function<QStringList(const Prostredi&)> s(QStringList volby)
{
    return [volby](const Prostredi& p) { return adresare(p, volby); };
}

void rozdil(Prostredi& p)
{
    p.a.add({file("novy", 1, localTime(2020, 1, 1))});
}


INSTANTIATE_TEST_SUITE_P(Pripady, CliChyby, testing::Values(
    PripadCli{"NecitelnyAdresar",
              [](Prostredi& p) { p.a.add({file("a", 1), file("zavreny/x"), dir("zavreny").withMode(0)}); p.b.add({dir("zavreny")}); },
              s({"--format", "tsv"}), Jak::BezPrav, 2, "1\ta\t", "", "/zavreny: přístup odepřen\n"},
    PripadCli{"ObaZakladyNecitelne",
              [](Prostredi& p) { ::chmod(p.a.root().c_str(), 0); ::chmod(p.b.root().c_str(), 0); },
              s({}), Jak::BezPrav, 2, "", "", "Adresář nelze přečíst: "},
    PripadCli{"JmenoMimoUtf8",
              [](Prostredi& p) { p.a.add({file("A\xff/soubor", 1)}); rozdil(p); },
              [](const Prostredi& p) { return QStringList{"exec \"$0\" --format tsv \"$1/$(printf 'A\\377')\" \"$2\"", p.a.qroot(), p.b.qroot()}; },
              Jak::Shell, 1, "1\tsoubor\t", "", ""},
    PripadCli{"PlnyDisk", rozdil, s({}), Jak::DoDevFull, 2, "", "", "Standardní výstup nelze zapsat: "},
    PripadCli{"ZavrenaRoura", rozdil, s({}), Jak::DoZavreneRoury, 2, "", "", "Standardní výstup nelze zapsat: "},
    PripadCli{"RidiciZnakyVeJmenu",
              [](Prostredi& p) { p.a.add({file("x\x1b[2J\x07\rz", 1)}); },
              s({}), Jak::Primo, 1, "x\\e[2J\\x07\\rz", "\x1b", ""},
    PripadCli{"DatumPo2099",
              [](Prostredi& p) { p.a.add({file("pozdni", 1, localTime(2101, 1, 1)), file("drivejsi", 1, localTime(2099, 1, 1))}); },
              s({"--format", "tsv", "--files-since", "2100-01-01"}), Jak::Primo, 1, "pozdni", "drivejsi", ""},
    PripadCli{"VlaknaMaxInt", rozdil, s({"--threads", "2147483647"}), Jak::Primo, 2, "", "", "--threads: expected a whole number from 1 to 256"},
    PripadCli{"VlaknaNula", rozdil, s({"--threads", "0"}), Jak::Primo, 2, "", "", "--threads"},
    PripadCli{"Vlakna257", rozdil, s({"--threads", "257"}), Jak::Primo, 2, "", "", "--threads"},
    PripadCli{"HistorieZaPoslednichBezSekund",
              [](Prostredi& p) {
                  p.a.add({file("f", 1, localTime(2025, 5, 1, 12, 0, 2))});
                  QFile f(p.ini);
                  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                  f.write(QStringLiteral("[H1]\nzapsano=1\nadr1=%1\nadr2=%2\nCB_Filtr_1=1\n").arg(p.a.qroot(), p.b.qroot()).toUtf8());
              },
              [](const Prostredi& p) { return QStringList{"--format", "tsv", "--ini", p.ini, "--history", "1"}; },
              Jak::Primo, 1, "2025.05.01 12:00\t", "12:00:02", ""},
    PripadCli{"IniChybi", rozdil, [](const Prostredi& p) { return adresare(p, {"--ini", p.ini}); },
              Jak::Primo, 2, "", "", "--ini: "},
    PripadCli{"IniJeAdresar", rozdil, [](const Prostredi& p) { return adresare(p, {"--ini", p.docasny.path()}); },
              Jak::Primo, 2, "", "", "--ini: "}),
    [](const testing::TestParamInfo<PripadCli>& i) { return std::string(i.param.nazev); });

// SIGTERM in the middle of a comparison (a logout, a kill): the run stops at
// its next check and the program ends by the signal, as the caller expects of
// a program it terminated.
TEST(CliSignal, SigtermBehemPorovnaniKonciSignalem)
{
    // 10 000 new files in 100 directories present on both sides (only those
    // are walked): a run of about 0.1 s, far longer than the 0.2 ms between
    // the looks at the handler.
    std::vector<test::Entry> soubory, adresare;
    for (int i = 0; i < 10000; ++i)
        soubory.push_back(file("d" + std::to_string(i % 100) + "/f" + std::to_string(i), 1));
    for (int i = 0; i < 100; ++i)
        adresare.push_back(dir("d" + std::to_string(i)));
    Prostredi p;
    p.a.add(soubory);
    p.b.add(adresare);
    QProcess cli;
    cli.start(QStringLiteral(ZRC_CLI_PATH), {p.a.qroot(), p.b.qroot()});
    ASSERT_TRUE(cli.waitForStarted(15000));
    ASSERT_TRUE(test::pockejNaObsluhuSignalu(static_cast<pid_t>(cli.processId()), SIGTERM))
        << "the program never took SIGTERM over";
    ::kill(static_cast<pid_t>(cli.processId()), SIGTERM);
    ASSERT_TRUE(cli.waitForFinished(15000));
    EXPECT_EQ(cli.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(cli.exitCode(), SIGTERM);
}

} // namespace
} // namespace zrc
