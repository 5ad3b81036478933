// The settings page "Nastavení": the two directories, the filter, scope and
// history groups, the progress bar and the three buttons, each at its design
// geometry (pixels of the 632 x 449 client area) with its caption and hint.
#include "ui/stranka_nastaveni.h"
#include "ui/zakl_okno_1_pomoc.h"
#include "ui/skalovani.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

namespace zrc {

namespace {

// Children of a group box carry the page font, not the bold group caption.
template <typename W>
W* prvek(Skalovani& s, QWidget* rodic, const QRect& r, W* w)
{
    w->setParent(rodic);
    s.umisti(w, r);
    s.pismo(w, pismo(DruhPisma::Stranka));
    return w;
}

QGroupBox* skupina(Skalovani& s, QWidget* rodic, const QString& titulek, const QRect& r)
{
    auto* g = new QGroupBox(titulek, rodic);
    s.umisti(g, r);
    s.pismo(g, pismo(DruhPisma::Skupina));
    return g;
}

QComboBox* volba(const QStringList& polozky)
{
    auto* c = new QComboBox;
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(polozky);
    c->setCurrentIndex(0);
    return c;
}

QSpinBox* cislo()
{
    auto* s = new QSpinBox;
    s->setRange(0, 99999);
    return s;
}

QToolButton* glyf(QStyle::StandardPixmap ikona, const QString& jmeno)
{
    auto* b = new QToolButton;
    b->setObjectName(jmeno);
    b->setIcon(b->style()->standardIcon(ikona));
    b->setAutoRaise(false);
    return b;
}

} // namespace

void StrankaNastaveni::vytvor()
{
    skalovani_.pismo(this, pismo(DruhPisma::Stranka));
    // The group caption sits on the frame line, so the controls placed 15
    // pixels below the group's top edge are inside the frame, clear of it.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px; padding: 0px 2px; }"));
    vytvorAdresar(1);
    vytvorAdresar(2);
    vytvorFiltr();
    vytvorOmezeni();
    vytvorHistorii();
    vytvorTlacitka();
}

void StrankaNastaveni::vytvorAdresar(int strana)
{
    auto& s = skalovani_;
    const bool prvni = strana == 1;
    auto* g = skupina(s, this, prvni ? QStringLiteral("Adresář 1:") : QStringLiteral("Adresář 2:"),
                      prvni ? QRect(67, 6, 490, 60) : QRect(67, 67, 490, 60));
    auto* label = prvek(s, g, {16, 18, 20, 16}, new QLabel(prvni ? QStringLiteral("&1:") : QStringLiteral("&2:")));
    auto* combo = prvek(s, g, prvni ? QRect(40, 15, 377, 24) : QRect(39, 15, 378, 24), new QComboBox);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setObjectName(prvni ? QStringLiteral("adresar1") : QStringLiteral("adresar2"));
    nastavHint(combo, prvni ? QStringLiteral("|zadej nebo vyber cestu porovnávaného adresáře č.1 - základní úroveň (0)")
                            : QStringLiteral("|zadej nebo vyber cestu porovnávaného adresáře č.2 - základní úroveň (0)"));
    label->setBuddy(combo);
    auto* chb = prvek(s, g, {64, 40, 249, 17},
                      new QCheckBox(prvni ? QStringLiteral("procházet pouze &shodné podadresáře")
                                          : QStringLiteral("procházet pouze s&hodné podadresáře")));
    chb->setChecked(true);
    auto* open = prvek(s, g, {424, 15, 24, 24}, glyf(QStyle::SP_DirOpenIcon, prvni ? "BBOpen1" : "BBOpen2"));
    nastavHint(open, QStringLiteral("|výběr adresářů"));
    auto* nove = prvek(s, g, {448, 15, 24, 24}, glyf(QStyle::SP_FileDialogNewFolder, prvni ? "BBNew11" : "BBNew2"));
    nastavHint(nove, prvni ? QStringLiteral("|vytvoření adresáře č.1") : QStringLiteral("|vytvoření adresáře č.2"));
    (prvni ? GroupBox2 : GroupBox7) = g;
    (prvni ? Label1 : Label2) = label;
    (prvni ? adresar1 : adresar2) = combo;
    (prvni ? ChB_adresar1 : ChB_adresar2) = chb;
    (prvni ? BBOpen1 : BBOpen2) = open;
    (prvni ? BBNew11 : BBNew2) = nove;
}

void StrankaNastaveni::vytvorFiltr()
{
    auto& s = skalovani_;
    GroupBox1 = skupina(s, this, QStringLiteral("Filtr:"), {24, 130, 569, 87});
    const QString hintPoctu = QStringLiteral("zadej počet časových jednotek (0 pro den = aktuální den, hodina, ...)");
    const QStringList rezimy{QStringLiteral("za posledních"), QStringLiteral("po datu")};
    const QStringList jednotky{QStringLiteral("dnů"), QStringLiteral("hodin"), QStringLiteral("minut")};
    struct Radek {
        QCheckBox*& zapnuto; QComboBox*& rezim; QSpinBox*& pocet; QComboBox*& jednotka;
        QDateEdit*& datum; QLineEdit*& cas; QPushButton*& zeSouboru;
        const char* popisek; const char* hintRezimu; int y;
    };
    const Radek radky[] = {
        {ChB_Filtr_1, CB_Filtr_1, SE_Filtr_1_Posledni, ChB_Filtr_1_Posledni, DTP_Filtr_1_OdData,
         ME_Filtr_1_OdData, B_Filtr_1_OdData, "soubory v&zniklé nebo změněné:",
         "vyber typ omezení vzniku nebo změny souborů", 16},
        {ChB_Filtr_2, CB_Filtr_2, SE_Filtr_2_Posledni, ChB_Filtr_2_Posledni, DTP_Filtr_2_OdData,
         ME_Filtr_2_OdData, B_Filtr_2_OdData, "podadresáře vz&niklé:", "vyber typ omezení vzniku adresářů", 39},
    };
    for (const auto& r : radky) {
        r.zapnuto = prvek(s, GroupBox1, {8, r.y, 200, 21}, new QCheckBox(QString::fromUtf8(r.popisek)));
        r.rezim = prvek(s, GroupBox1, {210, r.y, 110, 21}, volba(rezimy));
        nastavHint(r.rezim, QString::fromUtf8(r.hintRezimu));
        r.pocet = prvek(s, GroupBox1, {324, r.y, 54, 21}, cislo());
        nastavHint(r.pocet, hintPoctu);
        r.jednotka = prvek(s, GroupBox1, {382, r.y, 72, 21}, volba(jednotky));
        nastavHint(r.jednotka, QStringLiteral("zadej nebo vyber časovou jednotku"));
        r.datum = prvek(s, GroupBox1, {324, r.y, 100, 21}, new QDateEdit(QDate(2000, 7, 10)));
        r.datum->setCalendarPopup(true);
        nastavHint(r.datum, QStringLiteral("zadej datum"));
        r.cas = prvek(s, GroupBox1, {428, r.y, 46, 21}, new QLineEdit);
        // Hours: the first digit may stay blank; minutes: two digits.
        r.cas->setInputMask(QStringLiteral("09:99;_"));
        r.cas->setText(QStringLiteral("10:00"));
        nastavHint(r.cas, QStringLiteral("zadej čas"));
        r.zeSouboru = prvek(s, GroupBox1, {478, r.y, 24, 21}, new QPushButton(QStringLiteral("..")));
        // Mode 1 ("za posledních") shows the count and the unit only.
        r.datum->hide();
        r.cas->hide();
        r.zeSouboru->hide();
    }
    ChB_Filtr_3 = prvek(s, GroupBox1, {8, 62, 200, 21}, new QCheckBox(QStringLiteral("shoda podadesářů do ú&rovně:")));
    SE_Filtr_3 = prvek(s, GroupBox1, {210, 62, 54, 21}, cislo());
    nastavHint(SE_Filtr_3, QStringLiteral("zadej počet úrovní"));
}

void StrankaNastaveni::vytvorOmezeni()
{
    auto& s = skalovani_;
    GroupBox3 = skupina(s, this, QStringLiteral("Omezení:"), {24, 220, 340, 69});
    LOmez = prvek(s, GroupBox3, {8, 20, 62, 18}, new QLabel(QStringLiteral("porovnat:")));
    CBOmez = prvek(s, GroupBox3, {72, 17, 180, 22},
                   volba({QStringLiteral("0) oba adresáře"), QStringLiteral("1) jen adresář číslo1"),
                          QStringLiteral("2) jen adresář číslo2")}));
    LOmez->setBuddy(CBOmez);
    ChBIgnorCasFiltr = prvek(s, GroupBox3, {8, 44, 326, 19},
                             new QCheckBox(QStringLiteral("ignorovat časový filtr u shodně vzniklých souborů")));
    ChBIgnorCasFiltr->setChecked(true);
}

void StrankaNastaveni::vytvorHistorii()
{
    auto& s = skalovani_;
    GB_Historie = skupina(s, this, QStringLiteral("Historie:"), {374, 220, 219, 69});
    SBHP = prvek(s, GB_Historie, {8, 17, 24, 22}, glyf(QStyle::SP_ArrowLeft, "SBHP"));
    nastavHint(SBHP, QStringLiteral("načtení předchozího nastavení z historie"));
    SBHP->setEnabled(false);
    LH = prvek(s, GB_Historie, {34, 17, 50, 22}, new QLabel(QStringLiteral("-")));
    LH->setAlignment(Qt::AlignCenter);
    SBHD = prvek(s, GB_Historie, {86, 17, 24, 22}, glyf(QStyle::SP_ArrowRight, "SBHD"));
    nastavHint(SBHD, QStringLiteral("načtení dalšího nastavení z historie"));
    ChBHBezAdr = prvek(s, GB_Historie, {116, 19, 100, 19}, new QCheckBox(QStringLiteral("&bez adresářů")));
    nastavHint(ChBHBezAdr, QStringLiteral("načtení historie bez použitých adresářů"));
    ChBHNepridavat = prvek(s, GB_Historie, {8, 44, 200, 19}, new QCheckBox(QStringLiteral("nepři&dávat Ctrl+H")));
    nastavHint(ChBHNepridavat, QStringLiteral("nastavení ne/přidávání nastavení do historie"));
}

void StrankaNastaveni::vytvorTlacitka()
{
    auto& s = skalovani_;
    ProgressBar1 = prvek(s, this, {70, 292, 360, 25}, new QProgressBar);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    nastavHint(ProgressBar1, QStringLiteral("průběh porovnávání"));
    ProgressBar1->hide();
    Button4 = new QPushButton(QStringLiteral("&Porovnej"), this);
    Button4->setObjectName(QStringLiteral("Button4"));
    s.umisti(Button4, {440, 292, 115, 55});
    s.pismo(Button4, pismo(DruhPisma::Porovnej));
    Button4->setDefault(true);
    nastavHint(Button4, QStringLiteral("|spuštění / zastavení porovnání"));
    Button18 = prvek(s, this, {195, 322, 110, 25}, new QPushButton(QStringLiteral("abo&ut")));
    nastavHint(Button18, QStringLiteral("|informace o programu"));
    Button3 = prvek(s, this, {320, 322, 110, 25}, new QPushButton(QStringLiteral("kon&figurace")));
    nastavHint(Button3, QStringLiteral("|konfigurace programu"));
}

} // namespace zrc
