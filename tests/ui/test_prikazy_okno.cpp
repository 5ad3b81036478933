// The operation commands as a person uses them in the main window, on real
// temporary trees: the keys of every list, the confirmations, the commands
// into a chosen directory, "starší verzi odstraň", the information dialog
// and closing the window while a copy runs. What reached the disk is checked
// on the disk.

#include "engine/docasne_soubory.h"
#include "test_okno_pomoc.h"

#include "support/chybova_volani.h"
#include "support/temp_tree.h"
#include "ui/beh_porovnani.h"
#include "ui/copy_info.h"
#include "ui/operace_souboru.h"
#include "ui/pojistky_operace.h"
#include "ui/soubor_info.h"
#include "ui/ukonceni_signalem.h"
#include "ui/volba_cile.h"

#include "operace/operace.h"
#include "operace/prikazy.h"
#include "platform/signaly.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <csignal>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc::test {
namespace {

namespace fs = std::filesystem;

const std::time_t leden = localTime(2024, 1, 10, 12, 0, 0);
const std::time_t unor = localTime(2024, 2, 10, 12, 0, 0);

void zapis(const std::string& cesta, const std::string& data, std::time_t cas)
{
    fs::create_directories(fs::path(cesta).parent_path());
    std::ofstream(cesta, std::ios::binary | std::ios::trunc) << data;
    const timespec t[2] = {{cas, 0}, {cas, 0}};
    ::utimensat(AT_FDCWD, cesta.c_str(), t, 0);
}

std::string obsah(const std::string& cesta)
{
    std::ifstream f(cesta, std::ios::binary);
    if (!f)
        return "<chybí>";
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Everything below a directory as it lies on the disk: path -> content and time.
std::map<std::string, std::string> snimek(const std::string& koren)
{
    std::map<std::string, std::string> s;
    for (const auto& e : fs::recursive_directory_iterator(koren)) {
        const std::string rel = fs::relative(e.path(), koren).string();
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        s[rel] = (e.is_regular_file() && !e.is_symlink() ? obsah(e.path()) : std::string("<adr>")) + "@" +
                 std::to_string(st.st_mtime);
    }
    return s;
}

// Counts the progress windows that were shown.
class HlidacPrubehu : public QObject {
public:
    HlidacPrubehu() { qApp->installEventFilter(this); }
    ~HlidacPrubehu() override { qApp->removeEventFilter(this); }
    int otevreno = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && qobject_cast<TForm4*>(o))
            ++otevreno;
        return false;
    }
};

// Directory 1 and 2 of every test, with real contents:
//   list 1 "NOVÉ" left:      a.txt, sub/b.txt        list 2 "NOVÉ" right: j.txt
//   list 3 "NOVĚJŠÍ" left:   c.txt (newer in 1)
//   list 5 "VĚTŠÍ" left:     v.dat (6 bytes in 1)    list 8 "MENŠÍ" right: v.dat (2 bytes in 2)
class PrikazyOkna : public OknoTest {
protected:
    TempTree t1, t2, t3;   // t3: a third directory for the chosen-directory commands

    void SetUp() override
    {
        OknoTest::SetUp();
        zapis(t1.path("a.txt"), "A1", leden);
        zapis(t1.path("sub/b.txt"), "B1", leden);
        zapis(t1.path("c.txt"), "C-nove", unor);
        zapis(t1.path("v.dat"), "VVVVVV", leden);
        zapis(t2.path("c.txt"), "C-stare", leden);
        zapis(t2.path("v.dat"), "VV", leden);
        zapis(t2.path("j.txt"), "J2", leden);
        // "procházet pouze shodné podadresáře" is on: sub/ exists on both sides.
        fs::create_directories(t2.path("sub"));
    }

    StrankyVysledku& vysledky() { return okno->vysledky(); }
    SeznamVysledku* seznam(int tag) { return vysledky().seznam(tag); }
    int pocet(int tag) { return vysledky().model(tag)->rowCount(); }

    void porovnej()
    {
        otevri();
        okno->strankaNastaveni().adresar1->setEditText(t1.qroot());
        okno->strankaNastaveni().adresar2->setEditText(t2.qroot());
        QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
        QTest::mouseClick(okno->strankaNastaveni().Button4, Qt::LeftButton);
        ASSERT_TRUE(konec.count() > 0 || konec.wait(20000));
        ASSERT_EQ((std::vector<int>{pocet(1), pocet(2), pocet(3), pocet(5), pocet(8)}),
                  (std::vector<int>{2, 1, 1, 1, 1}));
    }

