#include "pomocne.h"
#include "settings/ini_soubor.h"
#include "support/chybova_volani.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc {
namespace {

using test::IniTest;
using test::vDetskemProcesu;

using IniSoubor = IniTest;

TEST_F(IniSoubor, zapisVytvoriSouborASekci)
{
    ASSERT_TRUE(IniZapisBool(cesta, u"Historie", u"nepridavani", true).ok());
    ASSERT_TRUE(IniZapisCislo(cesta, u"Okno", u"Left", -20).ok());
    ASSERT_TRUE(IniZapisText(cesta, u"Adresar1", u"1", QStringLiteral("/tmp/a ")).ok());
    EXPECT_EQ(obsah(), "[Historie]\nnepridavani=1\n\n[Okno]\nLeft=-20\n\n[Adresar1]\n1=\"/tmp/a \"\n");
    EXPECT_TRUE(IniCtiBool(cesta, u"historie", u"NEPRIDAVANI", false));
    EXPECT_EQ(IniCtiCislo(cesta, u"Okno", u"Left", 1), -20);
    EXPECT_EQ(IniCtiText(cesta, u"Adresar1", u"1"), QStringLiteral("/tmp/a "));
    EXPECT_EQ(souboryAdresare(), QStringList{QStringLiteral("zrcadlovac.ini")});   // no temporary left
}

TEST_F(IniSoubor, chybejiciSouborCteVychozi)
{
    EXPECT_TRUE(IniCtiBool(cesta, u"Nastaveni", u"potvrzodstr", true));
    EXPECT_EQ(IniCtiText(cesta, u"Zprava", u"1", QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_FALSE(QFile::exists(cesta));   // reading creates nothing
}

TEST_F(IniSoubor, zapisZachovaPravaAOdkaz)
{
    zapisSoubor("[A]\nx=1\n");
    ASSERT_EQ(::chmod(QFile::encodeName(cesta).constData(), 0640), 0);
    const QString odkaz = adresar.filePath(QStringLiteral("odkaz.ini"));
    ASSERT_TRUE(QFile::link(cesta, odkaz));

    ASSERT_TRUE(IniZapisCislo(odkaz, u"A", u"x", 2).ok());
    EXPECT_EQ(obsah(), "[A]\nx=2\n");
    EXPECT_TRUE(QFileInfo(odkaz).isSymLink());
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(cesta).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// Settings files kept elsewhere behind symbolic links (dotfiles): the write
// reaches the file at the end of the chain, creates it when the chain dangles,
// and every link stays a link. Relative targets count from the link's own
// directory, which here is never the working directory.
struct PripadOdkazu {
    const char* nazev;
    std::vector<std::pair<const char*, const char*>> odkazy;   // link, its target
    const char* cil;                                           // the file at the end
    QByteArray puvodni;                                        // empty: cil absent
};

void PrintTo(const PripadOdkazu& p, std::ostream* os) { *os << p.nazev; }

class OdkazNaNastaveni : public IniTest, public testing::WithParamInterface<PripadOdkazu> {};

TEST_P(OdkazNaNastaveni, ZapisPrejdeNaCilAOdkazZustane)
{
    const PripadOdkazu& p = GetParam();
    ASSERT_TRUE(QDir(adresar.path()).mkpath(QStringLiteral("tecky/hlubsi")));
    const QString cil = adresar.filePath(QString::fromUtf8(p.cil));
    if (!p.puvodni.isEmpty()) {
        QFile f(cil);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(p.puvodni);
    }
    for (const auto& [odkaz, kam] : p.odkazy)
        ASSERT_EQ(::symlink(kam, QFile::encodeName(adresar.filePath(QString::fromUtf8(odkaz))).constData()), 0);

    ASSERT_TRUE(IniZapisCislo(cesta, u"A", u"x", 2).ok());
    QFile f(cil);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[A]\nx=2\n");
    for (const auto& [odkaz, kam] : p.odkazy)
        EXPECT_TRUE(QFileInfo(adresar.filePath(QString::fromUtf8(odkaz))).isSymLink()) << odkaz;
    EXPECT_EQ(IniCtiCislo(cesta, u"A", u"x", 0), 2);
}

INSTANTIATE_TEST_SUITE_P(Pripady, OdkazNaNastaveni, testing::Values(
    PripadOdkazu{"RelativniNaExistujici", {{"zrcadlovac.ini", "tecky/nastaveni.ini"}},
                 "tecky/nastaveni.ini", "[A]\nx=1\n"},
    PripadOdkazu{"VisiciVytvoriCil", {{"zrcadlovac.ini", "tecky/nastaveni.ini"}},
                 "tecky/nastaveni.ini", {}},
    PripadOdkazu{"RetezRelativnichVisici", {{"zrcadlovac.ini", "tecky/hlubsi/dalsi.ini"},
                                            {"tecky/hlubsi/dalsi.ini", "../nastaveni.ini"}},
                 "tecky/nastaveni.ini", {}}),
    [](const testing::TestParamInfo<PripadOdkazu>& i) { return std::string(i.param.nazev); });

// A link (or a mistyped path) that leads to some other file, here one laid
// out like the password list: the write fails with its message and the file
// stays byte for byte as it was, also for root, whom permissions do not stop.
TEST_F(IniSoubor, odkazNaCiziSouborHoNenahradi)
{
    const QString cizi = adresar.filePath(QStringLiteral("passwd"));
    const QByteArray puvodni = "root:x:0:0:root:/root:/bin/bash\n# comment\n\nuser:x:1000:1000::/home/user:/bin/sh\n";
    {
        QFile f(cizi);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(puvodni);
    }
    ASSERT_TRUE(QFile::link(cizi, cesta));
    const VysledekZapisu v = IniZapisBool(cesta, u"Historie", u"nepridavani", true);
    EXPECT_EQ(v.chyba(), QStringLiteral("Unable to write to ") + cesta);
    QFile f(cizi);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), puvodni);
    EXPECT_TRUE(QFileInfo(cesta).isSymLink());
    EXPECT_EQ(souboryAdresare(), (QStringList{QStringLiteral("passwd"), QStringLiteral("zrcadlovac.ini")}));
}

TEST_F(IniSoubor, adresarMistoSouboruHlasiChybu)
{
    zapisSoubor("x");
    const QString podSouborem = cesta + QStringLiteral("/zrcadlovac.ini");
    const VysledekZapisu v = IniZapisBool(podSouborem, u"A", u"b", true);
    ASSERT_FALSE(v.ok());
    EXPECT_EQ(v.chyba(), QStringLiteral("Unable to write to ") + podSouborem);
}

TEST_F(IniSoubor, adresarJenProCteniNechaSouborBezeZmeny)
{
    zapisSoubor("[A]\nx=1\n");
    const QByteArray dir = QFile::encodeName(adresar.path());
    ASSERT_EQ(::chmod(dir.constData(), 0555), 0);
    const bool zapisovatelny = ::access(dir.constData(), W_OK) == 0;
    if (!zapisovatelny) {
        const VysledekZapisu v = IniZapisCislo(cesta, u"A", u"x", 2);
        EXPECT_FALSE(v.ok());
        EXPECT_EQ(v.chyba(), QStringLiteral("Unable to write to ") + cesta);
        EXPECT_EQ(obsah(), "[A]\nx=1\n");
    }
    ::chmod(dir.constData(), 0755);
    if (zapisovatelny)
        GTEST_SKIP() << "permissions do not bind this user (root)";
}

// A full disk: the file size limit makes the temporary file's write fail,
// also for root.
TEST_F(IniSoubor, plnyDiskNechaSouborBezeZmeny)
{
    const QByteArray puvodni = "; keep\n[A]\nx=1\n";
    zapisSoubor(puvodni);
    const int vysledek = vDetskemProcesu([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 64;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const VysledekZapisu v = IniZapisText(cesta, u"A", u"dlouhy", QString(500, u'z'));
        return v.ok() ? 1 : v.chyba() == QStringLiteral("Unable to write to ") + cesta ? 0 : 2;
    });
    EXPECT_EQ(vysledek, 0);
    EXPECT_EQ(obsah(), puvodni);
    EXPECT_EQ(souboryAdresare(), QStringList{QStringLiteral("zrcadlovac.ini")});
}

// A write whose flush fails (EIO through the system-call layer) leaves the
// file as it was, with its message, and no temporary file.
TEST_F(IniSoubor, chybaSynchronizaceNechaSouborBezeZmeny)
{
    const QByteArray puvodni = "[A]\nx=1\n";
    zapisSoubor(puvodni);
    test::ChyboveVolani sys;
    sys.poruchy.push_back({.druh = test::Call::Fsync});
    const VysledekZapisu v = zmenIni(cesta, [](IniDokument& d) { d.zapisCislo(u"A", u"x", 2); }, &sys);
    EXPECT_EQ(v.chyba(), QStringLiteral("Unable to write to ") + cesta);
    EXPECT_EQ(obsah(), puvodni);
    EXPECT_EQ(souboryAdresare(), QStringList{QStringLiteral("zrcadlovac.ini")});
}

TEST_F(IniSoubor, hodnotaZapsanaJinymProcesemJeVidetHned)
{
    ASSERT_TRUE(IniZapisText(cesta, u"Zprava", u"1", QStringLiteral("/a")).ok());
    const int dite = vDetskemProcesu([&] {
        if (IniCtiText(cesta, u"Zprava", u"1") != QStringLiteral("/a"))
            return 1;
        return IniZapisCislo(cesta, u"Zprava", u"pocet", 1).ok() ? 0 : 2;
    });
    ASSERT_EQ(dite, 0);
    EXPECT_EQ(IniCtiCislo(cesta, u"Zprava", u"pocet", 0), 1);
}

// Two processes write 50 keys each into the same file at the same time; none
// of the 100 values may be lost, and every read sees a whole file.
TEST_F(IniSoubor, dvaProcesyZapisujiSoucasne)
{
    constexpr int pocet = 50;
    auto zapisuj = [&](QStringView sekce) {
        return [&, sekce] {
            for (int i = 0; i < pocet; ++i) {
                if (!IniZapisCislo(cesta, sekce, QString::number(i), i).ok())
                    return 1;
                if (IniCtiCislo(cesta, sekce, QString::number(i), -1) != i)
                    return 2;
            }
            return 0;
        };
    };
    const pid_t prvni = ::fork();
    if (prvni == 0)
        ::_exit(zapisuj(u"A")());
    const int druhy = vDetskemProcesu(zapisuj(u"B"));
    int stav = 0;
    ASSERT_EQ(::waitpid(prvni, &stav, 0), prvni);
    ASSERT_TRUE(WIFEXITED(stav));
    EXPECT_EQ(WEXITSTATUS(stav), 0);
    EXPECT_EQ(druhy, 0);
    const IniDokument d = nactiIni(cesta);
    for (int i = 0; i < pocet; ++i) {
        EXPECT_EQ(d.ctiCislo(u"A", QString::number(i), -1), i);
        EXPECT_EQ(d.ctiCislo(u"B", QString::number(i), -1), i);
    }
}

// Settings files that are no settings files, or that the user protected: a
// read gives the defaults at once (never waits), a write changes nothing and
// says "Unable to write to". Each case runs in a child with an alarm, so that a
// read that would block fails the test instead of hanging it.
struct PripadSouboru {
    const char* nazev;
    std::function<void(const QString& cesta)> priprav;
};

void PrintTo(const PripadSouboru& p, std::ostream* os) { *os << p.nazev; }

class ZvlastniSoubor : public IniTest, public testing::WithParamInterface<PripadSouboru> {};

TEST_P(ZvlastniSoubor, CteVychoziAZapisSelze)
{
    GetParam().priprav(cesta);
    const auto pred = souboryAdresare();
    const int vysledek = vDetskemProcesu([&] {
        ::alarm(5);
        if (IniCtiCislo(cesta, u"A", u"x", 7) != 7 || !overCteniIni(cesta))
            return 1;
        const VysledekZapisu v = IniZapisCislo(cesta, u"A", u"x", 2);
        return v.chyba() == QStringLiteral("Unable to write to ") + cesta ? 0 : 2;
    });
    EXPECT_EQ(vysledek, 0);
    EXPECT_EQ(souboryAdresare(), pred);
}

INSTANTIATE_TEST_SUITE_P(Pripady, ZvlastniSoubor, testing::Values(
    PripadSouboru{"Fifo", [](const QString& c) { ASSERT_EQ(::mkfifo(QFile::encodeName(c).constData(), 0644), 0); }},
    PripadSouboru{"Zarizeni", [](const QString& c) { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), c)); }},
    PripadSouboru{"Adresar", [](const QString& c) { ASSERT_TRUE(QDir().mkdir(c)); }},
    PripadSouboru{"VetsiNez16MiB", [](const QString& c) {
        QFile f(c);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[A]\nx=7\n");
        ASSERT_TRUE(f.resize(16 * 1024 * 1024 + 1));
    }}),
    [](const testing::TestParamInfo<PripadSouboru>& i) { return std::string(i.param.nazev); });

