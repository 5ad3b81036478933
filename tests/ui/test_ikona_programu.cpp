// The about box shows the program's own icon, also in a build that was never
// installed (the compiled-in copy), and its name with the diacritics.
#include "ui/about.h"
#include "ui/ikona_programu.h"

#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

namespace zrc::test {
namespace {

// The icon's two folders: blue on the left (directory 1), green on the right
// (directory 2), below both arrows.
void ocekavejSlozky(const QImage& obraz)
{
    ASSERT_EQ(obraz.size(), QSize(64, 64));
    const QColor levy = obraz.pixelColor(5, 48);
    const QColor pravy = obraz.pixelColor(58, 48);
    EXPECT_GT(levy.blue(), levy.red() + 60) << levy.name().toStdString();
    EXPECT_GT(pravy.green(), pravy.red() + 60) << pravy.name().toStdString();
    EXPECT_EQ(obraz.pixelColor(1, 1).alpha(), 0);
}

TEST(IkonaProgramu, OProgramuUkazujeVlastniIkonu)
{
    ASSERT_FALSE(IkonaProgramu().isNull());
    OProgramu okno;
    const auto* ikona = okno.findChild<QLabel*>(QStringLiteral("ikona"));
    ASSERT_NE(ikona, nullptr);
    const QImage obraz = ikona->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ocekavejSlozky(obraz);
    bool nazev = false;
    for (const QLabel* l : okno.findChildren<QLabel*>())
        nazev = nazev || l->text() == QStringLiteral("Zrcadlovač");
    EXPECT_TRUE(nazev) << "no label with the product name";
}

} // namespace
} // namespace zrc::test