    // Every write of the next copy fails, and its error box is a real dialog
    // as a person sees it.
    void kopieSelze(test::ChyboveVolani& sys)
    {
        nahrada_.reset();
        sys.poruchy.push_back({.druh = test::Call::Pwrite, .pocet = -1});
        sys.jenCteniZapis();
        okno->operace().nastavVolby({.sys = &sys});
    }

    // The list's page shown, the list focused (its Tags on the buttons).
    void zamer(int tag)
    {
        okno->PageControl1->setCurrentIndex(strankaSeznamu(tag));
        SeznamVysledku* s = seznam(tag);
        s->setFocus();
        ASSERT_TRUE(pockej([&] { return s->hasFocus(); }));
        s->setCurrentIndex(s->model()->index(0, 0));
    }
    void vyberVse(int tag)
    {
        zamer(tag);
        seznam(tag)->selectAll();
    }
    void klavesa(int tag, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(seznam(tag), k, m);
    }

    // F5 on "NOVĚJŠÍ" copies a 2 MiB c.txt over its older counterpart through
    // writes of 4 KiB slowed by 2 ms each, about a second; prerus runs once
    // the progress bar has moved. Returns whether it ran before the copy ended.
    bool pomalaKopie(const std::function<void()>& prerus)
    {
        zapis(t1.path("c.txt"), std::string(2 << 20, 'n'), unor);
        porovnej();
        test::ChyboveVolani sys;
        sys.zpozdeniZapisuUs = 2000;
        sys.jenCteniZapis();
        okno->operace().nastavVolby({.sys = &sys, .blokCteni = 4096});
        bool provedeno = false;
        QTimer hlidac;
        hlidac.setInterval(10);
        QObject::connect(&hlidac, &QTimer::timeout, [&] {
            auto* prubeh = qobject_cast<TForm4*>(QApplication::activeModalWidget());
            if (provedeno || !prubeh || prubeh->ProgressBar2->value() == 0)
                return;
            provedeno = true;
            prerus();
        });
        hlidac.start();
        vyberVse(3);
        klavesa(3, Qt::Key_F5);
        return provedeno;
    }
};

// ---- Commands into a chosen directory that do their work ----

enum class Cil { NovyVT3, T3 };

struct DoAdresare {
    const char* nazev;
    int seznam;
    Qt::KeyboardModifiers klavesa;   // with Ctrl+Shift: F5 copies (6), F6 moves (3)
    Qt::Key f;
    Cil cil;
    std::map<std::string, std::string> vysledek;   // files below the target
    std::vector<std::string> zmizi;                 // source files (directory 1) that are gone
    int zbyva, zbyvaDvojcu;                         // items left in the list and in list 8
};

class VybranyAdresar : public PrikazyOkna, public testing::WithParamInterface<DoAdresare> {};

TEST_P(VybranyAdresar, KopirujeAPresouvaDoZvolenehoAdresare)
{
    const DoAdresare& p = GetParam();
    zapis(t3.path("c.txt"), "C-t3-starsi", leden);
    porovnej();
    const std::string cil = p.cil == Cil::NovyVT3 ? t3.path("novy/hloubeji") : t3.root();
    QString start, titulek;
    okno->operace().nastavVolbuCile([&](QWidget*, const QString& t, const QString& s) {
        titulek = t;
        start = s;
        return std::optional<QString>(QString::fromStdString(cil + "/"));
    });
    const auto pred2 = snimek(t2.root());
    QStringList otazky;
    NahradaHlaseni ano([&](const ZadostHlaseni& z) {
        otazky << z.text;
        return Odpoved::Ano;
    });
    vyberVse(p.seznam);
    klavesa(p.seznam, p.f, p.klavesa);
    EXPECT_EQ(start, t2.qroot()) << "the chooser opens on the other side's base";
    EXPECT_EQ(titulek, titulekVolbyCile(p.f == Qt::Key_F6 ? KodOperace::Presun : KodOperace::Kopie));
    if (p.cil == Cil::NovyVT3)
        EXPECT_EQ(otazky, QStringList{zpravyCile::neexistuje(QString::fromStdString(cil))});
    else
        EXPECT_TRUE(otazky.isEmpty()) << otazky.join('|').toStdString();
    for (const auto& [rel, data] : p.vysledek)
        EXPECT_EQ(obsah(cil + "/" + rel), data) << rel;
    for (const auto& rel : p.zmizi)
        EXPECT_EQ(obsah(t1.path(rel)), "<chybí>") << rel;
    EXPECT_EQ(snimek(t2.root()), pred2) << "directory 2 is not touched";
    EXPECT_EQ(pocet(p.seznam), p.zbyva);
    EXPECT_EQ(int(seznam(p.seznam)->vybraneRadky().size()), p.zbyva) << "kept items stay selected";
    EXPECT_EQ(pocet(8), p.zbyvaDvojcu);
    for (const auto& e : fs::recursive_directory_iterator(t3.root()))
        EXPECT_FALSE(jeDocasnySoubor(e.path().filename().string())) << e.path();
}

