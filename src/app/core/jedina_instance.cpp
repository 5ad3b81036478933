#include "app/core/jedina_instance.h"

#include "platform/syscalls.h"
#include "util/bajty_cesty.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
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

// A directory that only this user can enter: a real directory (no link),
// owned by the effective user, with no permission for group or others. The
// socket in it can then be neither reached nor replaced by another user.
bool jeSoukromyAdresar(const QByteArray& cesta)
{
    struct stat st {};
    return ::lstat(cesta.constData(), &st) == 0 && S_ISDIR(st.st_mode)
        && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// The session's runtime directory, as the XDG base directory rules define it
// (owned by the user, mode 0700); nothing when it is unset or not private.
QString runtimeDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !jeSoukromyAdresar(QByteArray::fromStdString(bajtyZTextu(runtime))))
        return {};
    return runtime;
}

// Without a runtime directory: "zrcadlovac-<uid>" in the temporary directory.
// Its name is predictable, so another user may have made it first; whether it
// is ours is checked before every use (see jeSoukromyAdresar).
QString privateDirectory()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("zrcadlovac-%1").arg(::geteuid()));
}

QString socketDirectory()
{
    const QString runtime = runtimeDirectory();
    return runtime.isEmpty() ? privateDirectory() : runtime;
}

// Creates the private directory when missing (mode 0700) and tells whether the
// socket's directory is one that only this user can enter.
bool prepareDirectory(const QString& socketPath)
{
    const QByteArray dir = QByteArray::fromStdString(bajtyZTextu(QFileInfo(socketPath).path()));
    if (const auto r = platform::realSyscalls().mkdirAt(AT_FDCWD, dir.constData(), 0700);
        !r.ok() && r.err != EEXIST)
        return false;
    return jeSoukromyAdresar(dir);
}

// The running instance must be a process of this user: a start never hands
// its command line to anybody else's process.
bool peerIsSameUser(const QLocalSocket& socket)
{
    struct ucred peer {};
    socklen_t length = sizeof peer;
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0
        && peer.uid == ::geteuid();
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
    const QByteArray cesta = QByteArray::fromStdString(bajtyZTextu(normalisedIniPath(iniPath)));
    const QByteArray hash = QCryptographicHash::hash(cesta, QCryptographicHash::Sha256);
    const QString name = QStringLiteral("%1-%2-%3")
                             .arg(QLatin1String(kTitle))
                             .arg(::getuid())
                             .arg(QString::fromLatin1(hash.toHex().left(16)));
    QString path = QDir(socketDirectory()).filePath(name);
    if (path.size() > kMaxSocketPath)
        path = QDir(privateDirectory()).filePath(name);
    return path;
}

JedinaInstance::Role JedinaInstance::start()
{
    if (!prepareDirectory(socketPath_)) {
        // Another user owns the place: neither connect there nor listen; this
        // start runs on its own.
        qWarning("Single instance: %s is not a private directory of this user, running alone",
                 qPrintable(QFileInfo(socketPath_).path()));
        return Role::First;
    }
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
    if (client_->waitForConnected(kConnectTimeoutMs) && peerIsSameUser(*client_))
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
