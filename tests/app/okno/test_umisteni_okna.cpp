// The main window's placement across starts: what a close writes into
// section "Okno" and what the next start makes of it.

#include "prostredi_testu.h"
#include "settings/ini_soubor.h"
#include "ui/zakl_okno_1.h"

#include <QTest>
#include <memory>

namespace zrc::test {
namespace {

// A client size the proportional scaling keeps as it is (632:449).
constexpr int kSirka = 700;
constexpr int kVyska = 497;

class UmisteniOknaTest : public ProstrediShellu {
protected:
    void zapis(QStringView klic, int hodnota)
    {
        ASSERT_TRUE(IniZapisCislo(iniPath(), u"Okno", klic, hodnota).ok());
    }
    QString okno(QStringView klic) const
    {
        return IniCtiText(iniPath(), u"Okno", klic, QStringLiteral("-"));
    }
    void ulozeneNormalni(int left, int top)
    {
        zapis(u"State", 2);
        zapis(u"Left", left);
        zapis(u"Top", top);
        zapis(u"Width", kSirka);
        zapis(u"Height", kVyska);
    }
};

TEST_F(UmisteniOknaTest, WithoutFileTheDesignSizeAndTheFirstCloseStoresIt)
{
    auto form = std::make_unique<TForm1>(iniPath());
    EXPECT_EQ(form->size(), QSize(632, 449));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->close();
    EXPECT_EQ(okno(u"State"), QStringLiteral("2"));
    EXPECT_EQ(okno(u"Width"), QStringLiteral("632"));
    EXPECT_EQ(okno(u"Height"), QStringLiteral("449"));
    EXPECT_NE(okno(u"Left"), QStringLiteral("-"));
}

TEST_F(UmisteniOknaTest, ClosedMaximisedKeepsTheNormalPlacementAndMaximisesNextTime)
{
    ulozeneNormalni(30, 40);
    {
        TForm1 form(iniPath());
        form.showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.close();
    }
    EXPECT_EQ(okno(u"State"), QStringLiteral("1"));
    EXPECT_EQ(okno(u"Left"), QStringLiteral("30"));
    EXPECT_EQ(okno(u"Top"), QStringLiteral("40"));
    EXPECT_EQ(okno(u"Width"), QString::number(kSirka));
    EXPECT_EQ(okno(u"Height"), QString::number(kVyska));

    TForm1 next(iniPath());
    EXPECT_TRUE(next.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(next.pos(), QPoint(30, 40));
    EXPECT_EQ(next.size(), QSize(kSirka, kVyska));
}

TEST_F(UmisteniOknaTest, NegativeLeftComesBackAsZero)
{
    ulozeneNormalni(-20, 10);
    TForm1 form(iniPath());
    EXPECT_EQ(form.pos(), QPoint(0, 10));
    EXPECT_EQ(form.size(), QSize(kSirka, kVyska));
}

TEST_F(UmisteniOknaTest, SizesWithoutStateAreIgnored)
{
    zapis(u"Width", kSirka);
    zapis(u"Height", kVyska);
    TForm1 form(iniPath());
    EXPECT_EQ(form.size(), QSize(632, 449));
}

} // namespace
} // namespace zrc::test