const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;

INSTANTIATE_TEST_SUITE_P(Pripady, VybranyAdresar, testing::Values(
    // A new directory is created after "Ano"; the items stay with their podadr.
    DoAdresare{"NoveDoNovehoAdresare", 1, ctrlShift, Qt::Key_F5, Cil::NovyVT3,
               {{"a.txt", "A1"}, {"sub/b.txt", "B1"}}, {}, 2, 1},
    // Older copies there are replaced; the items stay listed and selected.
    DoAdresare{"KopiePresStarsiKopie", 3, ctrlShift, Qt::Key_F5, Cil::T3, {{"c.txt", "C-nove"}}, {}, 1, 1},
    // A move from "VĚTŠÍ" takes the items off their list only: the twins stay.
    DoAdresare{"PresunZVetsich", 5, ctrlShift, Qt::Key_F6, Cil::T3, {{"v.dat", "VVVVVV"}}, {"v.dat"}, 0, 1}),
    [](const auto& info) { return std::string(info.param.nazev); });

// ---- Chosen directories that are refused: nothing on any disk changes ----

enum class Volba { VlastniZaklad, VlastniZakladSLomitkem, OdkazNaVlastniZaklad, Zruseno, NovyNe, Soubor };

struct Odmitnuti {
    const char* nazev;
    Volba volba;
    Qt::Key f;   // with Ctrl+Shift
};

class OdmitnutyAdresar : public PrikazyOkna, public testing::WithParamInterface<Odmitnuti> {};

TEST_P(OdmitnutyAdresar, NicSeNezmeni)
{
    const Odmitnuti& p = GetParam();
    ASSERT_EQ(::symlink(t1.root().c_str(), t3.path("odkaz").c_str()), 0);
    zapis(t3.path("soubor"), "S", leden);
    porovnej();
    std::optional<QString> zvoleny;
    QString ocekavana;
    switch (p.volba) {
    case Volba::VlastniZaklad:
        zvoleny = t1.qroot();
        ocekavana = zpravyCile::vlastniZaklad(t1.qroot(), t1.qroot());
        break;
    case Volba::VlastniZakladSLomitkem:
        zvoleny = t1.qroot() + "/";
        ocekavana = zpravyCile::vlastniZaklad(t1.qroot(), t1.qroot());
        break;
    case Volba::OdkazNaVlastniZaklad:
        zvoleny = QString::fromStdString(t3.path("odkaz"));
        ocekavana = zpravyCile::vlastniZaklad(*zvoleny, t1.qroot());
        break;
    case Volba::Zruseno:
        break;
    case Volba::NovyNe:
        zvoleny = QString::fromStdString(t3.path("novy"));
        ocekavana = zpravyCile::neexistuje(*zvoleny);
        break;
    case Volba::Soubor:
        zvoleny = QString::fromStdString(t3.path("soubor"));
        ocekavana = zpravyCile::neniAdresar(*zvoleny);
        break;
    }
    okno->operace().nastavVolbuCile([&](QWidget*, const QString&, const QString&) { return zvoleny; });
    odpoved = Odpoved::Ne;
    const auto pred1 = snimek(t1.root()), pred2 = snimek(t2.root()), pred3 = snimek(t3.root());
    HlidacPrubehu hlidac;
    vyberVse(3);
    klavesa(3, p.f, ctrlShift);
    EXPECT_EQ(zpravy, ocekavana.isEmpty() ? QStringList{} : QStringList{ocekavana});
    EXPECT_EQ(snimek(t1.root()), pred1);
    EXPECT_EQ(snimek(t2.root()), pred2);
    EXPECT_EQ(snimek(t3.root()), pred3);
    EXPECT_EQ(hlidac.otevreno, 0);
    EXPECT_EQ(pocet(3), 1);
}

INSTANTIATE_TEST_SUITE_P(Pripady, OdmitnutyAdresar, testing::Values(
    Odmitnuti{"PresunDoVlastnihoZakladu", Volba::VlastniZaklad, Qt::Key_F6},
    Odmitnuti{"KopieDoVlastnihoZakladuSLomitkem", Volba::VlastniZakladSLomitkem, Qt::Key_F5},
    Odmitnuti{"PresunPresOdkazNaVlastniZaklad", Volba::OdkazNaVlastniZaklad, Qt::Key_F6},
    Odmitnuti{"VolbaZrusena", Volba::Zruseno, Qt::Key_F5},
    Odmitnuti{"NovyAdresarNevytvoren", Volba::NovyNe, Qt::Key_F5},
    Odmitnuti{"SouborMistoAdresare", Volba::Soubor, Qt::Key_F6}),
    [](const auto& info) { return std::string(info.param.nazev); });

