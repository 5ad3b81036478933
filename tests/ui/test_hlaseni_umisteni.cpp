// Placing secondary windows: the corner alignment and the pull back onto the
// screen, including windows larger than their reference or the screen.
#include "ui/umisteni.h"

#include <gtest/gtest.h>

using namespace zrc;

namespace {

struct PripadRohu {
    QSize okno;
    QRect reference;
    QPoint ocekavany;
};
class ZarovnaniKeRohu : public ::testing::TestWithParam<PripadRohu> {};

TEST_P(ZarovnaniKeRohu, PravyDolniRohNaRohuReference)
{
    const auto& p = GetParam();
    EXPECT_EQ(rohKReferenci(p.okno, p.reference), p.ocekavany);
}

INSTANTIATE_TEST_SUITE_P(
    Pripady, ZarovnaniKeRohu,
    ::testing::Values(PripadRohu{{200, 100}, {10, 20, 640, 480}, {450, 400}},
                      // larger than the main window: corner above and left of it
                      PripadRohu{{800, 600}, {10, 20, 640, 480}, {-150, -100}},
                      PripadRohu{{640, 480}, {-50, -60, 640, 480}, {-50, -60}}));

struct PripadObrazovky {
    QRect okno;
    QPoint ocekavany;
};
class DrzeniNaObrazovce : public ::testing::TestWithParam<PripadObrazovky> {};

TEST_P(DrzeniNaObrazovce, VytahneOknoZpet)
{
    const auto& p = GetParam();
    EXPECT_EQ(poziceNaObrazovce(p.okno, {1280, 1024}), p.ocekavany);
}

INSTANTIATE_TEST_SUITE_P(
    Pripady, DrzeniNaObrazovce,
    ::testing::Values(PripadObrazovky{{-20, -5, 640, 480}, {0, 0}},
                      PripadObrazovky{{100, 100, 640, 480}, {100, 100}},
                      PripadObrazovky{{900, 700, 640, 480}, {640, 544}},
                      // larger than the screen: left/top checked first, then the
                      // right and bottom parts are kept visible
                      PripadObrazovky{{-10, -10, 1400, 1100}, {-120, -76}}));

} // namespace
