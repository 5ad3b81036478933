// The window from the keyboard, as a person uses it: where the focus starts,
// the Alt+letter mnemonics of a page, the context menu of a list.
#include "test_okno_pomoc.h"

#include "ui/seznam_vysledku.h"
#include "ui/vysledky_model.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

#include <map>

namespace zrc::test {
namespace {

using Klavesnice = OknoTest;

TEST_F(Klavesnice, FokusZacinaVAdresari1)
{
    otevri();
    ASSERT_TRUE(pockej([&] { return QApplication::focusWidget() != nullptr; }));
    QWidget* fokus = QApplication::focusWidget();
    QComboBox* adresar1 = okno->strankaNastaveni().adresar1;
    EXPECT_TRUE(fokus == adresar1 || fokus == adresar1->lineEdit()) << fokus->objectName().toStdString();
}

// The text that carries a control's Alt+letter, if any.
QString textSMnemotechnikou(const QWidget* w)
{
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (const auto* l = qobject_cast<const QLabel*>(w); l && l->buddy())
        return l->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    return {};
}

// No two visible controls of a page answer the same Alt+letter: a shared one
// only moves the focus between them.
TEST_F(Klavesnice, MnemotechnikyStrankyJsouJedinecne)
{
    otevri();
    for (int stranka = 0; stranka < okno->PageControl1->count(); ++stranka) {
        QWidget* s = okno->PageControl1->widget(stranka);
        std::map<QKeySequence, QString> videne;
        for (const QWidget* w : s->findChildren<QWidget*>()) {
            const QKeySequence klavesa = QKeySequence::mnemonic(textSMnemotechnikou(w));
            if (klavesa.isEmpty() || !w->isVisibleTo(s))
                continue;
            const auto [it, nove] = videne.emplace(klavesa, textSMnemotechnikou(w));
            EXPECT_TRUE(nove) << klavesa.toString().toStdString() << ": " << it->second.toStdString() << " / "
                              << textSMnemotechnikou(w).toStdString();
        }
    }
}

TEST_F(Klavesnice, AltSZaskrtavaShodnePodadresare1AAltHDvojky)
{
    otevri();
    QCheckBox* prvni = okno->strankaNastaveni().ChB_adresar1;
    QCheckBox* druhy = okno->strankaNastaveni().ChB_adresar2;
    ASSERT_TRUE(prvni->isChecked());
    QTest::keyClick(okno.get(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(pockej([&] { return !prvni->isChecked(); }));
    QTest::keyClick(okno.get(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(pockej([&] { return prvni->isChecked(); }));
    QTest::keyClick(okno.get(), Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(pockej([&] { return !druhy->isChecked(); }));
    EXPECT_TRUE(prvni->isChecked());
}

TEST_F(Klavesnice, ShiftF10OtevreNabidkuSeznamu)
{
    otevri();
    static const std::vector<std::string> jmena = {"a", "b"};
    std::vector<NalezenySoubor> s;
    for (const std::string& j : jmena)
        s.push_back({"", j, 0, 1});
    okno->vysledky().model(1)->pridej(s);
    okno->PageControl1->setCurrentIndex(1);
    SeznamVysledku* seznam = okno->vysledky().seznam(1);
    seznam->setFocus();
    ASSERT_TRUE(pockej([&] { return seznam->hasFocus(); }));
    seznam->setCurrentIndex(seznam->model()->index(1, 0));
    QTest::keyClick(seznam, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(pockej([&] { return okno->PopupMenu1->isVisible(); }));
    okno->PopupMenu1->hide();
}

} // namespace
} // namespace zrc::test
