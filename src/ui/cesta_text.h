#pragma once
// TForm3, "Zadej jméno:": the subdirectory (or mask) whose items a marking
// command takes. Keeps one string, the result.

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zrc {

class TForm3 final : public QDialog {
    Q_OBJECT
public:
    // oznacit: " označeno:" (true) or " odznačeno:" is appended to Label1.
    TForm3(const QString& pocatecni, bool oznacit, QWidget* parent = nullptr);

    const QString& vysledek() const { return vysledek_; }

    void Edit1Exit();
    void Button1Click();   // "&O.K."
    void Button2Click();   // "&Zruš": the result becomes one blank

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QString vysledek_;
};

// Runs TForm3 modally at the bottom-right corner of okno and returns its
// result: the typed text, one blank after "&Zruš", or the text at the last
// exit of the field when the window was closed otherwise.
QString ZadejCestu(QWidget* okno, const QString& pocatecni, bool oznacit);

} // namespace zrc
