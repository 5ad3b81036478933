#include "ui/soubor_info.h"

#include "engine/cislo_seznamu.h"
#include "engine/info_souboru.h"
#include "engine/vysledky.h"
#include "ui/umisteni.h"
#include "util/bajty_cesty.h"
#include "util/cesty.h"

#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>

namespace zrc {

namespace {

// Everything before the last "/" of a path in bytes; the root stays "/".
std::string adresarCesty(const std::string& cesta)
{
    const std::size_t lomitko = cesta.rfind('/');
    if (lomitko == std::string::npos)
        return {};
    return lomitko == 0 ? std::string("/") : cesta.substr(0, lomitko);
}

std::string spoj(const std::string& adresar, const std::string& jmeno)
{
    return adresar.ends_with('/') ? adresar + jmeno : adresar + '/' + jmeno;
}

QFont pismoDialogu(int pixely, bool tucne)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixely);
    f.setBold(tucne);
    return f;
}

QLabel* popisek(const QString& t, QWidget* rodic, int y)
{
    auto* l = new QLabel(t, rodic);
    l->setGeometry(12, y, 166, 14);
    return l;
}

// A read-only edit in the button face colour, bold.
QLineEdit* pole(QWidget* rodic, int y)
{
    auto* e = new QLineEdit(rodic);
    e->setGeometry(12, y, 166, 21);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    e->setFont(pismoDialogu(11, true));
    QPalette p = e->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    e->setPalette(p);
    return e;
}

} // namespace

ZadaniInfa zadaniInfa(const UlozisteVysledku& u, int seznam, const Polozka& p)
{
    const bool adresar1 = CisloSeznamu(seznam).adresar() == 1;
    const std::string vlastni = plnaCesta(u, seznam, p);
    const std::string protejsi = cestaProtejsku(u, seznam, p);
    return {.adresar1 = adresarCesty(adresar1 ? vlastni : protejsi),
            .adresar2 = adresarCesty(adresar1 ? protejsi : vlastni),
            .jmeno = CestaPolozky(u, p, false),
            .formatCasu = u.formatCasu()};
}

QString textCasuInfa(std::time_t cas, DlouhyFormatCasu format)
{
    const QLocale cesky(QLocale::Czech, QLocale::CzechRepublic);
    // The time the lists compare and show: the packed 2-second local time, so
    // that 0:16:41 reads 00:16:40 here as in the "datum" column.
    const QDateTime t = qDateTimeZBalenehoCasu(balenyCasZUnix(cas));
    // The locale's short date, but with the whole year: "24.03.26" reads as
    // three different dates.
    QString datum = cesky.dateFormat(QLocale::ShortFormat);
    datum.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    const QString hodiny = format == DlouhyFormatCasu::HodinyMinuty ? QStringLiteral("HH:mm")
                                                                    : QStringLiteral("HH:mm:ss");
    return cesky.toString(t.date(), datum) + QLatin1Char(' ') + cesky.toString(t.time(), hodiny);
}

TForm5::TForm5(const ZadaniInfa& z, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Info o vybraném souboru"));
    setFont(pismoDialogu(11, false));
    setFixedSize(407, 269);
    if (parent)
        UmistiDialog(*this, *parent, MistoDialogu::Roh);

    Label1 = new QLabel(ZkratCestu(35, textZBajtu(z.jmeno)), this);
    Label1->setGeometry(0, 2, 407, 21);
    Label1->setAlignment(Qt::AlignCenter);
    QFont titulek = pismoDialogu(16, true);
    titulek.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans")});
    titulek.setWeight(QFont::Black);
    Label1->setFont(titulek);
    QPalette modra = Label1->palette();
    modra.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(modra);
    Label1->setToolTip(textZBajtu(z.jmeno));

    const Strana s1 = vytvorStranu(1, {9, 24, 190, 201});
    const Strana s2 = vytvorStranu(2, {209, 24, 190, 201});
    GroupBox1 = s1.skupina;
    adr1_name = s1.adresar;
    s1_cas = s1.cas;
    s1_size = s1.velikost;
    s1_atr = s1.atribut;
    GroupBox2 = s2.skupina;
    adr2_name = s2.adresar;
    s2_cas = s2.cas;
    s2_size = s2.velikost;
    s2_atr = s2.atribut;
    vypln(s1, z.adresar1, z);
    vypln(s2, z.adresar2, z);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(11, 240, 385, 25);
    Button1->setCursor(Qt::PointingHandCursor);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);   // Button1Click
    Button1->setFocus();
}

TForm5::Strana TForm5::vytvorStranu(int cislo, const QRect& misto)
{
    Strana s{};
    s.skupina = new QGroupBox(QStringLiteral("Adresář %1:").arg(cislo), this);
    s.skupina->setObjectName(QStringLiteral("GroupBox%1").arg(cislo));
    s.skupina->setGeometry(misto);
    s.adresar = new QLabel(s.skupina);
    s.adresar->setObjectName(QStringLiteral("adr%1_name").arg(cislo));
    s.adresar->setGeometry(4, 18, misto.width() - 8, 16);
    s.adresar->setAlignment(Qt::AlignCenter);
    const char* popisky[3] = {"datum + čas:", "velikost:", "atribut:"};
    QLineEdit** pole3[3] = {&s.cas, &s.velikost, &s.atribut};
    for (int i = 0; i < 3; ++i) {
        popisek(QString::fromUtf8(popisky[i]), s.skupina, 44 + 50 * i);
        *pole3[i] = pole(s.skupina, 60 + 50 * i);
    }
    return s;
}

void TForm5::vypln(const Strana& s, const std::string& adresar, const ZadaniInfa& z)
{
    const QString adr = textZBajtu(adresar);
    s.adresar->setText(ZkratCestu(22, adr));
    s.adresar->setToolTip(adr);
    const InfoSouboru info = CtiInfoSouboru(spoj(adresar, z.jmeno));
    if (!info.existuje) {
        for (QLineEdit* e : {s.cas, s.velikost, s.atribut})
            e->setText(QStringLiteral("---"));
        return;
    }
    s.cas->setText(textCasuInfa(info.cas, z.formatCasu));
    s.velikost->setText(QString::number(info.velikost) + QStringLiteral(" byte"));
    s.atribut->setText(QString::fromStdString(TextAtributu(info.atributy)));
}

void ZobrazInfo(const ZadaniInfa& z, QWidget& hlavniOkno)
{
    TForm5 d(z, &hlavniOkno);
    d.exec();
}

} // namespace zrc
