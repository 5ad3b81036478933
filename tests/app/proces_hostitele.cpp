#include "proces_hostitele.h"

#include <QDeadlineTimer>

namespace zrc::test {

ProcesHostitele::ProcesHostitele(const QString& program, const QStringList& arguments,
                                 const QString& workingDirectory)
    : process_(std::make_unique<QProcess>())
{
    if (!workingDirectory.isEmpty())
        process_->setWorkingDirectory(workingDirectory);
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(program, arguments);
    process_->waitForStarted(10000);
}

ProcesHostitele::~ProcesHostitele()
{
    if (process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(10000);
    }
}

std::optional<QString> ProcesHostitele::nextLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const qsizetype end = buffer_.indexOf('\n');
        if (end >= 0) {
            const QString line = QString::fromUtf8(buffer_.left(end));
            buffer_.remove(0, end + 1);
            return line;
        }
        if (deadline.hasExpired())
            return std::nullopt;
        if (!process_->waitForReadyRead(int(deadline.remainingTime()))) {
            buffer_ += process_->readAllStandardOutput();
            if (buffer_.indexOf('\n') < 0)
                return std::nullopt;
            continue;
        }
        buffer_ += process_->readAllStandardOutput();
    }
}

QStringList ProcesHostitele::remainingLines(int timeoutMs)
{
    process_->waitForFinished(timeoutMs);
    buffer_ += process_->readAllStandardOutput();
    QStringList lines = QString::fromUtf8(buffer_).split(u'\n', Qt::SkipEmptyParts);
    buffer_.clear();
    return lines;
}

bool ProcesHostitele::finish(int timeoutMs)
{
    process_->closeWriteChannel();
    return process_->waitForFinished(timeoutMs);
}

void ProcesHostitele::killHard()
{
    process_->kill();
    process_->waitForFinished(10000);
}

} // namespace zrc::test
