#include "ui/kniha_chyb_okno.h"

#include "operace/chyba_souboru.h"
#include "platform/zapisy.h"
#include "ui/cestina.h"
#include "ui/umisteni.h"
#include "ui/hlaseni.h"
#include "util/bajty_cesty.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zrc {

QString textKnihyChyb(const KnihaChyb& kniha)
{
    return textZBajtu(textKnihy(kniha.zaznamy()));
}

bool ulozKnihu(const KnihaChyb& kniha, const QString& cesta)
{
    // The record's own bytes: a path that is not UTF-8 is saved as it is named.
    const std::string data = textKnihy(kniha.zaznamy());
    const auto r = platform::nahradSoubor(platform::realSyscalls(), bajtyZTextu(cesta), data);
    if (r.ok())
        return true;
    const std::string duvod = textChyby(ChybaSouboru::systemu(r.err));
    Hlaseni(QStringLiteral("Záznam chyb nelze uložit do souboru\r%1\r(%2)")
                .arg(cesta, QString::fromUtf8(duvod.data(), static_cast<qsizetype>(duvod.size()))),
            DruhHlaseni::Chyba, Tlacitko::OK);
    return false;
}

void ulozKnihuDotazem(const KnihaChyb& kniha, QWidget* rodic)
{
    QFileDialog d(rodic, QStringLiteral("uložit chyby operace"), QDir::homePath() + QStringLiteral("/chyby.txt"),
                  QStringLiteral("text (*.txt);;všechny soubory (*)"));
    CeskyDialog(d);
    d.setAcceptMode(QFileDialog::AcceptSave);
    if (d.exec() == QDialog::Accepted && !d.selectedFiles().value(0).isEmpty())
        ulozKnihu(kniha, d.selectedFiles().value(0));
}

OknoKnihyChyb::OknoKnihyChyb(const KnihaChyb& kniha, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OknoKnihyChyb"));
    setWindowTitle(QStringLiteral("chyby operace"));
    text = new QPlainTextEdit(textKnihyChyb(kniha));
    text->setObjectName(QStringLiteral("text"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    BUloz = new QPushButton(QStringLiteral("&uložit .."));
    BZavri = new QPushButton(QStringLiteral("&zavřít"));
    BZavri->setDefault(true);
    auto* dole = new QHBoxLayout;
    dole->addStretch();
    dole->addWidget(BUloz);
    dole->addWidget(BZavri);
    auto* vrstva = new QVBoxLayout(this);
    vrstva->addWidget(text);
    vrstva->addLayout(dole);
    connect(BUloz, &QPushButton::clicked, this, [this, &kniha] { ulozKnihuDotazem(kniha, this); });
    connect(BZavri, &QPushButton::clicked, this, &QDialog::accept);
    resize(640, 360);
    if (parent) {
        // Over the main window, never larger than it (632 x 449 by default).
        resize(size().boundedTo(parent->window()->size()));
        UmistiDialog(*this, *parent, MistoDialogu::Stred);
    }
}

void pridejKnihuDoNabidky(QMenu* nabidka, const KnihaChyb& kniha, QWidget* okno)
{
    nabidka->addSeparator();
    QAction* zobraz = nabidka->addAction(QStringLiteral("zobrazit &chyby operace"));
    zobraz->setObjectName(QStringLiteral("MChyby"));
    zobraz->setStatusTip(QStringLiteral("ukáže soubory, které poslední operace neprovedla, a proč"));
    QAction* uloz = nabidka->addAction(QStringLiteral("uložit chyby operace .."));
    uloz->setObjectName(QStringLiteral("MChybyUloz"));
    uloz->setStatusTip(QStringLiteral("uloží záznam chyb poslední operace jako text"));
    QObject::connect(nabidka, &QMenu::aboutToShow, zobraz, [zobraz, uloz, &kniha] {
        zobraz->setEnabled(!kniha.prazdna());
        uloz->setEnabled(!kniha.prazdna());
    });
    QObject::connect(zobraz, &QAction::triggered, okno, [&kniha, okno] {
        OknoKnihyChyb dialog(kniha, okno);
        dialog.exec();
    });
    QObject::connect(uloz, &QAction::triggered, okno, [&kniha, okno] { ulozKnihuDotazem(kniha, okno); });
}

} // namespace zrc
