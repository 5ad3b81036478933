// The configuration dialog TForm2 on a real settings file: limits of the type
// lists, OK writing every key, Cancel's question, and CheckBox3 with the
// window's placement.

#include "test_okno_pomoc.h"

#include "ui/konfig.h"

#include "settings/ini_soubor.h"
#include "settings/seznamy.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <map>

namespace zrc::test {
namespace {

class Konfig : public OknoTest {
protected:
    std::unique_ptr<TForm2> dialog(bool reset = false)
    {
        auto d = std::make_unique<TForm2>(cestaIni(), reset);
        d->show();
        return d;
    }
    void napis(QLineEdit* e, const char* text)
    {
        e->clear();
        QTest::keyClicks(e, QString::fromLatin1(text));
    }
};

TEST_F(Konfig, TypySeVelkymiPismenyANejvyseDeset)
{
    auto d = dialog();
    napis(d->oznaceni.edit, "jpg");
    EXPECT_EQ(d->oznaceni.edit->text(), QStringLiteral("JPG"));
    napis(d->oznaceni.edit, std::string(60, 'a').c_str());
    EXPECT_EQ(d->oznaceni.edit->text().size(), 50);
    napis(d->oznaceni.edit, "jpg");
    for (int i = 0; i < 11; ++i)
        d->pridejTyp(d->oznaceni);   // the same type twice is allowed
    EXPECT_EQ(d->oznaceni.seznam->count(), 10);
    EXPECT_EQ(zpravy, QStringList{QStringLiteral("Již nelze přidat")});
    // Full list and an empty edit: the full list is told first here, the empty
    // text first for the excluded types.
    d->oznaceni.edit->clear();
    d->pridejTyp(d->oznaceni);
    EXPECT_EQ(zpravy.last(), QStringLiteral("Již nelze přidat"));
    d->typy.edit->clear();
    d->Button1Click();
    EXPECT_EQ(zpravy.last(), QStringLiteral("Nový typ je prázdný řetězec - ukončeno"));
}

TEST_F(Konfig, OkZapiseVseAPrepisPrazdnymUbereTyp)
{
    ASSERT_TRUE(UlozListBox(cestaIni(), u"oznaceni", {"JPG", "PNG", "TXT"}).ok());
    {
        auto d = dialog();
        ASSERT_EQ(d->oznaceni.seznam->count(), 3);
        d->oznaceni.seznam->setCurrentRow(1);
        d->oznaceni.edit->clear();
        d->prepisTyp(d->oznaceni);                 // "Přepiš" with an empty edit
        d->oznaceni.seznam->setCurrentRow(2);
        d->posunTyp(d->oznaceni, -1);              // TXT moves up
        d->CBPotvrOdstr->setChecked(false);
        d->RGSerPodle->button(4)->click();
        d->RGSerTyp->button(1)->click();
        d->Button3Click();
        EXPECT_FALSE(d->isVisible());
    }
    EXPECT_EQ(NactiListBox(cestaIni(), u"oznaceni"), (QStringList{"JPG", "TXT"}));
    EXPECT_EQ(IniCtiText(cestaIni(), u"oznaceni", u"10", QStringLiteral("x")), QString());   // empty, present
    EXPECT_FALSE(IniCtiBool(cestaIni(), u"Nastaveni", u"potvrzodstr", true));
    EXPECT_EQ(IniCtiCislo(cestaIni(), u"Serazeni", u"podle", 0), 4);
    EXPECT_EQ(IniCtiCislo(cestaIni(), u"Serazeni", u"typ", 0), 1);
    EXPECT_TRUE(IniCtiBool(cestaIni(), u"Typ", u"pouzit", false));
    auto d = dialog();
    EXPECT_EQ(d->oznaceni.seznam->count(), 2);
}

TEST_F(Konfig, ZrusitSeZeptaJenPoZmeneSeznamuNeboRazeni)
{
    auto d = dialog();
    d->CBPotvrOdstr->setChecked(false);   // check boxes set no flag
    d->Button17Click();
    EXPECT_TRUE(zpravy.isEmpty());
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(IniCtiBool(cestaIni(), u"Nastaveni", u"potvrzodstr", true));   // nothing written

    d = dialog();
    d->posunTyp(d->odznaceni, -1);        // nothing selected: still a change
    odpoved = Odpoved::Ne;
    d->Button17Click();
    EXPECT_EQ(zpravy, QStringList{QStringLiteral("Mám provedené změny ignorovat?")});
    EXPECT_TRUE(d->isVisible());
    odpoved = Odpoved::Ano;
    d->Button17Click();
    EXPECT_FALSE(d->isVisible());
    d = dialog();
    d->posunTyp(d->odznaceni, -1);
    zpravy.clear();
    d->close();                           // the title-bar close never asks
    EXPECT_TRUE(zpravy.isEmpty());
    EXPECT_FALSE(d->isVisible());
}

// CheckBox3 confirmed by OK: the window writes 640 x 480 and keeps no
// placement at close; the next run shows CheckBox3 unticked.
TEST_F(Konfig, CheckBox3PresRestart)
{
    otevri();
    bool zaskrtnuto = true;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TForm2*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        zaskrtnuto = d->CheckBox3->isChecked();
        d->CheckBox3->setChecked(true);
        d->Button3->click();
    });
    okno->Button3Click();
    EXPECT_FALSE(zaskrtnuto);
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TForm2*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        zaskrtnuto = d->CheckBox3->isChecked();
        d->Button17->click();
    });
    okno->Button3Click();
    EXPECT_TRUE(zaskrtnuto);   // the same run remembers it
    okno->resize(900, 700);
    okno->close();
    EXPECT_EQ(IniCtiCislo(cestaIni(), u"Okno", u"Width", 0), 640);
    EXPECT_EQ(IniCtiCislo(cestaIni(), u"Okno", u"Height", 0), 480);
    okno.reset();
    otevri();
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TForm2*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        zaskrtnuto = d->CheckBox3->isChecked();
        d->close();
    });
    okno->Button3Click();
    EXPECT_FALSE(zaskrtnuto);
}

} // namespace
} // namespace zrc::test

