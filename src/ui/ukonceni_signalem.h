#pragma once
// A signal to end the program (platform/signaly.h) as the main window sees
// it: the window is closed as a person closes it. A running file operation
// thus ends as its Cancel ends it (the current file's temporary copy removed,
// an open question answered "Zruš", the remaining items untouched), a running
// comparison stops, and the settings are written as on every close. The
// caller ends the process by the signal afterwards.

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace zrc {

class UkonceniSignalem final : public QObject {
    Q_OBJECT
public:
    // Watches the signal pipe; handlers must have been installed
    // (platform::zachytavejUkonceni), else nothing ever arrives.
    explicit UkonceniSignalem(QWidget& okno);

signals:
    // The window has closed after a signal: time to leave the event loop,
    // even while other windows (the error log) are still open.
    void oknoZavreno();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void prijato();

    QWidget& okno_;
    QSocketNotifier* hlidac_ = nullptr;
    bool prijat_ = false;
};

} // namespace zrc
