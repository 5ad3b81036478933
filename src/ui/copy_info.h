#pragma once
// The progress window of a file operation (TForm4): the current file on the
// upper bar, the whole set on the lower one, and under them the progress line
// with the files, bytes, speed and time left (radek_prubehu.h).
//
// It is application-modal and shown without blocking: the main window repaints
// but takes no commands while an operation runs. It has no close button; Esc
// asks to cancel (zrusit), which ends the operation as Cancel in the error box
// does. While it exists the mouse cursor is the busy cursor.

#include <QDialog>
#include <QString>
#include <cstdint>

class QLabel;
class QProgressBar;

namespace zrc {

class TForm4 final : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* hlavniOkno);
    ~TForm4() override;

    // Label2: "Průběh: " and the source path shortened to 37 characters.
    void nastavSoubor(const QString& cesta);
    // Bars of 64-bit sizes: shown in steps of 1/10 000 of the whole.
    void nastavPrubehSouboru(std::int64_t hotovo, std::int64_t celkem);
    void nastavPrubehCelkem(std::int64_t hotovo, std::int64_t celkem);
    // Label3, the progress line; a text wider than the window is cut with an
    // ellipsis and kept whole in the tooltip.
    void nastavRadek(const QString& text);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;               // the progress line
    QProgressBar* ProgressBar1 = nullptr;   // the whole set
    QProgressBar* ProgressBar2 = nullptr;   // the current file

signals:
    void zrusit();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    bool kurzor_ = false;
    QString radek_;   // the progress line before it was cut
};

} // namespace zrc