// ---- "starší verzi odstraň" ----

struct StarsiVerze {
    int seznam;
    bool vAdresari1;   // whose file goes: the other side's
};

class OdstraneniStarsi : public PrikazyOkna, public testing::WithParamInterface<StarsiVerze> {};

TEST_P(OdstraneniStarsi, OdstraniProtejsekADvojce)
{
    porovnej();
    vyberVse(GetParam().seznam);
    okno->akce(QStringLiteral("alt_pryc"))->trigger();
    EXPECT_TRUE(zpravy.isEmpty()) << "no deletion question";
    const std::string pryc = (GetParam().vAdresari1 ? t1 : t2).path("v.dat");
    const std::string zustava = (GetParam().vAdresari1 ? t2 : t1).path("v.dat");
    EXPECT_EQ(obsah(pryc), "<chybí>");
    EXPECT_NE(obsah(zustava), "<chybí>");
    EXPECT_EQ(pocet(5), 0);
    EXPECT_EQ(pocet(8), 0) << "the twin leaves too";
}

INSTANTIATE_TEST_SUITE_P(Seznamy, OdstraneniStarsi,
                         testing::Values(StarsiVerze{5, false}, StarsiVerze{8, true}),
                         [](const auto& info) { return "ListView" + std::to_string(info.param.seznam); });

TEST_F(PrikazyOkna, StarsiVerzeNaNoveNicNedela)
{
    porovnej();
    zapis(t2.path("a.txt"), "mezitim", leden);   // appeared since the comparison
    vyberVse(1);
    okno->akce(QStringLiteral("alt_pryc"))->trigger();
    EXPECT_EQ(obsah(t2.path("a.txt")), "mezitim");
    EXPECT_EQ(pocet(1), 2);
}

// ---- The confirmations ----

struct Potvrzeni {
    const char* nazev;
    int seznam;
    Qt::Key f;
    Qt::KeyboardModifiers m;
    Odpoved odpoved;
    const char* otazka;
    const char* soubor;   // in directory tree 1 or 2: "1/c.txt"
    const char* ocekavano;
};

class Potvrzovani : public PrikazyOkna, public testing::WithParamInterface<Potvrzeni> {};

