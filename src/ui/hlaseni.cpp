#include "ui/hlaseni.h"

#include "ui/umisteni.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <array>

namespace zrc {

namespace {

struct PopisTlacitka {
    Tlacitko tlacitko;
    const char* popis;   // UTF-8
    Odpoved odpoved;
};

// Bit order is display order.
constexpr std::array<PopisTlacitka, 11> tabulkaTlacitek{{
    {Tlacitko::Ano, "&Ano", Odpoved::Ano},
    {Tlacitko::Ne, "&Ne", Odpoved::Ne},
    {Tlacitko::OK, "OK", Odpoved::OK},
    {Tlacitko::Zrus, "Zruš", Odpoved::Zrus},
    {Tlacitko::Ukonci, "&Ukonči", Odpoved::Ukonci},
    {Tlacitko::Opakuj, "&Opakuj", Odpoved::Opakuj},
    {Tlacitko::Ignoruj, "&Ignoruj", Odpoved::Ignoruj},
    {Tlacitko::Vse, "&All", Odpoved::Vse},
    {Tlacitko::NeVsem, "N&o to All", Odpoved::NeVsem},
    {Tlacitko::AnoVsem, "Y&es to All", Odpoved::AnoVsem},
    {Tlacitko::Napoveda, "&Help", Odpoved::Zadna},
}};

const PopisTlacitka* najdi(Tlacitko t)
{
    for (const auto& p : tabulkaTlacitek)
        if (p.tlacitko == t)
            return &p;
    return nullptr;
}

OdpovidacHlaseni& aktivniOdpovidac()
{
    static OdpovidacHlaseni odpovidac;
    return odpovidac;
}

QStyle::StandardPixmap ikonaDruhu(DruhHlaseni druh)
{
    switch (druh) {
    case DruhHlaseni::Varovani: return QStyle::SP_MessageBoxWarning;
    case DruhHlaseni::Chyba: return QStyle::SP_MessageBoxCritical;
    case DruhHlaseni::Informace: return QStyle::SP_MessageBoxInformation;
    case DruhHlaseni::Potvrzeni: return QStyle::SP_MessageBoxQuestion;
    case DruhHlaseni::Vlastni: break;
    }
    return QStyle::SP_CustomBase;
}

// The width of the label's longest line, plus a pixel for rounding.
int sirkaNejdelsihoRadku(const QLabel& text)
{
    int sirka = 0;
    for (const QString& radek : text.text().split(QLatin1Char('\n')))
        sirka = std::max(sirka, text.fontMetrics().horizontalAdvance(radek));
    return sirka + 1;
}

// The message dialog: Esc and the close box give the cancel button's answer,
// or nothing at all when the set has no cancel button.
class DialogHlaseni : public QDialog {
public:
    DialogHlaseni(const ZadostHlaseni& z, QWidget* rodic);
    void reject() override
    {
        if (zrusovaci_)
            done(static_cast<int>(*zrusovaci_));
    }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void pridejTlacitka(QHBoxLayout* rada, Tlacitka sada);
    std::optional<Odpoved> zrusovaci_;
};

DialogHlaseni::DialogHlaseni(const ZadostHlaseni& z, QWidget* rodic)
    : QDialog(rodic)
{
    setWindowTitle(titulekHlaseni(z.druh));
    // A dialog of fixed size: the title bar offers only the close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    auto* mrizka = new QGridLayout(this);
    mrizka->setSizeConstraint(QLayout::SetFixedSize);
    const auto ikona = ikonaDruhu(z.druh);
    if (ikona != QStyle::SP_CustomBase) {
        auto* obrazek = new QLabel(this);
        obrazek->setPixmap(style()->standardIcon(ikona).pixmap(32, 32));
        obrazek->setAlignment(Qt::AlignTop);
        mrizka->addWidget(obrazek, 0, 0);
    }
    auto* text = new QLabel(QString(z.text).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                .replace(QLatin1Char('\r'), QLatin1Char('\n')), this);
    text->setObjectName(QStringLiteral("textHlaseni"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    // Word-wrapped to at most half the screen width, and only there: a word-
    // wrapped label left to itself picks a narrow width and breaks short lines
    // (and paths at their hyphens), so it gets the width of its longest line.
    if (const QScreen* s = rodic ? rodic->screen() : QGuiApplication::primaryScreen()) {
        const int polovina = s->geometry().width() / 2;
        text->setMaximumWidth(polovina);
        text->setMinimumWidth(std::min(polovina, sirkaNejdelsihoRadku(*text)));
    }
    mrizka->addWidget(text, 0, 1);
    auto* rada = new QHBoxLayout;
    rada->addStretch(1);
    pridejTlacitka(rada, z.tlacitka);
    rada->addStretch(1);
    mrizka->addLayout(rada, 1, 0, 1, 2);
    // Centred on the window the user works in: Left = W.Left + W.Width div 2
    // - dialog.Width div 2, likewise Top; on the screen's area in every case.
    if (rodic)
        UmistiDialog(*this, *rodic, MistoDialogu::Stred);
}

void DialogHlaseni::pridejTlacitka(QHBoxLayout* rada, Tlacitka sada)
{
    const auto vychozi = vychoziTlacitko(sada);
    if (const auto zrus = zrusovaciTlacitko(sada))
        zrusovaci_ = odpovedTlacitka(*zrus);
    for (const auto& p : tabulkaTlacitek) {
        if (!sada.testFlag(p.tlacitko))
            continue;
        auto* b = new QPushButton(QString::fromUtf8(p.popis), this);
        b->setObjectName(QString::fromUtf8(p.popis).remove(QLatin1Char('&')));
        rada->addWidget(b);
        if (vychozi == p.tlacitko) {
            b->setDefault(true);
            b->setFocus();
        }
        // No help system exists; the Help button closes nothing.
        if (p.tlacitko != Tlacitko::Napoveda) {
            const int kod = static_cast<int>(p.odpoved);
            connect(b, &QPushButton::clicked, this, [this, kod] { done(kod); });
        }
    }
}

Odpoved zobraz(const ZadostHlaseni& z)
{
    if (aktivniOdpovidac())
        return aktivniOdpovidac()(z);
    QWidget* okno = QApplication::activeWindow();
    if (okno && okno->property(jenUkazujePrubeh).toBool() && okno->parentWidget())
        okno = okno->parentWidget()->window();
    auto dialog = vytvorDialogHlaseni(z, okno);
    return static_cast<Odpoved>(dialog->exec());
}

// Without a window to centre on (the parent places it otherwise), centred
// on the screen. Done at show time, when the dialog's size is final.
void DialogHlaseni::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (parentWidget())
        return;
    layout()->activate();
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect r = s->geometry();
        const QSize d = frameGeometry().size();
        move(r.left() + r.width() / 2 - d.width() / 2, r.top() + r.height() / 2 - d.height() / 2);
    }
}

} // namespace

QString titulekHlaseni(DruhHlaseni druh)
{
    switch (druh) {
    case DruhHlaseni::Varovani: return QStringLiteral("Warning");
    case DruhHlaseni::Chyba: return QStringLiteral("Error");
    case DruhHlaseni::Informace: return QStringLiteral("Information");
    case DruhHlaseni::Potvrzeni: return QStringLiteral("Confirm");
    case DruhHlaseni::Vlastni: break;
    }
    return QStringLiteral("Zrcadlovac-Kvetodilna");
}

QString popisTlacitka(Tlacitko t)
{
    const auto* p = najdi(t);
    return p ? QString::fromUtf8(p->popis) : QString();
}

Odpoved odpovedTlacitka(Tlacitko t)
{
    const auto* p = najdi(t);
    return p ? p->odpoved : Odpoved::Zadna;
}

std::optional<Tlacitko> vychoziTlacitko(Tlacitka sada)
{
    for (auto t : {Tlacitko::OK, Tlacitko::Ano, Tlacitko::Opakuj})
        if (sada.testFlag(t))
            return t;
    return std::nullopt;
}

std::optional<Tlacitko> zrusovaciTlacitko(Tlacitka sada)
{
    for (auto t : {Tlacitko::Zrus, Tlacitko::Ne, Tlacitko::OK})
        if (sada.testFlag(t))
            return t;
    return std::nullopt;
}

std::unique_ptr<QDialog> vytvorDialogHlaseni(const ZadostHlaseni& z, QWidget* rodic)
{
    return std::make_unique<DialogHlaseni>(z, rodic);
}

Odpoved Hlaseni(const QString& text, DruhHlaseni druh, Tlacitka tlacitka, int kontextNapovedy)
{
    // One system sound stands for the five kinds' signals.
    if (!aktivniOdpovidac())
        QApplication::beep();
    return zobraz({text, druh, tlacitka, kontextNapovedy, true});
}

Odpoved HlaseniOkno(const QString& text, DruhHlaseni druh, Tlacitka tlacitka, int kontextNapovedy)
{
    return zobraz({text, druh, tlacitka, kontextNapovedy, false});
}

NahradaHlaseni::NahradaHlaseni(OdpovidacHlaseni odpovidac)
    : predchozi_(std::move(aktivniOdpovidac()))
{
    aktivniOdpovidac() = std::move(odpovidac);
}

NahradaHlaseni::~NahradaHlaseni()
{
    aktivniOdpovidac() = std::move(predchozi_);
}

} // namespace zrc
