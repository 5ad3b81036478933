#pragma once
// The log of the last file operation: every item it left undone, with time,
// operation, source, target, the reason and the answer given. A read-only
// text, "uložit .." to write it as UTF-8 text, "zavřít". The dialog shows the
// log it was given and must not outlive it.

#include "operace/kniha_chyb.h"

#include <QDialog>

class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace zrc {

class OknoKnihyChyb final : public QDialog {
    Q_OBJECT
public:
    OknoKnihyChyb(const KnihaChyb& kniha, QWidget* parent = nullptr);

    QPlainTextEdit* text = nullptr;
    QPushButton* BUloz = nullptr;
    QPushButton* BZavri = nullptr;
};

// The log as text, names shown as the file system spells them (invalid UTF-8
// replaced).
QString textKnihyChyb(const KnihaChyb& kniha);
// "uložit chyby ..": the file chooser, then ulozKnihu.
void ulozKnihuDotazem(const KnihaChyb& kniha, QWidget* rodic);
// Writes the text (UTF-8, "\n" line ends) to the file; a failure is told in
// Czech and the file stays as it was (written through a temporary file).
bool ulozKnihu(const KnihaChyb& kniha, const QString& cesta);

// The result lists' context menu gets, at its end, "zobrazit &chyby operace"
// (MChyby: this dialog, modal) and "uložit chyby operace .." (MChybyUloz),
// enabled while the last operation's log holds anything.
void pridejKnihuDoNabidky(QMenu* nabidka, const KnihaChyb& kniha, QWidget* okno);

} // namespace zrc
