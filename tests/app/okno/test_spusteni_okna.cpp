// The start-up with the real main window (offscreen): the hand-off from a
// real second start of the program, the Start-menu question, the directory
// chooser after a start with one directory.

#include "app/core/jedina_instance.h"
#include "app/spusteni.h"
#include "prostredi_testu.h"
#include "settings/ini_soubor.h"
#include "support/signaly_procesu.h"
#include "ui/hlaseni.h"
#include "ui/stranka_nastaveni.h"
#include "ui/stranky_vysledku.h"
#include "ui/zakl_okno_1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <csignal>
#include <cstring>
#include <memory>

namespace zrc::test {
namespace {

const QString kProgram = QStringLiteral(ZRC_PROGRAM);
constexpr int kTimeoutMs = 15000;

class SpusteniOknaTest : public ProstrediShellu {
protected:
    void SetUp() override
    {
        ProstrediShellu::SetUp();
        okno_ = std::make_unique<TForm1>(iniPath());
    }
    void TearDown() override
    {
        okno_.reset();
        ProstrediShellu::TearDown();
    }

    // The program started as a later instance; waits until it has ended.
    int startSecond(const QStringList& parametry)
    {
        QProcess second;
        second.setProcessChannelMode(QProcess::ForwardedChannels);
        second.start(kProgram, parametry);
        const bool ended = QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, kTimeoutMs);
        return ended && second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
    }

    VolbyStartu volby(const QStringList& parametry)
    {
        VolbyStartu v;
        v.cestaIni = iniPath();
        v.program = path(QStringLiteral("opt/zrcadlovac/zrcadlovac"));
        v.parametry = parametry;
        v.vyberAdresare = [this](QWidget*, const QString& start) {
            vybery_ << start;
            return odpovedVyberu_;
        };
        return v;
    }

