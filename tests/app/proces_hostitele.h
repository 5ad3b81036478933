#pragma once
// A running copy of the instance host (or the program) with line-wise access
// to what it prints.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace zrc::test {

class ProcesHostitele {
public:
    // Starts `program` with `arguments`; the environment is the test's own
    // (ZRCADLOVAC_INI and the XDG variables set by the fixture).
    ProcesHostitele(const QString& program, const QStringList& arguments,
                    const QString& workingDirectory = {});
    ~ProcesHostitele();

    // The next line of stdout, or nothing when none came within the timeout.
    std::optional<QString> nextLine(int timeoutMs = 10000);
    // Lines until the process ends (for a process that is expected to end).
    QStringList remainingLines(int timeoutMs = 10000);

    // Asks a first instance to end the way a closed window does.
    bool finish(int timeoutMs = 10000);
    void killHard(); // SIGKILL: nothing is cleaned up
    int exitCode() const { return process_->exitCode(); }
    QProcess& process() { return *process_; }

private:
    std::unique_ptr<QProcess> process_;
    QByteArray buffer_;
};

} // namespace zrc::test
