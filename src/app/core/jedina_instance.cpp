#include "app/core/jedina_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <unistd.h>

namespace zrc {
namespace {

constexpr auto kTitle = "Zrcadlovac-Kvetodilna";
// A connection to a live instance is accepted by the kernel at once (the
// listen backlog); the waits only guard against a hung peer.
constexpr int kConnectTimeoutMs = 2000;
constexpr int kWriteTimeoutMs = 5000;
// Another start holds the lock only for a connect or a listen; waiting longer
// than this means something is wrong, and we go on without the lock.
constexpr int kLockTimeoutMs = 10000;
// sockaddr_un::sun_path holds 108 bytes including the terminating zero.
constexpr qsizetype kMaxSocketPath = 100;

QString socketDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo info(runtime);
    if (!runtime.isEmpty() && info.isDir() && info.isWritable())
        return runtime;
    return QDir::tempPath();
}

// The absolute path with symbolic links of the directory resolved, so that
// two spellings of the same INI file meet at one socket.
QString normalisedIniPath(const QString& iniPath)
{
    const QFileInfo info(QDir::cleanPath(QDir::current().absoluteFilePath(iniPath)));
    const QString dir = info.dir().canonicalPath();
    return dir.isEmpty() ? info.absoluteFilePath() : QDir(dir).filePath(info.fileName());
}

} // namespace

JedinaInstance::JedinaInstance(const QString& iniPath, QObject* parent)
    : QObject(parent), socketPath_(socketPathFor(iniPath))
{
}

JedinaInstance::~JedinaInstance() = default;

QString JedinaInstance::socketPathFor(const QString& iniPath)
{
    const QByteArray hash = QCryptographicHash::hash(normalisedIniPath(iniPath).toUtf8(),
                                                     QCryptographicHash::Sha256);
    const QString name = QStringLiteral("%1-%2-%3")
                             .arg(QLatin1String(kTitle))
                             .arg(::getuid())
                             .arg(QString::fromLatin1(hash.toHex().left(16)));
    QString path = QDir(socketDirectory()).filePath(name);
    if (path.size() > kMaxSocketPath)
        path = QDir(QDir::tempPath()).filePath(name);
    return path;
}

JedinaInstance::Role JedinaInstance::start()
{
    QLockFile lock(socketPath_ + QStringLiteral(".lock"));
    const bool locked = lock.tryLock(kLockTimeoutMs);
    if (!locked)
        qWarning("Single instance: lock %s not taken, going on without it",
                 qPrintable(lock.fileName()));
    if (connectToRunning())
        return Role::Second;
    if (!listen())
        qWarning("Single instance: cannot listen on %s", qPrintable(socketPath_));
    return Role::First;
}

bool JedinaInstance::isListening() const
{
    return server_ && server_->isListening();
}

bool JedinaInstance::connectToRunning()
{
    client_ = std::make_unique<QLocalSocket>();
    client_->connectToServer(socketPath_);
    if (client_->waitForConnected(kConnectTimeoutMs))
        return true;
    client_.reset();
    return false;
}

bool JedinaInstance::listen()
{
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered on the socket: whatever file is left there belongs to
    // an instance that was killed, and would make listen() fail.
    QLocalServer::removeServer(socketPath_);
    if (!server_->listen(socketPath_))
        return false;
    connect(server_.get(), &QLocalServer::newConnection, this,
            &JedinaInstance::acceptConnections);
    return true;
}

void JedinaInstance::acceptConnections()
{
    while (QLocalSocket* connection = server_->nextPendingConnection()) {
        connect(connection, &QLocalSocket::readyRead, this,
                [this, connection] { readNotifications(connection); });
        connect(connection, &QLocalSocket::disconnected, connection,
                &QObject::deleteLater);
        if (connection->bytesAvailable() > 0)
            readNotifications(connection);
    }
}

void JedinaInstance::readNotifications(QLocalSocket* connection)
{
    const QByteArray bytes = connection->readAll();
    for (const char byte : bytes) {
        switch (static_cast<Oznameni>(byte)) {
        case Oznameni::Obnov:
            emit restoreRequested();
            break;
        case Oznameni::Pouzij:
            emit applyRequested();
            break;
        default:
            break; // unknown bytes do nothing
        }
    }
}

bool JedinaInstance::notify(std::initializer_list<Oznameni> notifications)
{
    if (!client_ || client_->state() != QLocalSocket::ConnectedState)
        return false;
    QByteArray bytes;
    for (const Oznameni n : notifications)
        bytes.append(static_cast<char>(n));
    if (client_->write(bytes) != bytes.size())
        return false;
    while (client_->bytesToWrite() > 0) {
        if (!client_->waitForBytesWritten(kWriteTimeoutMs))
            return false;
    }
    client_->disconnectFromServer();
    return true;
}

} // namespace zrc
