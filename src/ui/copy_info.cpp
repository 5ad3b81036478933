#include "ui/copy_info.h"

#include "ui/hlaseni.h"
#include "ui/umisteni.h"
#include "util/cesty.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QFontMetrics>

namespace zrc {

namespace {

constexpr int dilku = 10000;   // bar resolution: sizes are 64-bit, bars int
constexpr int vyskaRadku = 18; // the progress line: 14 pixels and a gap of 4 above

int dil(std::int64_t hotovo, std::int64_t celkem)
{
    if (celkem <= 0)
        return hotovo > 0 ? dilku : 0;
    const long double podil = static_cast<long double>(hotovo) / static_cast<long double>(celkem);
    return static_cast<int>(std::clamp<long double>(podil, 0, 1) * dilku);
}

QProgressBar* pruh(QWidget* rodic, int y)
{
    auto* p = new QProgressBar(rodic);
    p->setGeometry(24, y, 305, 16);
    p->setRange(0, dilku);
    p->setValue(0);
    p->setTextVisible(false);
    return p;
}

} // namespace

TForm4::TForm4(QWidget* hlavniOkno)
    : QDialog(hlavniOkno, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Průběh"));
    setWindowModality(Qt::ApplicationModal);
    // Not a window the user works in: a question asked during the operation
    // is centred on the main window like every other one.
    setProperty(jenUkazujePrubeh, true);
    if (hlavniOkno)
        UmistiDialog(*this, *hlavniOkno, MistoDialogu::Roh);
    setAttribute(Qt::WA_DeleteOnClose, false);
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("DejaVu Sans")});
    f.setPixelSize(11);
    setFont(f);
    // The designed 352 x 89 with one line more under the bars.
    setFixedSize(352, 89 + vyskaRadku);

    Label2 = new QLabel(QStringLiteral("Průběh "), this);
    Label2->setGeometry(24, 8, 305, 14);
    ProgressBar2 = pruh(this, 24);
    Label1 = new QLabel(QStringLiteral("Průběh celkem:"), this);
    Label1->setGeometry(24, 48, 305, 14);
    ProgressBar1 = pruh(this, 64);
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(24, 84, 352 - 24 - 8, 14);
    // The line holds four parts in the width of the bars: where Arial is
    // missing, the condensed face keeps "zbývá" in view.
    QFont uzke = font();
    uzke.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    Label3->setFont(uzke);
    Label3->installEventFilter(this);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    kurzor_ = true;
}

TForm4::~TForm4()
{
    if (kurzor_)
        QApplication::restoreOverrideCursor();
}

void TForm4::nastavSoubor(const QString& cesta)
{
    Label2->setText(QStringLiteral("Průběh: ") + ZkratCestu(37, cesta));
}

void TForm4::nastavPrubehSouboru(std::int64_t hotovo, std::int64_t celkem)
{
    ProgressBar2->setValue(dil(hotovo, celkem));
}

void TForm4::nastavPrubehCelkem(std::int64_t hotovo, std::int64_t celkem)
{
    ProgressBar1->setValue(dil(hotovo, celkem));
}

void TForm4::nastavRadek(const QString& text)
{
    radek_ = text;
    const QString zkraceny = Label3->fontMetrics().elidedText(text, Qt::ElideRight, Label3->width());
    Label3->setText(zkraceny);
    Label3->setToolTip(zkraceny == text ? QString() : text);
}

// Cut again in a new font (a wider face, a larger size), so that the line
// never runs past the window's edge.
bool TForm4::eventFilter(QObject* o, QEvent* e)
{
    if (o == Label3 && e->type() == QEvent::FontChange && !radek_.isEmpty())
        nastavRadek(radek_);
    return QDialog::eventFilter(o, e);
}

void TForm4::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        emit zrusit();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

// The window closes when the operation ends, never by the user: a close
// request (the window manager's, Alt+F4) cancels like Esc.
void TForm4::closeEvent(QCloseEvent* e)
{
    e->ignore();
    emit zrusit();
}

void TForm4::reject()
{
    emit zrusit();
}

} // namespace zrc