TEST_P(Potvrzovani, AnoProvedeNeNechaVse)
{
    const Potvrzeni& p = GetParam();
    porovnej();
    odpoved = p.odpoved;
    vyberVse(p.seznam);
    klavesa(p.seznam, p.f, p.m);
    ASSERT_EQ(zpravy.size(), 1) << zpravy.join('|').toStdString();
    EXPECT_EQ(zpravy[0].section(QLatin1Char('\r'), 0, 0), QString::fromUtf8(p.otazka));   // then the plan line
    const std::string s(p.soubor);
    EXPECT_EQ(obsah((s[0] == '1' ? t1 : t2).path(s.substr(2))), p.ocekavano);
    EXPECT_EQ(pocet(p.seznam), p.odpoved == Odpoved::Ano ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Otazky, Potvrzovani, testing::Values(
    Potvrzeni{"NahraditAno", 3, Qt::Key_F5, Qt::ControlModifier, Odpoved::Ano,
              "Opravdu nahradit vybrané soubory?", "1/c.txt", "C-stare"},
    Potvrzeni{"NahraditNe", 3, Qt::Key_F6, Qt::ControlModifier, Odpoved::Ne,
              "Opravdu nahradit vybrané soubory?", "1/c.txt", "C-nove"},
    Potvrzeni{"OdstranitAno", 2, Qt::Key_F8, Qt::NoModifier, Odpoved::Ano,
              "Opravdu odstranit vybrané soubory?", "2/j.txt", "<chybí>"},
    Potvrzeni{"OdstranitNe", 2, Qt::Key_F8, Qt::NoModifier, Odpoved::Ne,
              "Opravdu odstranit vybrané soubory?", "2/j.txt", "J2"}),
    [](const auto& info) { return std::string(info.param.nazev); });

// F5 on the settings page runs BB2, hidden there, on the list whose Tags it carries.
TEST_F(PrikazyOkna, F5NaStranceNastaveni)
{
    porovnej();
    vyberVse(3);
    okno->PageControl1->setCurrentIndex(0);
    QWidget* pole = okno->strankaNastaveni().adresar1->lineEdit();
    pole->setFocus();
    ASSERT_TRUE(pockej([&] { return pole->hasFocus(); }));
    QTest::keyClick(pole, Qt::Key_F5);
    EXPECT_EQ(obsah(t2.path("c.txt")), "C-nove");
    EXPECT_EQ(pocet(3), 0);
}

// Without a selection no key asks, opens a window or touches a file.
TEST_F(PrikazyOkna, BezVyberuSeNicNedeje)
{
    porovnej();
    bool volba = false;
    okno->operace().nastavVolbuCile([&](QWidget*, const QString&, const QString&) {
        volba = true;
        return std::optional<QString>(QString::fromStdString(t3.root()));
    });
    const auto pred1 = snimek(t1.root()), pred2 = snimek(t2.root());
    HlidacPrubehu hlidac;
    zamer(3);
    seznam(3)->clearSelection();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> klavesy[] = {
        {Qt::Key_F5, Qt::NoModifier}, {Qt::Key_F6, Qt::NoModifier}, {Qt::Key_F8, Qt::NoModifier},
        {Qt::Key_F5, Qt::ControlModifier}, {Qt::Key_F6, Qt::ControlModifier}, {Qt::Key_F5, ctrlShift},
        {Qt::Key_F6, ctrlShift}};
    for (const auto& [k, m] : klavesy)
        klavesa(3, k, m);
    okno->akce(QStringLiteral("alt_pryc"))->trigger();
    EXPECT_TRUE(zpravy.isEmpty()) << zpravy.join('|').toStdString();
    EXPECT_FALSE(volba);
    EXPECT_EQ(hlidac.otevreno, 0);
    EXPECT_EQ(snimek(t1.root()), pred1);
    EXPECT_EQ(snimek(t2.root()), pred2);
    EXPECT_EQ(pocet(3), 1);
}

// ---- Every key of every list reaches the file operations as its command ----

class KlavesySeznamu : public OknoTest, public testing::WithParamInterface<int> {};

TEST_P(KlavesySeznamu, PrikazOdpovidaTlacitkuSeznamu)
{
    const int tag = GetParam();
    otevri();
    okno->PageControl1->setTabVisible(strankaSeznamu(tag), true);
    okno->PageControl1->setCurrentIndex(strankaSeznamu(tag));
    SeznamVysledku* s = okno->vysledky().seznam(tag);
    s->setFocus();
    ASSERT_TRUE(pockej([&] { return s->hasFocus(); }));
    const std::pair<Qt::Key, Qt::KeyboardModifiers> klavesy[] = {
        {Qt::Key_F5, Qt::NoModifier}, {Qt::Key_F6, Qt::NoModifier}, {Qt::Key_F8, Qt::NoModifier},
        {Qt::Key_F5, Qt::ControlModifier}, {Qt::Key_F6, Qt::ControlModifier}};
    for (int i = 0; i < 5; ++i) {
        QSignalSpy operace(&okno->vysledky(), &StrankyVysledku::operace);
        QTest::keyClick(s, klavesy[i].first, klavesy[i].second);
        const bool zakazano = tag <= 2 && i >= 3;   // "kop.pův.", "přes.pův." on "NOVÉ"
        EXPECT_EQ(okno->vysledky().BB[std::size_t(i + 1)]->isEnabled(), !zakazano) << i;
        ASSERT_EQ(operace.count(), zakazano ? 0 : 1) << "BB" << i + 2;
        if (zakazano)
            continue;
        EXPECT_EQ(operace.at(0).at(0).value<Operace>(), DekodujPrikaz(TagyAkci(tag)[std::size_t(i + 1)]));
        EXPECT_EQ(operace.at(0).at(1).value<SeznamVysledku*>(), s);
    }
}

INSTANTIATE_TEST_SUITE_P(Seznamy, KlavesySeznamu, testing::Range(1, 9),
                         [](const auto& info) { return "ListView" + std::to_string(info.param); });

// ---- The information dialog ----

struct TextyInfa {
    QString nazev, adr1, adr2, hint1, hint2;
    QStringList strana1, strana2;   // date + time, size, attribute
    QRect ramec;
};

// While the returned timer lives, a modal window still open after 20 s is
// closed, so that a test whose dialog never gets its answer fails instead of
// hanging.
std::unique_ptr<QTimer> zavriPoLhute()
{
    auto t = std::make_unique<QTimer>();
    t->setSingleShot(true);
    QObject::connect(t.get(), &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    t->start(20000);
    return t;
}

// Runs otevri (which opens the dialog modally) and reads the dialog before
// pressing its "OK".
std::optional<TextyInfa> prectiInfo(const std::function<void()>& otevri)
{
    std::optional<TextyInfa> t;
    QTimer hlidac;
    hlidac.setInterval(10);
    QObject::connect(&hlidac, &QTimer::timeout, [&] {
        auto* d = qobject_cast<TForm5*>(QApplication::activeModalWidget());
        if (!d || t)
            return;
        t = TextyInfa{d->Label1->text(), d->adr1_name->text(), d->adr2_name->text(),
                      d->adr1_name->toolTip(), d->adr2_name->toolTip(),
                      {d->s1_cas->text(), d->s1_size->text(), d->s1_atr->text()},
                      {d->s2_cas->text(), d->s2_size->text(), d->s2_atr->text()}, d->frameGeometry()};
        EXPECT_LT(d->GroupBox1->x(), d->GroupBox2->x());
        EXPECT_EQ(d->GroupBox1->title(), QStringLiteral("Adresář 1:"));
        EXPECT_EQ(d->focusWidget(), d->Button1) << "the focus starts on the button";
        QTest::mouseClick(d->Button1, Qt::LeftButton);
    });
    hlidac.start();
    const auto lhuta = zavriPoLhute();
    otevri();
    return t;
}

struct InfoPripad {
    const char* nazev;
    int seznam;
    const char* jmeno;
    std::vector<const char*> strana1, strana2;   // "cas:leden" stands for the time text
};

class InfoOkno : public PrikazyOkna, public testing::WithParamInterface<InfoPripad> {};

TEST_P(InfoOkno, CtrlIUkazeObeStrany)
{
    const InfoPripad& p = GetParam();
    ASSERT_EQ(::chmod(t1.path("c.txt").c_str(), 0444), 0);
    porovnej();
    zamer(p.seznam);
    const auto t = prectiInfo([&] { klavesa(p.seznam, Qt::Key_I, Qt::ControlModifier); });
    ASSERT_TRUE(t);
    auto ocekavej = [](const std::vector<const char*>& v) {
        QStringList l;
        for (const char* s : v)
            l << (QString::fromUtf8(s) == "cas:leden"  ? textCasuInfa(leden, DlouhyFormatCasu::HodinyMinutySekundy)
                  : QString::fromUtf8(s) == "cas:unor" ? textCasuInfa(unor, DlouhyFormatCasu::HodinyMinutySekundy)
                                                       : QString::fromUtf8(s));
        return l;
    };
    EXPECT_EQ(t->nazev, QString::fromUtf8(p.jmeno));
    EXPECT_EQ(t->strana1, ocekavej(p.strana1));
    EXPECT_EQ(t->strana2, ocekavej(p.strana2));
    EXPECT_EQ(t->hint1, t1.qroot());
    EXPECT_EQ(t->hint2, t2.qroot());
    // At the main window's bottom-right corner.
    EXPECT_EQ(t->ramec.bottomRight(), okno->frameGeometry().bottomRight());
}

INSTANTIATE_TEST_SUITE_P(Pripady, InfoOkno, testing::Values(
    // From the right list of "NOVÉ": directory 1 still on the left, empty.
    InfoPripad{"NovyVpravo", 2, "j.txt", {"---", "---", "---"}, {"cas:leden", "2 byte", "128"}},
    InfoPripad{"NovyVlevo", 1, "a.txt", {"cas:leden", "2 byte", "128"}, {"---", "---", "---"}},
    InfoPripad{"JenProCteni", 3, "c.txt", {"cas:unor", "6 byte", "pouze pro čtení"},
               {"cas:leden", "7 byte", "128"}}),
    [](const auto& info) { return std::string(info.param.nazev); });

// Long names: the title line and the directory labels are shortened, the
// labels' hints keep the whole directory.
TEST(InfoDialog, DlouheNazvySeZkracuji)
{
    TempTree t1, t2;
    const std::string adresar = t1.path("velmi-dlouhy-nazev-adresare/a-jeste-jedna-uroven");
    const std::string jmeno = ".soubor-s-opravdu-velmi-dlouhym-nazvem-ktery-se-nevejde.txt";
    zapis(adresar + "/" + jmeno, "12345", leden);
    TForm5 d({.adresar1 = adresar, .adresar2 = t2.path("chybi"), .jmeno = jmeno});
    EXPECT_LT(d.Label1->text().size(), 35);
    EXPECT_TRUE(d.Label1->text().endsWith(QStringLiteral("nevejde.txt")));
    EXPECT_LT(d.adr1_name->text().size(), 22);
    EXPECT_TRUE(d.adr1_name->text().endsWith(QStringLiteral("uroven")));
    EXPECT_EQ(d.adr1_name->toolTip(), QString::fromStdString(adresar));
    EXPECT_EQ(d.s1_atr->text(), QStringLiteral("skrytý"));
    EXPECT_EQ(d.s1_size->text(), QStringLiteral("5 byte"));
    EXPECT_EQ(d.s2_size->text(), QStringLiteral("---"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Info o vybraném souboru"));
    EXPECT_EQ(d.size(), QSize(407, 269));
    EXPECT_TRUE(d.windowFlags() & Qt::WindowStaysOnTopHint);
}

// ---- Closing the main window while a copy runs ----

TEST_F(PrikazyOkna, ZavreniOknaBehemKopieJiZrusi)
{
    const auto pred2 = snimek(t2.root());
    bool viditelnePoZavreni = false;
    ASSERT_TRUE(pomalaKopie([&] {
        okno->close();
        viditelnePoZavreni = okno->isVisible();
    })) << "the copy ended before the window could be closed";
    EXPECT_TRUE(viditelnePoZavreni) << "the window waits for the worker";
    EXPECT_TRUE(pockej([&] { return !okno->isVisible(); }));
    EXPECT_EQ(snimek(t2.root()), pred2) << "the old target stays byte for byte, no temporary file";
    EXPECT_EQ(obsah(t1.path("c.txt")), std::string(2 << 20, 'n'));
    EXPECT_EQ(pocet(3), 1);
}

// A journal that could not be written is noted in the log of the operation
// it belongs to, under that operation's title, not the undo's.
TEST_F(PrikazyOkna, SelhanyDenikPoznamenanPodSvouOperaci)
{
    porovnej();
    test::ChyboveVolani sys;
    // The header's flush passes; the journal's flush after the copy fails.
    sys.poruchy.push_back({.druh = test::Call::Fdatasync, .od = 2, .pocet = -1});
    okno->operace().nastavVolby({.sys = &sys});
    vyberVse(3);
    klavesa(3, Qt::Key_F5);
    const auto& zaznamy = okno->operace().pojistky().kniha().zaznamy();
    const auto poznamka = std::find_if(zaznamy.begin(), zaznamy.end(), [](const ZaznamChyby& z) {
        return z.duvod.starts_with("zápis deníku operace selhal");
    });
    ASSERT_NE(poznamka, zaznamy.end());
    EXPECT_EQ(poznamka->kod, KodOperace::Kopie);
}

// Closed while the error box of a failing copy waits for its answer: the box
// is answered as "Zruš" at once, no other box follows, the window closes,
// and the old target stays with no temporary file beside it.
TEST_F(PrikazyOkna, ZavreniOknaSOtevrenouOtazkouJiZrusi)
{
    porovnej();
    test::ChyboveVolani sys;
    kopieSelze(sys);
    const auto pred2 = snimek(t2.root());
    QList<QPointer<QDialog>> otazky;
    bool otazkaPoZavreni = false;
    QTimer hlidac;
    hlidac.setInterval(10);
    QObject::connect(&hlidac, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || qobject_cast<TForm4*>(d) || otazky.contains(d))
            return;
        otazky << d;
        if (otazky.size() > 1) {
            d->reject();   // a box that should not have come
            return;
        }
        okno->close();
        otazkaPoZavreni = d->isVisible();
        if (otazkaPoZavreni)
            d->reject();
    });
    hlidac.start();
    vyberVse(3);
    klavesa(3, Qt::Key_F5);
    hlidac.stop();
    ASSERT_FALSE(otazky.isEmpty()) << "the failing copy asked nothing";
    EXPECT_FALSE(otazkaPoZavreni) << "the question stayed open after the close";
    EXPECT_EQ(otazky.size(), 1) << "another box followed the close";
    EXPECT_TRUE(pockej([&] { return !okno->isVisible(); }));
    EXPECT_EQ(snimek(t2.root()), pred2) << "the old target stays byte for byte, no temporary file";
    EXPECT_EQ(pocet(3), 1);
}

// The same through the window manager, as the title bar's close box asks it
// (run under Xvfb and openbox: the test "dialogy_s_ramem"). The main window is
// blocked by the error box then, and the request must still end the copy as
// "Zruš" does and close the window with its settings written.
TEST_F(PrikazyOkna, ZavreniSpravcemOkenSOtevrenouOtazkouJiZrusi)
{
    const QString wmctrl = QStandardPaths::findExecutable(QStringLiteral("wmctrl"));
    if (QGuiApplication::platformName() != QLatin1String("xcb") || wmctrl.isEmpty())
        GTEST_SKIP() << "needs X11 with a window manager and wmctrl";
    ASSERT_FALSE(nactiIni(cestaIni()).hodnota(ini::Nastaveni, ini::MazPodAdr));
    porovnej();
    test::ChyboveVolani sys;
    kopieSelze(sys);
    const auto pred2 = snimek(t2.root());
    QList<QPointer<QDialog>> otazky;
    bool otazkaZustala = false;
    QElapsedTimer odZadosti;
    QTimer hlidac;
    hlidac.setInterval(10);
    QObject::connect(&hlidac, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || qobject_cast<TForm4*>(d))
            return;
        if (otazky.contains(d)) {
            // Unanswered for 5 s: the request went nowhere.
            if (odZadosti.hasExpired(5000) && !otazkaZustala) {
                otazkaZustala = true;
                d->reject();
            }
            return;
        }
        otazky << d;
        if (otazky.size() > 1) {
            d->reject();   // a box that should not have come
            return;
        }
        QProcess::execute(wmctrl, {QStringLiteral("-i"), QStringLiteral("-c"),
                                   QString::number(okno->winId())});
        odZadosti.start();
    });
    hlidac.start();
    vyberVse(3);
    klavesa(3, Qt::Key_F5);
    hlidac.stop();
    ASSERT_FALSE(otazky.isEmpty()) << "the failing copy asked nothing";
    EXPECT_FALSE(otazkaZustala) << "the question stayed open after the window manager's close";
    EXPECT_EQ(otazky.size(), 1) << "another box followed the close";
    EXPECT_TRUE(pockej([&] { return !okno->isVisible(); })) << "the window stayed open";
    EXPECT_EQ(snimek(t2.root()), pred2) << "the old target stays byte for byte, no temporary file";
    EXPECT_TRUE(nactiIni(cestaIni()).hodnota(ini::Nastaveni, ini::MazPodAdr)) << "settings written as on a close";
}