TEST_F(IniSoubor, souborJenProCteniSeNenahradi)
{
    zapisSoubor("[A]\nx=1\n");
    ASSERT_EQ(::chmod(QFile::encodeName(cesta).constData(), 0444), 0);
    const VysledekZapisu v = IniZapisCislo(cesta, u"A", u"x", 2);
    EXPECT_EQ(v.chyba(), QStringLiteral("Unable to write to ") + cesta);
    EXPECT_EQ(obsah(), "[A]\nx=1\n");
    EXPECT_TRUE(IniZapisCislo(cesta, u"A", u"x", 1).ok());   // nothing to change
}

// Writers killed in the middle of writing the temporary file (the file size
// limit's SIGXFSZ ends them there) leave it behind; the next write removes it.
TEST_F(IniSoubor, pozustatkyZabitychZapisuOdstraniDalsiZapis)
{
    zapisSoubor("[A]\nx=1\n");
    for (int i = 0; i < 10; ++i) {
        vDetskemProcesu([&] {
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 16;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            (void)IniZapisText(cesta, u"A", u"dlouhy", QString(500, u'z'));
            return 0;
        });
    }
    EXPECT_GE(souboryAdresare().size(), 2);   // a killed writer's temporary is there
    ASSERT_TRUE(IniZapisCislo(cesta, u"A", u"x", 2).ok());
    EXPECT_EQ(souboryAdresare(), QStringList{QStringLiteral("zrcadlovac.ini")});
    EXPECT_EQ(obsah(), "[A]\nx=2\n");
}

} // namespace
} // namespace zrc
