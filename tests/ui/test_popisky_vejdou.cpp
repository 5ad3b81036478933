// Every caption of every window and dialog is shown whole: each button, check
// box, label, group title and tab is at least as wide as its text in the font
// it is drawn with, inside its parent and not under another control; at the
// default font, in the wider face of a system without the condensed one, and
// at an application font 25 % larger.

#include "ui/about.h"
#include "ui/cesta_text.h"
#include "ui/copy_info.h"
#include "ui/hlaseni.h"
#include "ui/kniha_chyb_okno.h"
#include "ui/konfig.h"
#include "ui/soubor_info.h"
#include "ui/stranky_vysledku.h"
#include "ui/zakl_okno_1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/sirka_popisku.h"

#include <functional>
#include <memory>

namespace zrc::test {
namespace {

// The room the style leaves for the caption of a widget, or -1 when the
// widget has no caption to check.
int mistoProText(const QWidget& w)
{
    if (const auto* b = qobject_cast<const QAbstractButton*>(&w)) {
        if (b->text().isEmpty())
            return -1;
        QStyleOptionButton o;
        o.initFrom(b);
        o.text = b->text();
        o.icon = b->icon();
        o.iconSize = b->iconSize();
        if (qobject_cast<const QCheckBox*>(b))
            return b->style()->subElementRect(QStyle::SE_CheckBoxContents, &o, b).width();
        if (qobject_cast<const QRadioButton*>(b))
            return b->style()->subElementRect(QStyle::SE_RadioButtonContents, &o, b).width();
        if (qobject_cast<const QPushButton*>(b))
            return b->style()->subElementRect(QStyle::SE_PushButtonContents, &o, b).width();
        return b->contentsRect().width();
    }
    if (const auto* l = qobject_cast<const QLabel*>(&w)) {
        if (l->text().isEmpty() || l->wordWrap() || l->textFormat() == Qt::RichText || !l->pixmap().isNull())
            return -1;
        return l->contentsRect().width() - 2 * l->margin() - std::max(0, l->indent());
    }
    return -1;
}

QString popis(const QWidget& w)
{
    return QStringLiteral("%1 \"%2\"").arg(w.objectName().isEmpty() ? w.metaObject()->className() : w.objectName(),
                                           w.property("text").toString());
}

// Where the caption is drawn, in the parent's coordinates: centred in a push
// button, after the indicator of a check box, from the left of a label.
QRect mistoPopisku(const QWidget& w, int misto, int sirkaTextu)
{
    const int od = qobject_cast<const QPushButton*>(&w) ? w.x() + (w.width() - sirkaTextu) / 2
                                                         : w.x() + w.width() - misto;
    return {od, w.y(), sirkaTextu, w.height()};
}

// A caption cut by its parent's edge or covered by a control stacked above it.
QString zakryty(const QWidget& w, const QRect& popisek)
{
    const QWidget* rodic = w.parentWidget();
    if (popisek.right() >= rodic->width())
        return QStringLiteral("%1: past the edge of %2").arg(popis(w), rodic->objectName());
    const QObjectList& deti = rodic->children();
    for (qsizetype i = deti.indexOf(&w) + 1; i < deti.size(); ++i)
        if (auto* s = qobject_cast<const QWidget*>(deti[i]); s && !s->isWindow() && s->isVisible() &&
                                                            s->geometry().intersects(popisek))
            return QStringLiteral("%1: under %2").arg(popis(w), popis(*s));
    return {};
}

// The captions that do not fit, one line each.
QStringList neveze(const QWidget& okno)
{
    QStringList chyby;
    for (const QWidget* w : okno.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&okno))
            continue;
        const int misto = mistoProText(*w);
        const QString text = bezMnemoniky(w->property("text").toString());
        const int sirka = w->fontMetrics().horizontalAdvance(text);
        if (misto >= 0 && sirka > misto)
            chyby << QStringLiteral("%1: %2 > %3").arg(popis(*w)).arg(sirka).arg(misto);
        else if (misto >= 0 && !w->isWindow())
            if (const QString z = zakryty(*w, mistoPopisku(*w, misto, sirka)); !z.isEmpty())
                chyby << z;
        if (const auto* g = qobject_cast<const QGroupBox*>(w); g && !g->title().isEmpty()) {
            const int potreba = g->fontMetrics().horizontalAdvance(bezMnemoniky(g->title())) + 8;
            if (potreba > g->width())
                chyby << QStringLiteral("%1 \"%2\": %3 > %4").arg(g->objectName(), g->title()).arg(potreba).arg(g->width());
        }
        if (const auto* t = qobject_cast<const QTabBar*>(w)) {
            const int okraj = t->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, t);
            for (int i = 0; i < t->count(); ++i) {
                const int potreba = t->fontMetrics().horizontalAdvance(bezMnemoniky(t->tabText(i))) + okraj;
                if (t->isTabVisible(i) && potreba > t->tabRect(i).width())
                    chyby << QStringLiteral("tab \"%1\": %2 > %3").arg(t->tabText(i)).arg(potreba).arg(t->tabRect(i).width());
            }
        }
    }
    return chyby;
}

struct Okno {
    const char* nazev;
    std::function<std::unique_ptr<QWidget>(const QString& ini)> vytvor;
};

// The main window on its settings page, then on a result page with the
// action panel.
std::unique_ptr<QWidget> hlavniOkno(const QString& ini, bool vysledky)
{
    auto okno = std::make_unique<TForm1>(ini);
    if (vysledky) {
        okno->PageControl1->setTabVisible(1, true);
        okno->PageControl1->setCurrentIndex(1);
        okno->PageControl1Change();
        okno->UpravVelikostList(3);
    }
    return okno;
}

