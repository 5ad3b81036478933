// The command-line hand-off: the record in section "Zprava" and what the
// running instance makes of it, with real second starts.

#include "app/core/vstup_par.h"
#include "proces_hostitele.h"
#include "prostredi_testu.h"
#include "settings/ini_soubor.h"
#include "util/bajty_cesty.h"

#include <QDir>
#include <memory>
#include <sys/stat.h>

namespace zrc::test {
namespace {

const QString kHost = QStringLiteral(ZRC_INSTANCE_HOST);

QString zprava(const QString& ini, const QString& klic)
{
    return IniCtiText(ini, u"Zprava", klic, QStringLiteral("<missing>"));
}

// ---- a second start hands over 0..3 parameters ---------------------------

class DruhySpustTest : public ProstrediShellu, public ::testing::WithParamInterface<int> {};

TEST_P(DruhySpustTest, ForwardsAtMostTwoDirectoriesToTheRunningInstance)
{
    const QStringList dirs{makeDir(QStringLiteral("A")), makeDir(QStringLiteral("Bé")),
                           makeDir(QStringLiteral("C"))};
    const int count = GetParam();
    ProcesHostitele first(kHost, {});
    ASSERT_EQ(first.nextLine(), QStringLiteral("first"));

    ProcesHostitele second(kHost, dirs.mid(0, count));
    EXPECT_EQ(second.remainingLines(), QStringList{QStringLiteral("second")});
    EXPECT_EQ(first.nextLine(), QStringLiteral("restore"));
    const QString expected = count == 0 ? QStringLiteral("apply none")
                             : count == 1 ? QStringLiteral("apply %1|").arg(dirs[0])
                                          : QStringLiteral("apply %1|%2").arg(dirs[0], dirs[1]);
    EXPECT_EQ(first.nextLine(), expected);
    EXPECT_TRUE(first.finish());

    EXPECT_EQ(zprava(iniPath(), QStringLiteral("pocet")), QString::number(std::min(count, 2)));
    EXPECT_EQ(zprava(iniPath(), QStringLiteral("0")), kHost);
    EXPECT_EQ(zprava(iniPath(), QStringLiteral("3")), QStringLiteral("<missing>"));
}

INSTANTIATE_TEST_SUITE_P(PocetParametru, DruhySpustTest, ::testing::Values(0, 1, 2, 3));

class PredaniTest : public ProstrediShellu {};

TEST_F(PredaniTest, FirstStartAppliesItsOwnParameters)
{
    const QString dir = makeDir(QStringLiteral("Jediný"));
    ProcesHostitele first(kHost, {dir});
    EXPECT_EQ(first.nextLine(), QStringLiteral("first"));
    EXPECT_EQ(first.nextLine(), QStringLiteral("apply %1|").arg(dir));
    EXPECT_TRUE(first.finish());
}

TEST_F(PredaniTest, RelativeDirectoryMeansTheSendersWorkingDirectory)
{
    const QString cwd = makeDir(QStringLiteral("jinde"));
    makeDir(QStringLiteral("jinde/-SETUP"));
    ProcesHostitele first(kHost, {});
    ASSERT_EQ(first.nextLine(), QStringLiteral("first"));

    ProcesHostitele second(kHost, {QStringLiteral("-SETUP"), QStringLiteral("../jinde/.")}, cwd);
    EXPECT_EQ(second.remainingLines(), QStringList{QStringLiteral("second")});
    EXPECT_EQ(first.nextLine(), QStringLiteral("restore"));
    EXPECT_EQ(first.nextLine(), QStringLiteral("apply %1/-SETUP|%1").arg(cwd));
    EXPECT_TRUE(first.finish());
}

TEST_F(PredaniTest, SetupInCapitalsIsADirectoryName)
{
    ASSERT_TRUE(IniZapisBool(iniPath(), u"Nastaveni", u"vstupparam", true).ok());
    ProcesHostitele first(kHost, {QStringLiteral("-SETUP")});
    EXPECT_EQ(first.nextLine(), QStringLiteral("first"));
    EXPECT_EQ(first.nextLine(), QStringLiteral("apply -SETUP|"));
    EXPECT_TRUE(first.finish());

    ProcesHostitele setup(kHost, {QStringLiteral("-setup")});
    EXPECT_EQ(setup.nextLine(), QStringLiteral("first"));
    EXPECT_EQ(setup.nextLine(), QStringLiteral("setup"));
    EXPECT_TRUE(setup.finish());
}

// ---- what the record gives the window ------------------------------------

struct PripadZaznamu {
    const char* nazev;
    QStringList parametry; // "@" stands for the temporary root
    bool vstupparam;
    QString adresar1, adresar2;
};

class NactiVstupParTest : public ProstrediShellu,
                          public ::testing::WithParamInterface<PripadZaznamu> {
protected:
    QString expand(QString text) const { return text.replace(u'@', root_.path()); }
};

TEST_P(NactiVstupParTest, GivesTheQualifyingDirectoriesAsStored)
{
    makeDir(QStringLiteral("Malá a VELKÁ"));
    makeDir(QStringLiteral("B"));
    QStringList parametry;
    for (const QString& p : GetParam().parametry)
        parametry << expand(p);
    ASSERT_TRUE(IniZapisBool(iniPath(), u"Nastaveni", u"vstupparam", GetParam().vstupparam).ok());
    ASSERT_TRUE(ZapisVstupPar(iniPath(), QStringLiteral("/usr/bin/zrcadlovac"), parametry).ok());

    const auto adresare = NactiVstupPar(iniPath());
    ASSERT_TRUE(adresare.has_value());
    EXPECT_EQ(adresare->adresar1, expand(GetParam().adresar1));
    EXPECT_EQ(adresare->adresar2, expand(GetParam().adresar2));
}

INSTANTIATE_TEST_SUITE_P(
    Zaznamy, NactiVstupParTest,
    ::testing::Values(
        PripadZaznamu{"LetterCaseKept", {"@/Malá a VELKÁ", "@/B"}, false, "@/Malá a VELKÁ", "@/B"},
        PripadZaznamu{"MissingDirectoryDropped", {"@/nic", "@/B"}, false, "", "@/B"},
        PripadZaznamu{"MissingDirectoryAcceptedOnRequest", {"@/nic"}, true, "@/nic", ""},
        PripadZaznamu{"EmptyParameterNeverQualifies", {"", "@/B"}, true, "", "@/B"},
        PripadZaznamu{"RootIsADirectory", {"/"}, false, "/", ""},
        PripadZaznamu{"FileIsNoDirectory", {"@/zrcadlovac.ini"}, false, "", ""},
        PripadZaznamu{"NameNotUtf8KeptForTheMessage", {QStringLiteral("@/A\uFFFD")}, false, QStringLiteral("@/A\uFFFD"), ""},
        PripadZaznamu{"ThirdParameterIgnored", {"@/B", "@/B", "@/Malá a VELKÁ"}, false, "@/B", "@/B"}),
    [](const auto& info) { return std::string(info.param.nazev); });

// A directory whose name is not UTF-8, given on the command line, reaches the
// running instance as the same directory: its bytes survive the INI file.
TEST_F(PredaniTest, DirectoryNotUtf8KeepsItsBytes)
{
    const std::string bajty = bajtyZTextu(root_.path()) + "/zdroj\xe9";
    ASSERT_EQ(::mkdir(bajty.c_str(), 0755), 0);
    ASSERT_TRUE(ZapisVstupPar(iniPath(), QStringLiteral("/p"), {textZBajtu(bajty)}).ok());
    const auto adresare = NactiVstupPar(iniPath());
    ASSERT_TRUE(adresare.has_value());
    EXPECT_EQ(bajtyZTextu(adresare->adresar1), bajty);
}

TEST_F(PredaniTest, ShorterRecordHidesTheKeysOfALongerOne)
{
    const QString a = makeDir(QStringLiteral("A"));
    ASSERT_TRUE(ZapisVstupPar(iniPath(), QStringLiteral("/p"), {a, a}).ok());
    ASSERT_TRUE(ZapisVstupPar(iniPath(), QStringLiteral("/p"), {a}).ok());
    EXPECT_EQ(zprava(iniPath(), QStringLiteral("2")), a) << "old keys stay in the file";
    const auto adresare = NactiVstupPar(iniPath());
    ASSERT_TRUE(adresare.has_value());
    EXPECT_EQ(adresare->adresar2, QString());
}

TEST_F(PredaniTest, NegativeCountClearsTheFieldsAndSetsNothing)
{
    ASSERT_TRUE(IniZapisText(iniPath(), u"Zprava", u"1", root_.path()).ok());
    ASSERT_TRUE(IniZapisCislo(iniPath(), u"Zprava", u"pocet", -1).ok());
    const auto adresare = NactiVstupPar(iniPath());
    ASSERT_TRUE(adresare.has_value());
    EXPECT_EQ(adresare->adresar1, QString());
}

TEST_F(PredaniTest, NoRecordChangesNothing)
{
    EXPECT_FALSE(NactiVstupPar(iniPath()).has_value());
    ASSERT_TRUE(ZapisVstupPar(iniPath(), QStringLiteral("/p"), {}).ok());
    EXPECT_FALSE(NactiVstupPar(iniPath()).has_value());
}

} // namespace
} // namespace zrc::test
