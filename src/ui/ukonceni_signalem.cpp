#include "ui/ukonceni_signalem.h"

#include "platform/signaly.h"

#include <QEvent>
#include <QSocketNotifier>
#include <QWidget>

#include <unistd.h>

namespace zrc {

UkonceniSignalem::UkonceniSignalem(QWidget& okno)
    : QObject(&okno), okno_(okno)
{
    const int ctenar = platform::ctenarUkonceni();
    if (ctenar < 0)
        return;
    hlidac_ = new QSocketNotifier(ctenar, QSocketNotifier::Read, this);
    connect(hlidac_, &QSocketNotifier::activated, this, &UkonceniSignalem::prijato);
    okno_.installEventFilter(this);
}

void UkonceniSignalem::prijato()
{
    char bajty[16];
    while (::read(platform::ctenarUkonceni(), bajty, sizeof bajty) > 0) {}
    if (prijat_)
        return;
    prijat_ = true;
    if (!okno_.isVisible()) {
        emit oknoZavreno();
        return;
    }
    // During an operation the close is refused once, cancels the operation
    // and comes again when the operation has ended (TForm1::closeEvent); the
    // window's hide event tells when it has closed.
    okno_.close();
}

bool UkonceniSignalem::eventFilter(QObject* o, QEvent* e)
{
    if (prijat_ && o == &okno_ && e->type() == QEvent::Hide && !okno_.isVisible())
        emit oknoZavreno();
    return QObject::eventFilter(o, e);
}

} // namespace zrc
