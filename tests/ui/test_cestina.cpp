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
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

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

// The directory chooser of "Adresář 1:" under whatever locale the system has
// (the tests run under C or en_US): its buttons Czech, and its dates in the
// Czech short form, not the system's "5/20/26 3:14 PM".
TEST_F(Cestina, VolbaAdresareCeskyIDatum)
{
    ASSERT_TRUE(nalezeno_);
    QTemporaryDir adresar;
    const QString pod = adresar.filePath(QStringLiteral("zaloha"));
    ASSERT_EQ(::mkdir(pod.toUtf8().constData(), 0755), 0);
    const QDateTime kdy(QDate(2026, 5, 20), QTime(15, 14));
    const utimbuf cas{kdy.toSecsSinceEpoch(), kdy.toSecsSinceEpoch()};
    ASSERT_EQ(::utime(pod.toUtf8().constData(), &cas), 0);

    QStringList tlacitka;
    QString datum;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        for (const QPushButton* b : d->findChildren<QPushButton*>())
            tlacitka << b->text();
        auto* pohled = d->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(pohled, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] {
            const QAbstractItemModel* m = pohled->model();
            for (int r = 0; r < m->rowCount(pohled->rootIndex()); ++r)
                if (m->index(r, 0, pohled->rootIndex()).data().toString() == QStringLiteral("zaloha"))
                    datum = m->index(r, 3, pohled->rootIndex()).data().toString();
            return !datum.isEmpty();
        }));
        d->reject();
    });
    EXPECT_TRUE(VyberAdresar(nullptr, adresar.path()).isEmpty());
    EXPECT_TRUE(tlacitka.contains(QStringLiteral("Zrušit"))) << tlacitka.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(datum, QLocale(QLocale::Czech).toString(kdy, QLocale::ShortFormat));
}

} // namespace
} // namespace zrc