    std::unique_ptr<TForm1> okno_;
    QStringList vybery_;
    QString odpovedVyberu_;
};

// ---- a later start of the real program hands over 0..3 parameters -------

class PredaniOknuTest : public SpusteniOknaTest, public ::testing::WithParamInterface<int> {};

TEST_P(PredaniOknuTest, RunningWindowTakesTheFirstTwoDirectories)
{
    const QStringList dirs{makeDir(QStringLiteral("jedna")), makeDir(QStringLiteral("dvě")),
                           makeDir(QStringLiteral("tři"))};
    JedinaInstance instance(iniPath());
    ASSERT_EQ(instance.start(), JedinaInstance::Role::First);
    PropojInstanci(instance, *okno_);
    okno_->show();
    okno_->strankaNastaveni().adresar1->setEditText(QStringLiteral("původní 1"));
    okno_->strankaNastaveni().adresar2->setEditText(QStringLiteral("původní 2"));
    QSignalSpy applied(&instance, &JedinaInstance::applyRequested);

    const int count = GetParam();
    EXPECT_EQ(startSecond(dirs.mid(0, count)), 0);
    ASSERT_TRUE(applied.size() == 1 || applied.wait(kTimeoutMs));

    if (count == 0) {
        EXPECT_EQ(okno_->strankaNastaveni().adresar1->currentText(), QStringLiteral("původní 1"));
        EXPECT_EQ(okno_->strankaNastaveni().adresar2->currentText(), QStringLiteral("původní 2"));
        EXPECT_FALSE(okno_->strankaNastaveni().ChBHBezAdr->isChecked());
        return;
    }
    EXPECT_EQ(okno_->strankaNastaveni().adresar1->currentText(), dirs[0]);
    EXPECT_EQ(okno_->strankaNastaveni().adresar2->currentText(), count >= 2 ? dirs[1] : QString());
    EXPECT_TRUE(okno_->strankaNastaveni().ChBHBezAdr->isChecked());
    EXPECT_EQ(okno_->PageControl1->currentIndex(), 0);
}

INSTANTIATE_TEST_SUITE_P(PocetParametru, PredaniOknuTest, ::testing::Values(0, 1, 2, 3));

TEST_F(SpusteniOknaTest, MinimisedWindowIsRestoredBySecondStart)
{
    const QString dir = makeDir(QStringLiteral("A"));
    JedinaInstance instance(iniPath());
    ASSERT_EQ(instance.start(), JedinaInstance::Role::First);
    PropojInstanci(instance, *okno_);
    okno_->showMinimized();
    ASSERT_TRUE(okno_->isMinimized());
    QSignalSpy applied(&instance, &JedinaInstance::applyRequested);

    EXPECT_EQ(startSecond({dir}), 0);
    ASSERT_TRUE(applied.size() == 1 || applied.wait(kTimeoutMs));
    EXPECT_FALSE(okno_->isMinimized());
    EXPECT_TRUE(okno_->isVisible());
    EXPECT_EQ(okno_->strankaNastaveni().adresar1->currentText(), dir);
}

TEST_F(SpusteniOknaTest, TwoSimultaneousStartsLeaveOneWindow)
{
    QProcess a, b;
    a.start(kProgram, {});
    b.start(kProgram, {});
    const auto ended = [&] { return a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning; };
    ASSERT_TRUE(QTest::qWaitFor(ended, kTimeoutMs));
    QProcess& handedOver = a.state() == QProcess::NotRunning ? a : b;
    QProcess& window = &handedOver == &a ? b : a;
    EXPECT_EQ(handedOver.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(handedOver.exitCode(), 0);
    EXPECT_EQ(window.state(), QProcess::Running);
    window.kill();
    window.waitForFinished(kTimeoutMs);
}

// ---- a signal to end the program ----------------------------------------

class SignalProgramuTest : public ProstrediShellu, public ::testing::WithParamInterface<int> {};

// A logout (SIGTERM), Ctrl+C (SIGINT), a closed terminal (SIGHUP): the window
// writes its settings as on a close, and the exit status names the signal.
TEST_P(SignalProgramuTest, ZapiseNastaveniAKonciSignalem)
{
    const int sig = GetParam();
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    // A test run started in the background of a shell ignores SIGINT, and
    // the program keeps an ignored signal ignored (as nohup expects).
    program.setChildProcessModifier([sig] { std::signal(sig, SIG_DFL); });
    program.start(kProgram, {});
    ASSERT_TRUE(program.waitForStarted(kTimeoutMs));
    ASSERT_TRUE(pockejNaObsluhuSignalu(static_cast<pid_t>(program.processId()), sig))
        << "the program never took the signal over";
    ::kill(static_cast<pid_t>(program.processId()), sig);
    ASSERT_TRUE(program.waitForFinished(kTimeoutMs));
    EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(program.exitCode(), sig);
    EXPECT_TRUE(nactiIni(iniPath()).hodnota(u"Nastaveni", u"MazPodAdr")) << "settings written as on a close";
}

INSTANTIATE_TEST_SUITE_P(Signaly, SignalProgramuTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

// ---- the first instance's own command line -------------------------------

struct OdpovedNaDotaz {
    const char* nazev;
    Odpoved odpoved;
    bool zapsano;
};

class NabidkaOknaTest : public SpusteniOknaTest,
                        public ::testing::WithParamInterface<OdpovedNaDotaz> {};

TEST_P(NabidkaOknaTest, SetupAsksAndWritesEntriesOnlyOnYes)
{
    QDir().mkpath(path(QStringLiteral("opt/zrcadlovac")));
    QFile program(path(QStringLiteral("opt/zrcadlovac/zrcadlovac")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.setPermissions(program.permissions() | QFile::ExeOwner);
    program.close();
    std::vector<ZadostHlaseni> dotazy;
    NahradaHlaseni nahrada([&](const ZadostHlaseni& z) {
        dotazy.push_back(z);
        return GetParam().odpoved;
    });

    ZpracujPrikazovouRadku(*okno_, volby({QStringLiteral("-setup")}));

    ASSERT_EQ(dotazy.size(), 1u);
    EXPECT_EQ(dotazy[0].text, QStringLiteral("Chceš vytvořit zástupce v nabidce Start?"));
    EXPECT_EQ(dotazy[0].druh, DruhHlaseni::Potvrzeni);
    EXPECT_EQ(dotazy[0].tlacitka, Tlacitko::Ano | Tlacitko::Ne);
    EXPECT_EQ(QFile::exists(path(QStringLiteral("data/applications/zrcadlovac-zrcadlovac.desktop"))),
              GetParam().zapsano);
    EXPECT_EQ(QDir(path(QStringLiteral("data"))).exists(), GetParam().zapsano);
    // The set-up takes the place of the hand-off: no record, fields untouched.
    EXPECT_EQ(IniCtiText(iniPath(), u"Zprava", u"pocet", QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_FALSE(okno_->strankaNastaveni().ChBHBezAdr->isChecked());
    okno_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(okno_.get()));
}

INSTANTIATE_TEST_SUITE_P(Odpovedi, NabidkaOknaTest,
                         ::testing::Values(OdpovedNaDotaz{"Yes", Odpoved::Ano, true},
                                           OdpovedNaDotaz{"No", Odpoved::Ne, false},
                                           OdpovedNaDotaz{"Closed", Odpoved::Zadna, false}),
                         [](const auto& info) { return std::string(info.param.nazev); });

TEST_F(SpusteniOknaTest, SetupInCapitalsIsADirectoryNameAndAsksNothing)
{
    ASSERT_TRUE(IniZapisBool(iniPath(), u"Nastaveni", u"vstupparam", true).ok());
    int dotazy = 0;
    NahradaHlaseni nahrada([&](const ZadostHlaseni&) {
        ++dotazy;
        return Odpoved::Ano;
    });
    ZpracujPrikazovouRadku(*okno_, volby({QStringLiteral("-SETUP")}));
    EXPECT_EQ(dotazy, 0);
    EXPECT_EQ(okno_->strankaNastaveni().adresar1->currentText(), QStringLiteral("-SETUP"));
    EXPECT_TRUE(okno_->strankaNastaveni().ChBHBezAdr->isChecked());
    EXPECT_FALSE(QDir(path(QStringLiteral("data"))).exists());
}

TEST_F(SpusteniOknaTest, OneDirectoryOffersTheChooserForDirectoryTwo)
{
    const QString d = makeDir(QStringLiteral("Zdroj"));
    odpovedVyberu_ = makeDir(QStringLiteral("Zdroj/Cíl"));
    const VolbyStartu v = volby({d});
    ZpracujPrikazovouRadku(*okno_, v);
    FormShow(*okno_, v);
    EXPECT_EQ(vybery_, QStringList{d});
    EXPECT_EQ(okno_->strankaNastaveni().adresar1->currentText(), d);
    EXPECT_EQ(okno_->strankaNastaveni().adresar2->currentText(), odpovedVyberu_);
}

TEST_F(SpusteniOknaTest, CancelledChooserLeavesDirectoryTwoEmpty)
{
    const QString d = makeDir(QStringLiteral("Zdroj"));
    const VolbyStartu v = volby({d});
    ZpracujPrikazovouRadku(*okno_, v);
    FormShow(*okno_, v);
    EXPECT_EQ(vybery_.size(), 1);
    EXPECT_EQ(okno_->strankaNastaveni().adresar2->currentText(), QString());
}

TEST_F(SpusteniOknaTest, ChooserOnlyForASingleExistingDirectory)
{
    const QString d = makeDir(QStringLiteral("Zdroj"));
    for (const QStringList& parametry : {QStringList{d, d}, QStringList{path(QStringLiteral("nic"))},
                                         QStringList{}, QStringList{QStringLiteral("-setup")}})
        FormShow(*okno_, volby(parametry));
    EXPECT_TRUE(vybery_.isEmpty());
}

} // namespace
} // namespace zrc::test
