#include "ui/about.h"

#include "ui/ikona_programu.h"
#include "ui/umisteni.h"
#include "ui/verze_programu.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zrc {

namespace {

QLabel* hodnota(const char* text, QWidget* rodic)
{
    auto* l = new QLabel(QString::fromUtf8(text), rodic);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

QString OProgramu::verze()
{
    return QString::asprintf("%d.%d.%d.%d", ZRC_VERZE_MAJOR, ZRC_VERZE_MINOR, ZRC_VERZE_PATCH, ZRC_VERZE_TWEAK);
}

OProgramu::OProgramu(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Zrcadlovač - informace"));
    if (parent)
        UmistiDialog(*this, *parent, MistoDialogu::Roh);
    auto* ikona = new QLabel(this);
    ikona->setObjectName(QStringLiteral("ikona"));
    // The icon at twice its usual 32-pixel size.
    ikona->setPixmap(IkonaProgramu().pixmap(64, 64));
    ikona->setAlignment(Qt::AlignTop);
    auto* udaje = new QFormLayout;
    udaje->addRow(QStringLiteral("Název:"), hodnota(ZRC_NAZEV_PROGRAMU, this));
    udaje->addRow(QStringLiteral("Popis"), hodnota(ZRC_POPIS_PROGRAMU, this));
    auto* v = new QLabel(verze(), this);
    v->setObjectName(QStringLiteral("verze"));
    udaje->addRow(QStringLiteral("Verze:"), v);
    udaje->addRow(QStringLiteral("Výrobce:"), hodnota(ZRC_VYROBCE, this));
    udaje->addRow(QStringLiteral("Autorské právo:"), hodnota(ZRC_AUTORSKE_PRAVO, this));
    auto* horni = new QHBoxLayout;
    horni->addWidget(ikona);
    horni->addLayout(udaje, 1);
    auto* ok = new QPushButton(QStringLiteral("O.K."), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* dolni = new QHBoxLayout;
    dolni->addStretch(1);
    dolni->addWidget(ok);
    dolni->addStretch(1);
    auto* vse = new QVBoxLayout(this);
    vse->addLayout(horni);
    vse->addLayout(dolni);
    vse->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace zrc
