#pragma once
// One running instance per INI file. The first start listens on a per-user
// local socket; a later start with the same INI file finds it, hands over its
// command line (through the INI file) and ends.

#include <QObject>
#include <QString>
#include <initializer_list>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace zrc {

// What a later start asks of the running instance. Sent as one byte each, in
// the order given, over one connection.
enum class Oznameni : char {
    Obnov = '0',  // restore the window from the minimised state and raise it
    Pouzij = '1', // apply the hand-off record of section "Zprava"
};

class JedinaInstance final : public QObject {
    Q_OBJECT
public:
    enum class Role {
        First,  // no other instance: this process now owns the socket
        Second, // another instance runs; this process is connected to it
    };

    explicit JedinaInstance(const QString& iniPath, QObject* parent = nullptr);
    ~JedinaInstance() override;

    // Full path of the socket for this INI file: the application title, the
    // user id and a hash of the INI file's absolute path, so that copies with
    // different INI files never see each other. It lives in $XDG_RUNTIME_DIR
    // when that is a private directory of the user (mode 0700), else in
    // "zrcadlovac-<uid>" of the temporary directory, created with mode 0700.
    static QString socketPathFor(const QString& iniPath);

    // Decides the role. Serialised by a lock file next to the socket, so that
    // of two simultaneous starts exactly one becomes First. A socket left by a
    // killed instance refuses the connection and is removed. When the socket's
    // directory is not private to the user (another user made it), or the
    // process listening there is another user's, this start is First and
    // hands nothing over.
    Role start();

    // First only: whether the socket is listening (false when even a fresh
    // socket could not be created; the program then runs on its own).
    bool isListening() const;

    // Second only: sends the notifications in order and waits until they have
    // left the process. False when the running instance went away meanwhile.
    bool notify(std::initializer_list<Oznameni> notifications);

    const QString& socketPath() const { return socketPath_; }

signals:
    // Emitted in the first instance, in the order the notifications arrive.
    void restoreRequested();
    void applyRequested();

private:
    bool connectToRunning();
    bool listen();
    void acceptConnections();
    void readNotifications(QLocalSocket* connection);

    QString socketPath_;
    std::unique_ptr<QLocalServer> server_;
    std::unique_ptr<QLocalSocket> client_;
};

} // namespace zrc
