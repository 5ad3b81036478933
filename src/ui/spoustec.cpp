#include "ui/spoustec.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QProcess>

namespace zrc {

namespace {

const QString sluzbaSpravce = QStringLiteral("org.freedesktop.FileManager1");

} // namespace

bool Spoustec::otevri(const QUrl& soubor)
{
    return QDesktopServices::openUrl(soubor);
}

// The freedesktop file-manager interface selects the item in its folder;
// only a file manager that registered the name on the session bus offers it.
bool Spoustec::ukazUmisteni(const QUrl& soubor)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(sluzbaSpravce)) {
        QDBusMessage m = QDBusMessage::createMethodCall(sluzbaSpravce, QStringLiteral("/org/freedesktop/FileManager1"),
                                                        sluzbaSpravce, QStringLiteral("ShowItems"));
        m << QStringList{QString::fromLatin1(soubor.toEncoded())} << QString();
        if (bus.call(m, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage)
            return true;
    }
    return otevri(soubor.adjusted(QUrl::RemoveFilename | QUrl::StripTrailingSlash));
}

bool Spoustec::spust(const QString& program, const QStringList& argumenty)
{
    return QProcess::startDetached(program, argumenty);
}

Spoustec& skutecnySpoustec()
{
    static Spoustec s;
    return s;
}

QUrl urlSouboru(const std::string& cesta)
{
    const QByteArray cesta8 = QByteArray::fromStdString(cesta).toPercentEncoding("/");
    return QUrl::fromEncoded("file://" + cesta8, QUrl::StrictMode);
}

} // namespace zrc
