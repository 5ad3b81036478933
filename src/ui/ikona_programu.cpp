#include "ui/ikona_programu.h"

namespace zrc {

namespace {

// The two sizes rendered from the SVG; Qt scales between them.
QIcon vestavenaIkona()
{
    QIcon ikona;
    for (const int strana : {48, 256})
        ikona.addFile(QStringLiteral(":/ikony/%1/zrcadlovac.png").arg(strana), QSize(strana, strana));
    return ikona;
}

} // namespace

QIcon IkonaProgramu()
{
    static const QIcon vestavena = vestavenaIkona();
    return QIcon::fromTheme(QLatin1String(jmenoIkony), vestavena);
}

} // namespace zrc
