#pragma once
// PageControl1: a tab widget whose tabs all have one width, set by the window
// ((width of the control - 10) div 5 on every resize).

#include <QTabWidget>

namespace zrc {

class ZalozkyOkna final : public QTabWidget {
    Q_OBJECT
public:
    explicit ZalozkyOkna(QWidget* parent = nullptr);
    void nastavSirkuZalozek(int sirka);
    int sirkaZalozek() const;
};

} // namespace zrc
