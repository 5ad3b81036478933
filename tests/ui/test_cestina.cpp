// Qt's own texts in the window are Czech: the context menu of a text field,
// the directory chooser, the calendar of a date field.
#include "ui/cestina.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace zrc {
namespace {

class Cestina : public testing::Test {
protected:
    static void SetUpTestSuite() { nalezeno_ = NastavCestinu(*QCoreApplication::instance()); }
    static inline bool nalezeno_ = false;
};

TEST_F(Cestina, KontextovaNabidkaTextovehoPole)
{
    ASSERT_TRUE(nalezeno_) << "Qt's Czech translation (qtbase_cs.qm) is not installed";
    QLineEdit pole;
    std::unique_ptr<QMenu> nabidka(pole.createStandardContextMenu());
    QStringList texty;
    for (const QAction* a : nabidka->actions())
        texty << a->text().section(QLatin1Char('\t'), 0, 0);   // without the shortcut
    EXPECT_TRUE(texty.contains(QStringLiteral("&Zpět"))) << texty.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texty.contains(QStringLiteral("Vybrat vše")));
}

TEST_F(Cestina, VolbaAdresareAKalendar)
{
    ASSERT_TRUE(nalezeno_);
    QFileDialog volba;
    volba.setOption(QFileDialog::DontUseNativeDialog);
    volba.setFileMode(QFileDialog::Directory);
    QStringList tlacitka;
    for (const QPushButton* b : volba.findChildren<QPushButton*>())
        tlacitka << b->text();
    EXPECT_TRUE(tlacitka.contains(QStringLiteral("Zrušit"))) << tlacitka.join(QLatin1Char('|')).toStdString();
    QCalendarWidget kalendar;
    EXPECT_EQ(kalendar.locale().language(), QLocale::Czech);
    EXPECT_EQ(kalendar.locale().dayName(1), QStringLiteral("pondělí"));
}

// The type column of the choosers: "Složka", not Qt 6's untranslated "Folder".
TEST_F(Cestina, TypAdresareVeVolbe)
{
    ASSERT_TRUE(nalezeno_);
    QTemporaryDir adresar;
    EXPECT_EQ(QFileIconProvider().type(QFileInfo(adresar.path())), QStringLiteral("Složka"));
}

} // namespace
} // namespace zrc
