// The message dialog driven with real keys: default and cancel buttons, button
// order and captions, centring on the active window, the test seam.
#include "ui/hlaseni.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace zrc;

namespace {

// Presses a key in the next modal dialog as soon as it is shown; records the
// dialog's geometry at that moment.
struct StiskVDialogu {
    Qt::Key klavesa;
    QRect geometrie;
    QString titulek;
    void naplanuj()
    {
        QTimer::singleShot(0, [this] { stiskni(); });
    }
    void stiskni()
    {
        QWidget* d = QApplication::activeModalWidget();
        if (!d) {
            QTimer::singleShot(10, [this] { stiskni(); });
            return;
        }
        geometrie = d->frameGeometry();
        titulek = d->windowTitle();
        QTest::keyClick(d, klavesa);
    }
};

struct PripadKlavesy {
    Tlacitka tlacitka;
    Qt::Key klavesa;
    Odpoved ocekavana;
};

class KlavesyHlaseni : public ::testing::TestWithParam<PripadKlavesy> {};

TEST_P(KlavesyHlaseni, EnterAEscVraciVychoziAZrusovaciTlacitko)
{
    const auto& p = GetParam();
    StiskVDialogu stisk{p.klavesa, {}, {}};
    stisk.naplanuj();
    EXPECT_EQ(HlaseniOkno(QStringLiteral("Otázka?"), DruhHlaseni::Potvrzeni, p.tlacitka), p.ocekavana);
    EXPECT_EQ(stisk.titulek, QStringLiteral("Confirm"));
}

INSTANTIATE_TEST_SUITE_P(
    Sady, KlavesyHlaseni,
    ::testing::Values(
        PripadKlavesy{Tlacitko::Ano | Tlacitko::Ne, Qt::Key_Return, Odpoved::Ano},
        PripadKlavesy{Tlacitko::Ano | Tlacitko::Ne, Qt::Key_Escape, Odpoved::Ne},
        PripadKlavesy{Tlacitka(Tlacitko::OK), Qt::Key_Return, Odpoved::OK},
        PripadKlavesy{Tlacitka(Tlacitko::OK), Qt::Key_Escape, Odpoved::OK},
        PripadKlavesy{Tlacitko::Zrus | Tlacitko::Opakuj | Tlacitko::Ignoruj, Qt::Key_Enter, Odpoved::Opakuj},
        PripadKlavesy{Tlacitko::Zrus | Tlacitko::Opakuj | Tlacitko::Ignoruj, Qt::Key_Escape, Odpoved::Zrus},
        PripadKlavesy{Tlacitko::Ano | Tlacitko::Ne | Tlacitko::Vse, Qt::Key_Return, Odpoved::Ano},
        PripadKlavesy{Tlacitko::Ano | Tlacitko::Ne | Tlacitko::Vse, Qt::Key_Escape, Odpoved::Ne},
        PripadKlavesy{Tlacitko::OK | Tlacitko::Zrus, Qt::Key_Escape, Odpoved::Zrus}));

TEST(Hlaseni, TlacitkaZlevaDopravaVPoradiBituSCeskymiPopisky)
{
    ZadostHlaseni z{QStringLiteral("x"), DruhHlaseni::Vlastni, Tlacitka(0x7ff), 0, false};
    auto d = vytvorDialogHlaseni(z, nullptr);
    d->adjustSize();
    d->show();
    QStringList popisky;
    int predchoziX = -1;
    for (auto* b : d->findChildren<QPushButton*>()) {
        popisky << b->text();
        EXPECT_GT(b->x(), predchoziX) << b->text().toStdString();
        predchoziX = b->x();
    }
    EXPECT_EQ(popisky, (QStringList{"&Ano", "&Ne", "OK", "Zruš", "&Ukonči", "&Opakuj", "&Ignoruj",
                                    "&All", "N&o to All", "Y&es to All", "&Help"}));
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Zrcadlovac-Kvetodilna"));
}

TEST(Hlaseni, BezZrusovacihoTlacitkaEscNicNezavre)
{
    ZadostHlaseni z{QStringLiteral("x"), DruhHlaseni::Chyba, Tlacitko::Ukonci | Tlacitko::Ignoruj, 0, false};
    auto d = vytvorDialogHlaseni(z, nullptr);
    d->show();
    QTest::keyClick(d.get(), Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
    d->findChild<QPushButton*>(QStringLiteral("Ignoruj"))->click();
    EXPECT_EQ(d->result(), static_cast<int>(Odpoved::Ignoruj));
}

TEST(Hlaseni, RadkyOddeleneZnakemCR)
{
    ZadostHlaseni z{QStringLiteral("Nové, nebo změněné\rsoubory"), DruhHlaseni::Informace, Tlacitko::OK, 0, false};
    auto d = vytvorDialogHlaseni(z, nullptr);
    auto* text = d->findChild<QWidget*>(QStringLiteral("textHlaseni"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->property("text").toString(), QStringLiteral("Nové, nebo změněné\nsoubory"));
}

// A message that fits half the screen stays on its lines: no wrap of a short
// line, no break of a path at its hyphen; a longer one wraps within half the
// screen. The title bar has the close box only.
TEST(Hlaseni, KratkyRadekSeNezalamujeDlouhyDoPolovinyObrazovky)
{
    const QStringList texty = {QStringLiteral("Nelze porovnat stejné adresáře!!"),
                               QStringLiteral("Adresář /home/uzivatel/zaloha-2024-prosinec-stara nelze vytvořit")};
    for (const QString& t : texty) {
        auto d = vytvorDialogHlaseni({t, DruhHlaseni::Varovani, Tlacitko::OK, 0, false}, nullptr);
        d->show();
        auto* text = d->findChild<QLabel*>(QStringLiteral("textHlaseni"));
        ASSERT_NE(text, nullptr);
        EXPECT_LE(text->heightForWidth(text->width()), text->fontMetrics().height() + 2) << t.toStdString();
        EXPECT_TRUE(d->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    }
    const int polovina = QGuiApplication::primaryScreen()->geometry().width() / 2;
    auto d = vytvorDialogHlaseni({QString(40, QLatin1Char('x')).repeated(1) + QStringLiteral(" slovo").repeated(60),
                                  DruhHlaseni::Varovani, Tlacitko::OK, 0, false}, nullptr);
    d->show();
    auto* text = d->findChild<QLabel*>(QStringLiteral("textHlaseni"));
    EXPECT_LE(text->width(), polovina);
    EXPECT_GT(text->heightForWidth(text->width()), 2 * text->fontMetrics().height());
}

// Centred on the active window, but never off the screen: a main window
// partly off the screen gets its message at the screen's edge.
TEST(Hlaseni, VystredenoNaAktivnimOknuANaObrazovce)
{
    QWidget hlavni;
    hlavni.setGeometry(-300, 100, 600, 400);
    hlavni.show();
    hlavni.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&hlavni));
    StiskVDialogu stisk{Qt::Key_Return, {}, {}};
    stisk.naplanuj();
    EXPECT_EQ(Hlaseni(QStringLiteral("Zpráva"), DruhHlaseni::Varovani, Tlacitko::OK), Odpoved::OK);
    const QRect r = hlavni.frameGeometry();
    ASSERT_LT(r.left() + r.width() / 2 - stisk.geometrie.width() / 2, 0);
    EXPECT_EQ(stisk.geometrie.left(), hlavni.screen()->availableGeometry().left());
    EXPECT_EQ(stisk.geometrie.top(), r.top() + r.height() / 2 - stisk.geometrie.height() / 2);
    EXPECT_EQ(stisk.titulek, QStringLiteral("Warning"));
}

TEST(Hlaseni, NahradaOdpovidaMistoDialoguAVnorenaSeVraci)
{
    QList<ZadostHlaseni> zadosti;
    NahradaHlaseni vnejsi([&](const ZadostHlaseni& z) { zadosti << z; return Odpoved::Ne; });
    {
        NahradaHlaseni vnitrni([](const ZadostHlaseni&) { return Odpoved::Ano; });
        EXPECT_EQ(Hlaseni(QStringLiteral("a"), DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne), Odpoved::Ano);
    }
    EXPECT_EQ(HlaseniOkno(QStringLiteral("b"), DruhHlaseni::Chyba, Tlacitko::OK), Odpoved::Ne);
    ASSERT_EQ(zadosti.size(), 1);
    EXPECT_EQ(zadosti[0].text, QStringLiteral("b"));
    EXPECT_FALSE(zadosti[0].sezvukem);
}

} // namespace
