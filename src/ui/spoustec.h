#pragma once
// The one door through which the window starts the desktop's tools: a file
// opened with its default application, a file shown in the file manager, a
// pair opened in an external comparison program. Tests put a recorder in its
// place and see what would be started without starting anything.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace zrc {

class Spoustec {
public:
    virtual ~Spoustec() = default;
    // The default application of the file (QDesktopServices::openUrl).
    virtual bool otevri(const QUrl& soubor);
    // The file selected in the file manager: org.freedesktop.FileManager1
    // ShowItems over the session bus; without such a service, its folder opened.
    virtual bool ukazUmisteni(const QUrl& soubor);
    // A program started detached, not waited for.
    virtual bool spust(const QString& program, const QStringList& argumenty);
};

// The process's real one.
Spoustec& skutecnySpoustec();

// A file URL from path bytes: every byte that is not UTF-8 stays
// percent-encoded (%FF), so that a receiver decodes the same bytes; the text
// of the path (QUrl::fromLocalFile of a decoded name) would have lost them.
QUrl urlSouboru(const std::string& cesta);

} // namespace zrc
