#include "ui/cesta_text.h"

#include "ui/umisteni.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zrc {

TForm3::TForm3(const QString& pocatecni, bool oznacit, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint), vysledek_(pocatecni)
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Zadej jméno:"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);
    resize(341, 135);
    Label1 = new QLabel(QStringLiteral("Vše v daném (pod)adresáři bude") +
                        (oznacit ? QStringLiteral(" označeno:") : QStringLiteral(" odznačeno:")));
    Edit1 = new QLineEdit(pocatecni);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(321);
    Edit1->installEventFilter(this);
    Label2 = new QLabel(QStringLiteral("možno použít masku *xxx, *xxx*, xxx*"));
    Button1 = new QPushButton(QStringLiteral("&O.K."));
    Button2 = new QPushButton(QStringLiteral("&Zruš"));
    for (QPushButton* b : {Button1, Button2}) {
        QFont tucne = b->font();
        tucne.setBold(true);
        b->setFont(tucne);
    }
    Button1->setDefault(true);
    auto* tlacitka = new QHBoxLayout;
    tlacitka->addStretch();
    tlacitka->addWidget(Button1);
    tlacitka->addWidget(Button2);
    auto* vrstva = new QVBoxLayout(this);
    vrstva->addWidget(Label1);
    vrstva->addWidget(Edit1);
    vrstva->addWidget(Label2);
    vrstva->addLayout(tlacitka);
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
}

void TForm3::Edit1Exit()
{
    vysledek_ = Edit1->text();
}

void TForm3::Button1Click()
{
    vysledek_ = Edit1->text();
    accept();
}

void TForm3::Button2Click()
{
    vysledek_ = QStringLiteral(" ");
    reject();
}

bool TForm3::eventFilter(QObject* o, QEvent* e)
{
    if (o == Edit1 && e->type() == QEvent::FocusOut)
        Edit1Exit();
    return QDialog::eventFilter(o, e);
}

QString ZadejCestu(QWidget* okno, const QString& pocatecni, bool oznacit)
{
    TForm3 d(pocatecni, oznacit, okno);
    d.adjustSize();
    if (okno)
        UmistiDialog(d, *okno, MistoDialogu::Roh);
    d.exec();
    return d.vysledek();
}

} // namespace zrc
