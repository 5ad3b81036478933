// zrcadlovac-cli --ini PATH [--history N]: what the INI file of the window
// program gives the command line, and that the command line wins over it.

#include "spusteni_cli.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zrc {
namespace {

using test::file;
using test::localTime;
using test::seznamyACesty;
using test::TempTree;
using Beh = test::VysledekCli;

class CliIni : public testing::Test {
protected:
    CliIni()
    {
        const std::time_t t = localTime(2025, 5, 1, 12, 0, 0);
        a.add({file("alfa.txt", 20, t), file("Beta.bak", 100, t), file("gama.png", 3, t),
               file("jen1/uvnitr.txt", 1, t)});
        b.add({file("jen2.txt", 7, t)});
    }

    void ini(const QByteArray& text) const
    {
        QFile f(cesta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    Beh spust(const QStringList& argumenty) const
    {
        // The sort compares with the C library's collation.
        return test::spustCli(QStringList{"--format", "tsv"} + argumenty, {.prostredi = {"LC_ALL=C"}});
    }

    TempTree a, b;
    QTemporaryDir dir;
    QString cesta = dir.filePath("zrcadlovac.ini");
};

struct PripadIni {
    const char* nazev;
    QByteArray ini;
    QStringList volby;
    std::string ocekavane;
};

void PrintTo(const PripadIni& p, std::ostream* os) { *os << p.nazev; }

class CliIniPripady : public CliIni, public testing::WithParamInterface<PripadIni> {};

TEST_P(CliIniPripady, iniAVolbyPrikazoveRadky)
{
    ini(GetParam().ini);
    const Beh v = spust(QStringList{"--ini", cesta} + GetParam().volby + QStringList{a.qroot(), b.qroot()});
    EXPECT_EQ(v.kod, 1) << v.err;
    EXPECT_EQ(seznamyACesty(v.out), GetParam().ocekavane);
    QFile f(cesta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), GetParam().ini);   // the command line writes nothing
}

const char* const razeni = "[Serazeni]\npodle=%1\ntyp=%2\n";

QByteArray serazeni(int podle, int typ)
{
    return QString::fromLatin1(razeni).arg(podle).arg(typ).toUtf8();
}

INSTANTIATE_TEST_SUITE_P(Pripady, CliIniPripady, testing::Values(
    PripadIni{"prazdnySoubor", "", {}, "1 beta.bak\n1 alfa.txt\n1 gama.png\n2 jen2.txt\n"},
    PripadIni{"vynechaneTypy", "[Typ]\npouzit=1\n1=BAK\n3=PNG\n", {}, "1 alfa.txt\n2 jen2.txt\n"},
    PripadIni{"typyNepouzite", "[Typ]\npouzit=0\n1=BAK\n", {}, "1 beta.bak\n1 alfa.txt\n1 gama.png\n2 jen2.txt\n"},
    PripadIni{"excludeVyhraje", "[Typ]\npouzit=1\n1=BAK\n", {"--exclude", "txt"}, "1 beta.bak\n1 gama.png\n"},
    PripadIni{"podadresareZIni", "[Podadresare]\npouzit=0\n", {},
              "1 beta.bak\n1 alfa.txt\n1 gama.png\n1 jen1/uvnitr.txt\n2 jen2.txt\n"},
    PripadIni{"podadresareVyhrajePrikaz", "[Podadresare]\npouzit=0\n", {"--same-subdirs1", "yes"},
              "1 beta.bak\n1 alfa.txt\n1 gama.png\n2 jen2.txt\n"},
    PripadIni{"razeniJmenoSestupne", serazeni(1, 0), {}, "1 gama.png\n1 beta.bak\n1 alfa.txt\n2 jen2.txt\n"},
    PripadIni{"razeniTypVzestupne", serazeni(2, 1), {}, "1 beta.bak\n1 gama.png\n1 alfa.txt\n2 jen2.txt\n"},
    // Sizes compare as numbers: descending, 100 comes before 20 before 3.
    PripadIni{"razeniVelikostJakoCislo", serazeni(4, 0), {}, "1 beta.bak\n1 alfa.txt\n1 gama.png\n2 jen2.txt\n"},
    PripadIni{"razeniNulaNechaPoradi", serazeni(0, 1), {}, "1 beta.bak\n1 alfa.txt\n1 gama.png\n2 jen2.txt\n"}),
    [](const testing::TestParamInfo<PripadIni>& i) { return std::string(i.param.nazev); });

TEST_F(CliIni, historieDaVolbyIAdresare)
{
    ini(QStringLiteral("[H1]\nzapsano=1\nadr1=%1\nadr2=%2\nCBOmez=2\nChB_adresar1=0\n"
                       "[H2]\nzapsano=1\nadr1=%2\nadr2=%1\nCBOmez=1\nChB_adresar1=1\nChB_adresar2=1\n")
            .arg(a.qroot(), b.qroot()).toUtf8());
    Beh v = spust({"--ini", cesta, "--history", "1"});
    EXPECT_EQ(seznamyACesty(v.out), "1 beta.bak\n1 alfa.txt\n1 gama.png\n1 jen1/uvnitr.txt\n") << v.err;
    v = spust({"--ini", cesta, "--history", "1", "--scope", "both", "--same-subdirs1", "yes"});
    EXPECT_EQ(seznamyACesty(v.out), "1 beta.bak\n1 alfa.txt\n1 gama.png\n2 jen2.txt\n");
    // Directories given on the command line win over the entry's.
    v = spust({"--ini", cesta, "--history", "2", a.qroot(), b.qroot()});
    EXPECT_EQ(seznamyACesty(v.out), "1 beta.bak\n1 alfa.txt\n1 gama.png\n2 jen2.txt\n");
    v = spust({"--ini", cesta, "--history", "2"});
    EXPECT_EQ(seznamyACesty(v.out), "1 jen2.txt\n2 beta.bak\n2 alfa.txt\n2 gama.png\n");
}

TEST_F(CliIni, chybyHistorie)
{
    ini("[H1]\nzapsano=1\n[H2]\nadr1=/x\n");
    EXPECT_EQ(spust({"--history", "1", a.qroot(), b.qroot()}).kod, 2);
    EXPECT_EQ(spust({"--ini", cesta, "--history", "31"}).kod, 2);
    EXPECT_EQ(spust({"--ini", cesta, "--history", "x"}).kod, 2);
    const Beh v = spust({"--ini", cesta, "--history", "2"});
    EXPECT_EQ(v.kod, 2);
    EXPECT_EQ(v.err, QStringLiteral("--history: %1 has no history entry 2\n").arg(cesta).toStdString());
    EXPECT_EQ(spust({"--ini", cesta}).kod, 2);   // no directories without --history
}

TEST_F(CliIni, chybejiciIniSeNevytvori)
{
    const Beh v = spust({"--ini", cesta, a.qroot(), b.qroot()});
    EXPECT_EQ(v.kod, 2);
    EXPECT_FALSE(QFile::exists(cesta));
}

} // namespace
} // namespace zrc
