#pragma once
// The INI file in memory: "[Section]" lines and "key=value" lines, UTF-8.
// Section and key names match without regard to letter case; the first
// matching section and, inside it, the first matching key count. Every line the
// program does not know (comments, other keys, text before the first section)
// is kept byte for byte, line break included, and written back unchanged; only
// a missing line break at the end of the file is added.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace zrc {

class IniDokument final {
public:
    IniDokument() = default;
    static IniDokument zTextu(QByteArrayView text);
    QByteArray text() const;

    // Whether every line is a section header, a key line, a comment (";" or
    // "#") or blank. A file with other lines is some other file (a password
    // list, a script) that a link or a mistyped path led to: the store never
    // replaces it.
    bool jeNastaveni() const { return cizichRadku_ == 0; }

    // The decoded value, uncut; nothing when the section or key is missing.
    std::optional<QString> hodnota(QStringView sekce, QStringView klic) const;
    bool maSekci(QStringView sekce) const;

    // Typed readers with the caller's default; strings are cut to 1023 characters.
    QString ctiText(QStringView sekce, QStringView klic, const QString& vychozi = {}) const;
    int ctiCislo(QStringView sekce, QStringView klic, int vychozi) const;
    bool ctiBool(QStringView sekce, QStringView klic, bool vychozi) const;

    // Writers: replace the key's line in place, or append the key at the end
    // of the section's keys, creating the section at the end of the file.
    void zapisText(QStringView sekce, QStringView klic, const QString& hodnota);
    void zapisCislo(QStringView sekce, QStringView klic, int hodnota);
    void zapisBool(QStringView sekce, QStringView klic, bool hodnota);

private:
    struct Radek {
        QByteArray text;        // the line as stored, without its line break
        QString klic;           // empty: not a key line
        qsizetype hodnotaOd = 0; // offset of the value in text
        bool cr = false;        // ended in "\r\n": written back so
    };
    struct Sekce {
        Radek hlavicka;
        QString jmeno;
        std::vector<Radek> radky;
    };

    const Sekce* najdiSekci(QStringView jmeno) const;
    Sekce& sekceProZapis(QStringView jmeno);
    void pridejRadek(QByteArray radek, bool cr);

    bool bom_ = false;
    int cizichRadku_ = 0;       // lines that no settings file has
    bool crlf_ = false;         // new lines follow the first line's line break
    std::vector<Radek> uvod_;   // lines before the first section
    std::vector<Sekce> sekce_;
};

} // namespace zrc
