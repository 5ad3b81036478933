// The single instance with real processes: the host program decides its role
// exactly as the program does and prints what reaches it.

#include "app/core/jedina_instance.h"
#include "proces_hostitele.h"
#include "prostredi_testu.h"

#include <QFileInfo>
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

} // namespace
} // namespace zrc::test
