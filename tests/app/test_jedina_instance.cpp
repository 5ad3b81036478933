// The single instance with real processes: the host program decides its role
// exactly as the program does and prints what reaches it.

#include "app/core/jedina_instance.h"
#include "proces_hostitele.h"
#include "prostredi_testu.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <memory>
#include <vector>

namespace zrc::test {
namespace {

const QString kHost = QStringLiteral(ZRC_INSTANCE_HOST);

class JedinaInstanceTest : public ProstrediShellu {
protected:
    std::unique_ptr<ProcesHostitele> startHost(const QStringList& args = {})
    {
        return std::make_unique<ProcesHostitele>(kHost, args);
    }
    // A first instance that is already listening.
    std::unique_ptr<ProcesHostitele> startFirst()
    {
        auto first = startHost();
        EXPECT_EQ(first->nextLine(), QStringLiteral("first"));
        return first;
    }
};

TEST_F(JedinaInstanceTest, SecondStartSendsRestoreThenApplyAndEnds)
{
    auto first = startFirst();
    auto second = startHost();
    EXPECT_EQ(second->remainingLines(), QStringList{QStringLiteral("second")});
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->nextLine(), QStringLiteral("restore"));
    EXPECT_EQ(first->nextLine(), QStringLiteral("apply none"));
    EXPECT_TRUE(first->finish());
}

TEST_F(JedinaInstanceTest, CopiesWithDifferentIniFilesDoNotMeet)
{
    auto first = startFirst();
    qputenv("ZRCADLOVAC_INI", path(QStringLiteral("jiny.ini")).toUtf8());
    auto other = startHost();
    EXPECT_EQ(other->nextLine(), QStringLiteral("first"));
    EXPECT_TRUE(other->finish());
    EXPECT_TRUE(first->finish());
}

TEST_F(JedinaInstanceTest, SocketOfKilledInstanceDoesNotBlockNextStart)
{
    auto killed = startFirst();
    killed->killHard();
    const QString socket = JedinaInstance::socketPathFor(iniPath());
    ASSERT_TRUE(QFileInfo::exists(socket)) << "SIGKILL leaves the socket file behind";

    auto next = startHost();
    EXPECT_EQ(next->nextLine(), QStringLiteral("first"));
    auto second = startHost();
    EXPECT_EQ(second->remainingLines(), QStringList{QStringLiteral("second")});
    EXPECT_EQ(next->nextLine(), QStringLiteral("restore"));
    EXPECT_TRUE(next->finish());
}

TEST_F(JedinaInstanceTest, ClosedInstanceLeavesTheWayFree)
{
    auto closed = startFirst();
    ASSERT_TRUE(closed->finish());
    EXPECT_FALSE(QFileInfo::exists(JedinaInstance::socketPathFor(iniPath())));
    auto next = startHost();
    EXPECT_EQ(next->nextLine(), QStringLiteral("first"));
    EXPECT_TRUE(next->finish());
}

TEST_F(JedinaInstanceTest, SimultaneousStartsEndWithExactlyOneFirst)
{
    constexpr int kStarts = 4;
    std::vector<std::unique_ptr<ProcesHostitele>> hosts;
    for (int i = 0; i < kStarts; ++i)
        hosts.push_back(startHost());

    ProcesHostitele* first = nullptr;
    int seconds = 0;
    for (auto& host : hosts) {
        const auto line = host->nextLine();
        ASSERT_TRUE(line.has_value());
        if (*line == QStringLiteral("first")) {
            EXPECT_EQ(first, nullptr) << "two instances listen";
            first = host.get();
        } else {
            EXPECT_EQ(*line, QStringLiteral("second"));
            ++seconds;
        }
    }
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(seconds, kStarts - 1);
    for (int i = 0; i < 2 * seconds; ++i)
        EXPECT_TRUE(first->nextLine().has_value());
    EXPECT_TRUE(first->finish());
}

TEST_F(JedinaInstanceTest, SocketNameFollowsTheIniFileNotItsSpelling)
{
    const QString direct = JedinaInstance::socketPathFor(iniPath());
    const QString roundabout = JedinaInstance::socketPathFor(
        path(QStringLiteral("run/../zrcadlovac.ini")));
    EXPECT_EQ(direct, roundabout);
    EXPECT_NE(direct, JedinaInstance::socketPathFor(path(QStringLiteral("jiny.ini"))));
    EXPECT_TRUE(QFileInfo(direct).fileName().startsWith(QStringLiteral("Zrcadlovac-Kvetodilna-")));
}

// Another local user listens where a start would look for the running
// instance. The start must not hand its command line over: it runs as a first
// instance. Needs root to act as the other user ("nobody").
struct PripadCiziho {
    const char* nazev;
    bool runtimeCizi;   // XDG_RUNTIME_DIR is the other user's; else unset
};

void PrintTo(const PripadCiziho& p, std::ostream* os) { *os << p.nazev; }

class CiziUzivatel : public JedinaInstanceTest, public testing::WithParamInterface<PripadCiziho> {
protected:
    void SetUp() override
    {
        JedinaInstanceTest::SetUp();
        savedTmp_ = qgetenv("TMPDIR");
    }
    void TearDown() override
    {
        if (utocnik_ > 0) {
            ::kill(utocnik_, SIGKILL);
            ::waitpid(utocnik_, nullptr, 0);
        }
        if (savedTmp_.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp_);
        JedinaInstanceTest::TearDown();
    }
    // A process of user nobody that makes the directories and listens on every
    // given socket path (accepting keeps the connections pending).
    void spustUtocnika(const QStringList& adresare, const QStringList& sokety)
    {
        int roura[2];
        ASSERT_EQ(::pipe(roura), 0);
        utocnik_ = ::fork();
        if (utocnik_ == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(1);
            for (const QString& a : adresare)
                ::mkdir(QFile::encodeName(a).constData(), 0777);
            for (const QString& s : sokety) {
                const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                sockaddr_un adresa{};
                adresa.sun_family = AF_UNIX;
                std::strncpy(adresa.sun_path, QFile::encodeName(s).constData(), sizeof adresa.sun_path - 1);
                if (::bind(fd, reinterpret_cast<sockaddr*>(&adresa), sizeof adresa) != 0 || ::listen(fd, 8) != 0)
                    ::_exit(2);
            }
            if (::write(roura[1], "x", 1) != 1)
                ::_exit(3);
            ::pause();
            ::_exit(0);
        }
        ::close(roura[1]);
        char c = 0;
        ASSERT_EQ(::read(roura[0], &c, 1), 1) << "the other user could not listen";
        ::close(roura[0]);
    }