const Okno okna[] = {
    {"TForm1Nastaveni", [](const QString& ini) { return hlavniOkno(ini, false); }},
    {"TForm1Vysledky", [](const QString& ini) { return hlavniOkno(ini, true); }},
    {"TForm2", [](const QString& ini) { return std::make_unique<TForm2>(ini, false); }},
    {"TForm3", [](const QString&) { return std::make_unique<TForm3>(QStringLiteral("docs/"), true); }},
    {"TForm4", [](const QString&) {
         auto d = std::make_unique<TForm4>(nullptr);
         d->nastavSoubor(QStringLiteral("/home/pavel/dokumenty/projekt/smlouva.pdf"));
         d->nastavRadek(QStringLiteral("3 z 120 souborů · 1,2 GiB z 4,0 GiB · 85 MiB/s · zbývá 0:34"));
         return d;
     }},
    {"TForm5", [](const QString&) {
         return std::make_unique<TForm5>(ZadaniInfa{.adresar1 = "/tmp", .adresar2 = "/tmp", .jmeno = "neni.txt"});
     }},
    {"OProgramu", [](const QString&) { return std::make_unique<OProgramu>(); }},
    {"OknoKnihyChyb", [](const QString&) {
         static const KnihaChyb prazdna;
         return std::make_unique<OknoKnihyChyb>(prazdna);
     }},
    {"Otazka", [](const QString&) {
         return vytvorDialogHlaseni({.text = QStringLiteral("Opravdu odstranit vybrané soubory?"),
                                     .druh = DruhHlaseni::Potvrzeni,
                                     .tlacitka = Tlacitko::Ano | Tlacitko::Ne},
                                    nullptr);
     }},
    {"ChybaSouboru", [](const QString&) {
         return vytvorDialogHlaseni({.text = QStringLiteral("Soubor /../a.txt nelze zkopírovat"),
                                     .tlacitka = Tlacitko::Zrus | Tlacitko::Opakuj | Tlacitko::Ignoruj},
                                    nullptr);
     }},
    {"JenProCteni", [](const QString&) {
         return vytvorDialogHlaseni({.text = QStringLiteral("Smazat i soubor(y) jen pro čtení?"),
                                     .druh = DruhHlaseni::Potvrzeni,
                                     .tlacitka = Tlacitko::Ano | Tlacitko::Ne | Tlacitko::Vse},
                                    nullptr);
     }},
};

// The fonts a caption must fit: the default, the window's faces without
// DejaVu Sans Condensed (a minimal system with only the core DejaVu fonts
// draws them in DejaVu Sans, some 15 % wider), and an application font 25 %
// larger (a desktop with large text).
enum class Pismo { Vychozi, BezUzkehoRezu, Vetsi };

// What the face becomes where DejaVu Sans Condensed is not installed.
void bezUzkehoRezu(QWidget& okno)
{
    QList<QWidget*> vse = okno.findChildren<QWidget*>();
    vse.prepend(&okno);
    for (QWidget* w : vse) {
        if (!w->testAttribute(Qt::WA_SetFont))
            continue;
        QFont f = w->font();
        QStringList rodiny = f.families();
        if (rodiny.removeAll(QStringLiteral("DejaVu Sans Condensed")) == 0)
            continue;
        if (rodiny.isEmpty())
            rodiny << QStringLiteral("DejaVu Sans");
        f.setFamilies(rodiny);
        w->setFont(f);
    }
}

class PopiskyVejdou : public testing::TestWithParam<std::tuple<int, Pismo>> {
protected:
    void SetUp() override { puvodni_ = QApplication::font(); }
    void TearDown() override { QApplication::setFont(puvodni_); }
    QFont puvodni_;
};

TEST_P(PopiskyVejdou, ZadnyPopisekNeniUriznuty)
{
    const auto [index, pismo] = GetParam();
    if (pismo == Pismo::Vetsi) {
        QFont f = puvodni_;
        if (f.pointSizeF() > 0)
            f.setPointSizeF(f.pointSizeF() * 1.25);
        else
            f.setPixelSize(f.pixelSize() * 5 / 4);
        QApplication::setFont(f);
    }
    QTemporaryDir adresar;
    NahradaHlaseni ticho([](const ZadostHlaseni&) { return Odpoved::OK; });
    const auto okno = okna[index].vytvor(adresar.filePath(QStringLiteral("zrcadlovac.ini")));
    okno->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(okno.get()));
    if (pismo == Pismo::BezUzkehoRezu)
        bezUzkehoRezu(*okno);
    QApplication::processEvents();
    const QStringList chyby = neveze(*okno);
    EXPECT_TRUE(chyby.isEmpty()) << okna[index].nazev << ":\n  " << chyby.join(QStringLiteral("\n  ")).toStdString();
}

std::string nazevPripadu(const testing::TestParamInfo<std::tuple<int, Pismo>>& i)
{
    static const char* const nazvy[] = {"_vychozi", "_bezUzkehoRezu", "_vetsi"};
    return std::string(okna[std::get<0>(i.param)].nazev) + nazvy[int(std::get<1>(i.param))];
}

INSTANTIATE_TEST_SUITE_P(Okna, PopiskyVejdou,
                         testing::Combine(testing::Range(0, int(std::size(okna))),
                                          testing::Values(Pismo::Vychozi, Pismo::BezUzkehoRezu, Pismo::Vetsi)),
                         nazevPripadu);

} // namespace
} // namespace zrc::test