namespace zrc::test {
namespace {

// The check boxes of the group "nastavení:" that the settings file keeps in
// section "Nastaveni": their default while the file has no key, the opposite
// written by OK and read back so at the next opening.
struct PolickoNastaveni {
    const char* nazev;
    QCheckBox* TForm2::*policko;
    const char16_t* popisek;
    const char16_t* klic;
    bool vychozi;
};

class KonfigPolicko : public Konfig, public testing::WithParamInterface<PolickoNastaveni> {};

TEST_P(KonfigPolicko, VychoziHodnotaAUlozeni)
{
    const PolickoNastaveni& p = GetParam();
    {
        auto d = dialog();
        QCheckBox* c = d.get()->*p.policko;
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->text(), QString::fromUtf16(p.popisek));
        auto* skupina = qobject_cast<QGroupBox*>(c->parentWidget());
        ASSERT_NE(skupina, nullptr);
        EXPECT_EQ(skupina->title(), QStringLiteral("nastavení:"));
        EXPECT_TRUE(c->isVisible());
        EXPECT_EQ(c->isChecked(), p.vychozi);
        // The whole caption is readable in the fixed-size dialog.
        EXPECT_GE(c->width(), c->sizeHint().width());
        c->setChecked(!p.vychozi);
        d->Button3Click();
    }
    EXPECT_EQ(IniCtiText(cestaIni(), u"Nastaveni", QStringView(p.klic), QStringLiteral("x")),
              p.vychozi ? QStringLiteral("0") : QStringLiteral("1"));
    auto d = dialog();
    EXPECT_EQ((d.get()->*p.policko)->isChecked(), !p.vychozi);
}

INSTANTIATE_TEST_SUITE_P(Policka, KonfigPolicko, testing::Values(
    PolickoNastaveni{"MazatDoKose", &TForm2::CBKos, u"mazat do koše", u"kos", true},
    PolickoNastaveni{"JedenSvazek", &TForm2::CBJedenSvazek, u"nepřecházet na jiné svazky", u"jedensvazek", false}),
    [](const testing::TestParamInfo<PolickoNastaveni>& i) { return std::string(i.param.nazev); });

// No two controls of a page of the dialog answer the same Alt+letter.
TEST_F(Konfig, MnemotechnikyJsouJedinecne)
{
    auto d = dialog();
    for (int stranka = 0; stranka < d->PageControl1->count(); ++stranka) {
        std::map<QKeySequence, QString> videne;
        for (const QAbstractButton* b : d->PageControl1->widget(stranka)->findChildren<QAbstractButton*>()) {
            const QKeySequence k = QKeySequence::mnemonic(b->text());
            if (k.isEmpty())
                continue;
            const auto [it, nove] = videne.emplace(k, b->text());
            EXPECT_TRUE(nove) << it->second.toStdString() << " / " << b->text().toStdString();
        }
    }
}

} // namespace
} // namespace zrc::test