// SIGTERM during a replacing copy (a logout): the window ends the copy as
// Cancel does, writes its settings as on a close, closes and says so; the
// old target stays whole with no temporary file beside it. (The program
// itself then ends by the signal: the process tests check that.)
TEST_F(PrikazyOkna, SigtermBehemKopieJiZrusiAZapiseNastaveni)
{
    ASSERT_TRUE(platform::zachytavejUkonceni().ok());
    ASSERT_FALSE(nactiIni(cestaIni()).hodnota(ini::Nastaveni, ini::MazPodAdr));
    const auto pred2 = snimek(t2.root());
    std::unique_ptr<QSignalSpy> zavreno;
    ASSERT_TRUE(pomalaKopie([&] {
        zavreno = std::make_unique<QSignalSpy>(new UkonceniSignalem(*okno), &UkonceniSignalem::oknoZavreno);
        ::raise(SIGTERM);
    })) << "the copy ended before the signal could be sent";
    EXPECT_TRUE(zavreno->count() == 1 || zavreno->wait(10000));
    EXPECT_FALSE(okno->isVisible());
    EXPECT_EQ(platform::signalUkonceni(), SIGTERM);
    EXPECT_EQ(snimek(t2.root()), pred2) << "the old target stays byte for byte, no temporary file";
    EXPECT_TRUE(nactiIni(cestaIni()).hodnota(ini::Nastaveni, ini::MazPodAdr)) << "settings written as on a close";
}