    pid_t utocnik_ = -1;
    QByteArray savedTmp_;
};

TEST_P(CiziUzivatel, StartNepredaNicCizimuProcesu)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    ::chmod(QFile::encodeName(root_.path()).constData(), 0755);
    const QString tmp = makeDir(QStringLiteral("tmp"));
    ::chmod(QFile::encodeName(tmp).constData(), 01777);
    qputenv("TMPDIR", tmp.toUtf8());
    const QString jmeno = QFileInfo(JedinaInstance::socketPathFor(iniPath())).fileName();
    QStringList adresare, sokety;
    if (GetParam().runtimeCizi) {
        const QString run = QDir(tmp).filePath(QStringLiteral("run-cizi"));
        adresare << run;
        sokety << QDir(run).filePath(jmeno);
        qputenv("XDG_RUNTIME_DIR", run.toUtf8());
    } else {
        qunsetenv("XDG_RUNTIME_DIR");
        // The predictable names: the temporary directory itself and the
        // private directory's name, made first by the other user.
        const QString soukromy = QDir(tmp).filePath(QStringLiteral("zrcadlovac-%1").arg(::geteuid()));
        adresare << soukromy;
        sokety << QDir(tmp).filePath(jmeno) << QDir(soukromy).filePath(jmeno);
    }
    spustUtocnika(adresare, sokety);
    auto start = startHost({QStringLiteral("/tajne")});
    const auto radek = start->nextLine();
    ASSERT_TRUE(radek.has_value());
    EXPECT_TRUE(radek->startsWith(QStringLiteral("first"))) << radek->toStdString();   // "first" or "first-alone"
    EXPECT_TRUE(start->finish());
}

INSTANTIATE_TEST_SUITE_P(Pripady, CiziUzivatel, testing::Values(
    PripadCiziho{"BezRuntimeAdresare", false},
    PripadCiziho{"CiziRuntimeAdresar", true}),
    [](const testing::TestParamInfo<PripadCiziho>& i) { return std::string(i.param.nazev); });

} // namespace
} // namespace zrc::test
