#include "ui/konfig.h"

#include "ui/hlaseni.h"
#include "ui/prikazy_desktopu.h"
#include "ui/zakl_okno_1_pomoc.h"

#include <QButtonGroup>
#include <QEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QFontInfo>

#include <cmath>
#include <QVBoxLayout>

namespace zrc {

// Tabs of one width, as designed, whatever their captions.
class ZalozkyPevneSirky : public QTabBar {
public:
    int sirka = 220;

protected:
    QSize tabSizeHint(int index) const override
    {
        return {sirka, QTabBar::tabSizeHint(index).height()};
    }
};

namespace {

// The page control: QTabWidget takes its own tab bar only from a subclass.
class StrankyKonfigurace : public QTabWidget {
public:
    explicit StrankyKonfigurace(ZalozkyPevneSirky* zalozky) { setTabBar(zalozky); }
};

constexpr int navrhPisma = 11;   // pixels of the design font (Arial 8 points)
constexpr int maxTypu = 10;
constexpr int maxDelkaTypu = 50;

// A type: letters become capitals as they are typed, at most 50 characters.
QLineEdit* editTypu(const char* jmeno)
{
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(jmeno));
    e->setMaxLength(maxDelkaTypu);
    nastavHint(e, QStringLiteral("maximální délka 50 znaků"));
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
        const int kurzor = e->cursorPosition();
        e->setText(text.toUpper());
        e->setCursorPosition(kurzor);
    });
    return e;
}

QPushButton* tlacitko(const QString& text, const char* jmeno)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(jmeno));
    return b;
}

// A button as wide as its caption: the style's minimum of 80 pixels does not
// fit the design's small buttons beside the lists.
QPushButton* uzke(QPushButton* b)
{
    b->setFixedWidth(std::max(24, b->fontMetrics().horizontalAdvance(b->text()) + 16));
    return b;
}

// The design packs its groups tightly into 448 x 334: margins and gaps of a
// few pixels, not the style's roomy defaults.
template <class L>
L* tesne(L* l)
{
    l->setContentsMargins(6, 0, 6, 2);
    l->setSpacing(0);
    return l;
}

QButtonGroup* skupinaVoleb(QGroupBox* g, const QStringList& volby, int sloupcu, const char* jmeno)
{
    auto* skupina = new QButtonGroup(g);
    skupina->setObjectName(QString::fromLatin1(jmeno));
    auto* m = tesne(new QGridLayout(g));
    for (int i = 0; i < volby.size(); ++i) {
        auto* r = new QRadioButton(volby[i]);
        skupina->addButton(r, i);
        m->addWidget(r, i / sloupcu, i % sloupcu);
    }
    return skupina;
}

QStringList polozky(const QListWidget* s)
{
    QStringList ven;
    for (int i = 0; i < s->count(); ++i)
        ven << s->item(i)->text();
    return ven;
}

void vyberVolbu(QButtonGroup* g, int i)
{
    // An index above the last item selects the last one; a negative one none.
    const int posledni = int(g->buttons().size()) - 1;
    if (i >= 0)
        g->button(std::min(i, posledni))->setChecked(true);
}

} // namespace

TForm2::TForm2(const QString& cestaIni, bool resetOkna, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      cestaIni_(cestaIni), resetOkna_(resetOkna)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("konfigurace"));
    setFont(pismo(DruhPisma::Okno));
    zalozky_ = new ZalozkyPevneSirky;
    PageControl1 = new StrankyKonfigurace(zalozky_);
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->addTab(vytvorObecne(), QStringLiteral("obecné"));
    PageControl1->addTab(vytvorOznacovani(), QStringLiteral("označovaní / odznačování"));
    Button3 = tlacitko(QStringLiteral("OK"), "Button3");
    Button17 = tlacitko(QStringLiteral("Cancel"), "Button17");
    auto* dole = new QHBoxLayout;
    dole->addWidget(Button3, 1);
    dole->addWidget(Button17, 1);
    auto* vrstva = new QVBoxLayout(this);
    vrstva->addWidget(PageControl1);
    vrstva->addLayout(dole);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(Button17, &QPushButton::clicked, this, &TForm2::Button17Click);
    nacti();
    vrstva->setContentsMargins(4, 4, 4, 4);
    vrstva->setSpacing(4);
    nastavVelikost();
}

