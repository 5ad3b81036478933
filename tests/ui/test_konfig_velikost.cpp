// The configuration dialog at its designed size: 448 x 334 and tabs 220 wide
// at the design font, scaled with a larger font, never larger than the main
// window at its default size, and every control within it.

#include "ui/konfig.h"
#include "ui/skalovani.h"

#include <QFontInfo>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zrc::test {
namespace {

struct Pismo {
    int pixely;
    QSize velikost;
    int zalozka;
};

class VelikostKonfigurace : public testing::TestWithParam<Pismo> {};

TEST_P(VelikostKonfigurace, NavrzenaVelikostSPismem)
{
    const Pismo& p = GetParam();
    QTemporaryDir adresar;
    TForm2 d(adresar.filePath(QStringLiteral("zrcadlovac.ini")), false);
    QFont f = d.font();
    f.setPixelSize(p.pixely);
    d.setFont(f);
    d.show();
    // The designed size, or at most a tenth more where the font's captions
    // need it (DejaVu is wider than Arial).
    EXPECT_GE(d.width(), p.velikost.width());
    EXPECT_GE(d.height(), p.velikost.height());
    EXPECT_LE(d.width(), p.velikost.width() * 11 / 10);
    EXPECT_LE(d.height(), p.velikost.height() * 11 / 10);
    EXPECT_LE(d.width(), navrhSirka);
    EXPECT_LE(d.height(), navrhVyska);
    for (int i = 0; i < d.PageControl1->count(); ++i) {
        EXPECT_EQ(d.PageControl1->tabBar()->tabRect(i).width(), p.zalozka);
        // Nothing squeezed below what it needs on either page.
        QWidget* stranka = d.PageControl1->widget(i);
        EXPECT_LE(stranka->minimumSizeHint().width(), stranka->width()) << i;
        EXPECT_LE(stranka->minimumSizeHint().height(), stranka->height()) << i;
    }
    EXPECT_TRUE(d.rect().contains(d.Button17->geometry()));
}

INSTANTIATE_TEST_SUITE_P(Pisma, VelikostKonfigurace, testing::Values(
    Pismo{11, {448, 334}, 220},
    Pismo{14, {570, 425}, 280}));   // a quarter larger, and a bit

} // namespace
} // namespace zrc::test
