#pragma once
// The about box: name, description, version, maker and copyright of the
// program as the build records them, and the program's icon at twice its size.

#include <QDialog>

namespace zrc {

class OProgramu final : public QDialog {
    Q_OBJECT
public:
    explicit OProgramu(QWidget* parent = nullptr);
    // "%d.%d.%d.%d" of the build's version.
    static QString verze();
};

} // namespace zrc