QSize TForm2::navrhVelikosti(int pixelyPisma)
{
    const double k = std::max(pixelyPisma, navrhPisma) / double(navrhPisma);
    return {int(std::lround(448 * k)), int(std::lround(334 * k))};
}

int TForm2::navrhSirkyZalozky(int pixelyPisma)
{
    return int(std::lround(220 * std::max(pixelyPisma, navrhPisma) / double(navrhPisma)));
}

// The designed size at the dialog's font; a layout that needs more (a font
// far larger than the design's) still gets room rather than cut captions.
void TForm2::nastavVelikost()
{
    const int pixely = QFontInfo(font()).pixelSize();
    zalozky_->sirka = navrhSirkyZalozky(pixely);
    zalozky_->updateGeometry();
    layout()->invalidate();
    setFixedSize(navrhVelikosti(pixely).expandedTo(layout()->minimumSize()));
}

void TForm2::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::FontChange && zalozky_)
        nastavVelikost();
}

QWidget* TForm2::vytvorObecne()
{
    auto* stranka = new QWidget;
    auto* g1 = new QGroupBox(QStringLiteral("vynechávané typy souborů "));
    typy.edit = editTypu("Edit1");
    typy.seznam = new QListWidget;
    typy.seznam->setObjectName(QStringLiteral("ListBox3"));
    typy.seznam->setMinimumHeight(30);
    auto* pridej = uzke(tlacitko(QStringLiteral("přidej"), "Button1"));
    auto* smaz = uzke(tlacitko(QStringLiteral("X"), "Button2"));
    CheckBox1 = new QCheckBox(QStringLiteral("používat (ANO/NE)"));
    QFont tucne = CheckBox1->font();
    tucne.setBold(true);
    CheckBox1->setFont(tucne);
    nastavHint(CheckBox1, QStringLiteral("globální zákaz či povolení neporovnávaných typů souborů"));
    auto* m1 = tesne(new QGridLayout(g1));
    m1->addWidget(new QLabel(QStringLiteral("nový typ:")), 0, 0);
    m1->addWidget(typy.edit, 1, 0);
    m1->addWidget(pridej, 1, 1);
    m1->addWidget(new QLabel(QStringLiteral("stávající typ:")), 2, 0);
    m1->addWidget(typy.seznam, 3, 0);
    m1->addWidget(smaz, 3, 1, Qt::AlignTop);
    m1->addWidget(CheckBox1, 4, 0, 1, 2);
    connect(pridej, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(smaz, &QPushButton::clicked, this, &TForm2::Button2Click);

    auto* g2 = new QGroupBox(QStringLiteral("nastavení:"));
    CBExistAdr = new QCheckBox(QStringLiteral("ignorovat neexistují adr. u vstup. parametrů"));
    nastavHint(CBExistAdr, QStringLiteral("|možnost nastavení přijímání i neexistujících adresářů"));
    CBPotvrOdstr = new QCheckBox(QStringLiteral("potvrzovat odstranění souborů"));
    nastavHint(CBPotvrOdstr, QStringLiteral("|nastavení potvrzování odstranění souborů"));
    CBKos = new QCheckBox(QStringLiteral("mazat do koše"));
    CBKos->setObjectName(QStringLiteral("CBKos"));
    nastavHint(CBKos, QStringLiteral("|odstraněné a nahrazené soubory se přesouvají do koše"));
    CBJedenSvazek = new QCheckBox(QStringLiteral("nepřecházet na jiné svazky"));
    CBJedenSvazek->setObjectName(QStringLiteral("CBJedenSvazek"));
    nastavHint(CBJedenSvazek, QStringLiteral("|porovnání nevstupuje do jiných svazků připojených uvnitř adresářů"));
    // Two short captions share the third row: a fourth row made the dialog
    // 22 pixels taller than its designed 334 and pushed it past the bottom of
    // the main window at its default size.
    auto* m2 = tesne(new QGridLayout(g2));
    m2->addWidget(CBExistAdr, 0, 0, 1, 2);
    m2->addWidget(CBPotvrOdstr, 1, 0, 1, 2);
    m2->addWidget(CBKos, 2, 0);
    m2->addWidget(CBJedenSvazek, 2, 1);

    auto* g3 = new QGroupBox(QStringLiteral("implicitní zapnutí/vypnutí procházení podadresářů"));
    CheckBox2 = new QCheckBox(QStringLiteral("zapnouto / nezapnuto"));
    CheckBox4 = new QCheckBox(QStringLiteral("zapnouto / nezapnuto"));
    auto* m3 = tesne(new QGridLayout(g3));
    m3->addWidget(new QLabel(QStringLiteral("Adresář 1:")), 0, 0);
    m3->addWidget(CheckBox2, 0, 1);
    m3->addWidget(new QLabel(QStringLiteral("Adresář 2:")), 1, 0);
    m3->addWidget(CheckBox4, 1, 1);

    auto* g4 = new QGroupBox(QStringLiteral("nastavení implicitní velikosti při přístím spuštění"));
    CheckBox3 = new QCheckBox(QStringLiteral("zapnuto / nezapnuto"));
    tesne(new QVBoxLayout(g4))->addWidget(CheckBox3);

    auto* g7 = new QGroupBox(QStringLiteral("implicitní seřazení:"));
    auto* podle = new QGroupBox(QStringLiteral("podle:"));
    RGSerPodle = skupinaVoleb(podle, {QStringLiteral("žádné"), QStringLiteral("jméno"), QStringLiteral("typ"),
                                      QStringLiteral("datum"), QStringLiteral("velikost"), QStringLiteral("podadresář")},
                              3, "RGSerPodle");
    auto* smer = new QGroupBox(QStringLiteral("typ:"));
    RGSerTyp = skupinaVoleb(smer, {QStringLiteral("sestupně"), QStringLiteral("vzestupně")}, 2, "RGSerTyp");
    auto* m7 = tesne(new QHBoxLayout(g7));
    m7->addWidget(podle, 3);
    m7->addWidget(smer, 2);
    for (QButtonGroup* g : {RGSerPodle, RGSerTyp})
        connect(g, &QButtonGroup::buttonClicked, this, [this] { ZmenaRazeni = true; });

    auto* mrizka = new QGridLayout(stranka);
    mrizka->setContentsMargins(2, 2, 2, 2);
    mrizka->setSpacing(2);
    mrizka->setRowStretch(2, 1);
    mrizka->addWidget(g1, 0, 0, 3, 1);
    mrizka->addWidget(g2, 0, 1);
    mrizka->addWidget(g3, 1, 1);
    mrizka->addWidget(g4, 2, 1);
    mrizka->addWidget(g7, 3, 0, 1, 2);
    return stranka;
}

// The comparison program of "porovnat obsah v ..": the installed known ones
// offered, any command or path typed; empty is the first installed one.
QWidget* TForm2::vytvorPorovnavac()
{
    auto* g = new QGroupBox(QStringLiteral("program pro porovnání obsahu:"));
    CBPorovnavac = new QComboBox;
    CBPorovnavac->setObjectName(QStringLiteral("CBPorovnavac"));
    CBPorovnavac->setEditable(true);
    CBPorovnavac->addItem(QString());
    CBPorovnavac->addItems(nainstalovanePorovnavace());
    CBPorovnavac->lineEdit()->setPlaceholderText(QStringLiteral("první nainstalovaný"));
    nastavHint(CBPorovnavac, QStringLiteral("|program, v němž příkaz \"porovnat obsah v ..\" otevře dvojici souborů"));
    tesne(new QVBoxLayout(g))->addWidget(CBPorovnavac);
    return g;
}

QWidget* TForm2::skupinaTypu(const QString& titulek, SeznamTypu& s, const char* editJmeno, const char* seznamJmeno)
{
    auto* g = new QGroupBox(titulek);
    s.edit = editTypu(editJmeno);
    s.seznam = new QListWidget;
    s.seznam->setObjectName(QString::fromLatin1(seznamJmeno));
    s.seznam->setMinimumHeight(60);
    const bool prvni = &s == &oznaceni;
    const char* jmena[5][2] = {{"Přidej", prvni ? "Button4" : "Button9"}, {"Přepiš", prvni ? "Button5" : "Button10"},
                               {"/\\", prvni ? "Button6" : "Button11"}, {"\\/", prvni ? "Button7" : "Button12"},
                               {"X", prvni ? "Button14" : "Button15"}};
    QPushButton* b[5];
    auto* tlacitka = new QVBoxLayout;
    tlacitka->setSpacing(2);
    for (int i = 0; i < 5; ++i) {
        b[i] = uzke(tlacitko(QString::fromUtf8(jmena[i][0]), jmena[i][1]));
        tlacitka->addWidget(b[i]);
    }
    tlacitka->addStretch();
    nastavHint(b[4], QStringLiteral("vymaže vybrané typy"));
    connect(b[0], &QPushButton::clicked, this, [this, &s] { pridejTyp(s); });
    connect(b[1], &QPushButton::clicked, this, [this, &s] { prepisTyp(s); });
    connect(b[2], &QPushButton::clicked, this, [this, &s] { posunTyp(s, -1); });
    connect(b[3], &QPushButton::clicked, this, [this, &s] { posunTyp(s, +1); });
    connect(b[4], &QPushButton::clicked, this, [this, &s] { smazTyp(s); });
    auto* m = tesne(new QGridLayout(g));
    m->addWidget(s.edit, 0, 0);
    m->addWidget(s.seznam, 1, 0);
    m->addLayout(tlacitka, 0, 1, 2, 1);
    return g;
}

QWidget* TForm2::vytvorOznacovani()
{
    auto* stranka = new QWidget;
    auto* svisle = new QVBoxLayout(stranka);
    svisle->setContentsMargins(2, 2, 2, 2);
    svisle->setSpacing(2);
    auto* m = new QHBoxLayout;
    m->setSpacing(4);
    m->addWidget(skupinaTypu(QStringLiteral("označované typy:"), oznaceni, "Edit2", "ListBox1"));
    m->addWidget(skupinaTypu(QStringLiteral("odznačované typy:"), odznaceni, "Edit3", "ListBox2"));
    svisle->addLayout(m, 1);
    // The page "obecné" has no room left at the designed size; the type lists
    // here give up one line for the comparison program.
    svisle->addWidget(vytvorPorovnavac());
    return stranka;
}

void TForm2::nacti()
{
    const Konfigurace k = NactiKonfiguraci(cestaIni_);
    typy.seznam->addItems(k.typy);
    CheckBox1->setChecked(k.pouzitTypy);
    CheckBox2->setChecked(k.podadresare1);
    CheckBox4->setChecked(k.podadresare2);
    vyberVolbu(RGSerPodle, k.podle);
    vyberVolbu(RGSerTyp, k.typRazeni);
    CBExistAdr->setChecked(k.vstupparam);
    CBPotvrOdstr->setChecked(k.potvrzodstr);
    CBKos->setChecked(k.kos);
    CBJedenSvazek->setChecked(k.jedenSvazek);
    CBPorovnavac->setEditText(k.porovnavac);
    CheckBox3->setChecked(resetOkna_);
    oznaceni.seznam->addItems(k.oznaceni);
    odznaceni.seznam->addItems(k.odznaceni);
    typy.zmena = oznaceni.zmena = odznaceni.zmena = ZmenaRazeni = false;
}

bool TForm2::resetOkna() const
{
    return resetOkna_;
}

bool TForm2::zmeneno() const
{
    return typy.zmena || oznaceni.zmena || odznaceni.zmena || ZmenaRazeni;
}

void TForm2::Button1Click()
{
    if (typy.edit->text().isEmpty()) {
        Hlaseni(QStringLiteral("Nový typ je prázdný řetězec - ukončeno"), DruhHlaseni::Varovani, Tlacitko::OK);
        return;
    }
    if (typy.seznam->count() >= maxTypu) {
        Hlaseni(QStringLiteral("Již nelze přidat"), DruhHlaseni::Informace, Tlacitko::OK);
        return;
    }
    typy.seznam->addItem(typy.edit->text());
    typy.zmena = true;
}

void TForm2::Button2Click()
{
    smazTyp(typy);
}

void TForm2::pridejTyp(SeznamTypu& s)
{
    if (s.seznam->count() >= maxTypu) {
        Hlaseni(QStringLiteral("Již nelze přidat"), DruhHlaseni::Informace, Tlacitko::OK);
        return;
    }
    if (s.edit->text().isEmpty()) {
        Hlaseni(QStringLiteral("Nelze přidat prázdný typ"), DruhHlaseni::Informace, Tlacitko::OK);
        return;
    }
    s.seznam->addItem(s.edit->text());
    s.zmena = true;
}

void TForm2::prepisTyp(SeznamTypu& s)
{
    QListWidgetItem* p = s.seznam->currentItem();
    if (!p || !p->isSelected())
        return;
    p->setText(s.edit->text());
    s.zmena = true;
}

void TForm2::posunTyp(SeznamTypu& s, int o)
{
    s.zmena = true;   // also when nothing moves
    const int i = s.seznam->currentRow();
    const int j = i + o;
    if (i < 0 || !s.seznam->item(i)->isSelected() || j < 0 || j >= s.seznam->count())
        return;
    s.seznam->insertItem(j, s.seznam->takeItem(i));
    s.seznam->setCurrentRow(j);
}

void TForm2::smazTyp(SeznamTypu& s)
{
    s.zmena = true;
    const int i = s.seznam->currentRow();
    if (i >= 0 && s.seznam->item(i)->isSelected())
        delete s.seznam->takeItem(i);
}

void TForm2::Button3Click()
{
    Konfigurace k;
    k.typy = polozky(typy.seznam);
    k.pouzitTypy = CheckBox1->isChecked();
    k.podadresare1 = CheckBox2->isChecked();
    k.podadresare2 = CheckBox4->isChecked();
    k.vychoziVelikostOkna = CheckBox3->isChecked();
    k.podle = RGSerPodle->checkedId();
    k.typRazeni = RGSerTyp->checkedId();
    k.vstupparam = CBExistAdr->isChecked();
    k.potvrzodstr = CBPotvrOdstr->isChecked();
    k.kos = CBKos->isChecked();
    k.jedenSvazek = CBJedenSvazek->isChecked();
    k.porovnavac = CBPorovnavac->currentText();
    k.oznaceni = polozky(oznaceni.seznam);
    k.odznaceni = polozky(odznaceni.seznam);
    const VysledekZapisu r = UlozKonfiguraci(cestaIni_, k);
    if (!r.ok()) {
        // Nothing was written; the dialog stays open with the edits in place.
        Hlaseni(r.chyba(), DruhHlaseni::Chyba, Tlacitko::OK);
        return;
    }
    resetOkna_ = CheckBox3->isChecked();
    accept();
}

void TForm2::Button17Click()
{
    if (zmeneno() &&
        Hlaseni(QStringLiteral("Mám provedené změny ignorovat?"), DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne) ==
            Odpoved::Ne)
        return;
    reject();
}

} // namespace zrc