// ---- Qt's directory dialog takes a new name too ----

struct Napsano {
    const char* nazev;
    const char* text;
    bool existuje;
};

class DialogVolbyCile : public testing::TestWithParam<Napsano> {};

TEST_P(DialogVolbyCile, VratiNapsanyAdresar)
{
    TempTree t{dir("existuje")};
    QWidget rodic;
    rodic.show();
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(pockej([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }));
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* pole = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(pole, nullptr);
        QTest::keyClicks(pole, QString::fromUtf8(GetParam().text));
        QTest::keyClick(pole, Qt::Key_Return);
    });
    const auto lhuta = zavriPoLhute();
    const auto v = VyberAdresarDialogem(&rodic, QStringLiteral("Zkopírovat"), t.qroot());
    ASSERT_TRUE(v);
    EXPECT_EQ(*v, t.qroot() + "/" + GetParam().text);
    EXPECT_EQ(QFileInfo::exists(*v), GetParam().existuje) << "the dialog creates nothing itself";
}

INSTANTIATE_TEST_SUITE_P(Nazvy, DialogVolbyCile,
                         testing::Values(Napsano{"Novy", "novy", false}, Napsano{"Existujici", "existuje", true}),
                         [](const auto& info) { return std::string(info.param.nazev); });

} // namespace
} // namespace zrc::test
