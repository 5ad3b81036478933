#include "settings/ini_dokument.h"

#include "settings/ini_hodnoty.h"

#include <algorithm>

namespace zrc {

namespace {

const QByteArrayView utf8Bom("\xEF\xBB\xBF");

QByteArrayView orizni(QByteArrayView s)
{
    while (!s.isEmpty() && (s.front() == ' ' || s.front() == '\t'))
        s = s.sliced(1);
    while (!s.isEmpty() && (s.back() == ' ' || s.back() == '\t'))
        s.chop(1);
    return s;
}

// Letter case is folded character by character, so names of different
// lengths never match; checking the length first skips most comparisons.
bool stejneJmeno(QStringView a, QStringView b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// The section name of a header line, or nothing when the line is no header.
std::optional<QString> jmenoSekce(QByteArrayView radek)
{
    const QByteArrayView s = orizni(radek);
    if (!s.startsWith('['))
        return std::nullopt;
    const qsizetype konec = s.indexOf(']');
    const QByteArrayView jmeno = s.sliced(1, (konec < 0 ? s.size() : konec) - 1);
    return QString::fromUtf8(orizni(jmeno));
}

} // namespace

IniDokument IniDokument::zTextu(QByteArrayView text)
{
    IniDokument d;
    if (text.startsWith(utf8Bom)) {
        d.bom_ = true;
        text = text.sliced(utf8Bom.size());
    }
    while (!text.isEmpty()) {
        qsizetype konec = text.indexOf('\n');
        QByteArrayView radek = text.sliced(0, konec < 0 ? text.size() : konec);
        text = konec < 0 ? QByteArrayView() : text.sliced(konec + 1);
        const bool cr = radek.endsWith('\r');
        if (cr)
            radek.chop(1);
        if (d.uvod_.empty() && d.sekce_.empty())
            d.crlf_ = cr;
        d.pridejRadek(radek.toByteArray(), cr);
    }
    return d;
}

void IniDokument::pridejRadek(QByteArray radek, bool cr)
{
    if (auto jmeno = jmenoSekce(radek)) {
        sekce_.push_back({Radek{std::move(radek), {}, 0, cr}, *std::move(jmeno), {}});
        return;
    }
    Radek r{std::move(radek), {}, 0, cr};
    const QByteArrayView s = orizni(r.text);
    const qsizetype rovnitko = r.text.indexOf('=');
    if (!s.startsWith(';') && rovnitko > 0) {
        r.klic = QString::fromUtf8(orizni(QByteArrayView(r.text).sliced(0, rovnitko)));
        r.hodnotaOd = rovnitko + 1;
    } else if (!s.isEmpty() && !s.startsWith(';') && !s.startsWith('#')) {
        ++cizichRadku_;
    }
    (sekce_.empty() ? uvod_ : sekce_.back().radky).push_back(std::move(r));
}

QByteArray IniDokument::text() const
{
    QByteArray ven;
    if (bom_)
        ven += utf8Bom;
    auto pridej = [&ven](const Radek& r) {
        ven += r.text;
        ven += r.cr ? "\r\n" : "\n";
    };
    for (const Radek& r : uvod_)
        pridej(r);
    for (const Sekce& s : sekce_) {
        pridej(s.hlavicka);
        for (const Radek& r : s.radky)
            pridej(r);
    }
    return ven;
}

const IniDokument::Sekce* IniDokument::najdiSekci(QStringView jmeno) const
{
    auto it = std::find_if(sekce_.begin(), sekce_.end(),
                           [&](const Sekce& s) { return stejneJmeno(s.jmeno, jmeno); });
    return it == sekce_.end() ? nullptr : &*it;
}

bool IniDokument::maSekci(QStringView sekce) const
{
    return najdiSekci(sekce) != nullptr;
}

std::optional<QString> IniDokument::hodnota(QStringView sekce, QStringView klic) const
{
    const Sekce* s = najdiSekci(sekce);
    if (!s)
        return std::nullopt;
    for (const Radek& r : s->radky)
        if (!r.klic.isEmpty() && stejneJmeno(r.klic, klic))
            return dekodujHodnotu(QByteArrayView(r.text).sliced(r.hodnotaOd));
    return std::nullopt;
}

QString IniDokument::ctiText(QStringView sekce, QStringView klic, const QString& vychozi) const
{
    return zkratNaMaxDelku(hodnota(sekce, klic).value_or(vychozi));
}

int IniDokument::ctiCislo(QStringView sekce, QStringView klic, int vychozi) const
{
    const auto h = hodnota(sekce, klic);
    return h ? zrc::ctiCislo(*h, vychozi) : vychozi;
}

bool IniDokument::ctiBool(QStringView sekce, QStringView klic, bool vychozi) const
{
    const auto h = hodnota(sekce, klic);
    return h ? zrc::ctiBool(*h, vychozi) : vychozi;
}

IniDokument::Sekce& IniDokument::sekceProZapis(QStringView jmeno)
{
    if (const Sekce* s = najdiSekci(jmeno))
        return const_cast<Sekce&>(*s);
    // A blank line before a new section, as a person would write the file.
    std::vector<Radek>& predchozi = sekce_.empty() ? uvod_ : sekce_.back().radky;
    if (!(sekce_.empty() && uvod_.empty()) && !(!predchozi.empty() && predchozi.back().text.isEmpty()))
        predchozi.push_back({{}, {}, 0, crlf_});
    sekce_.push_back({Radek{'[' + jmeno.toUtf8() + ']', {}, 0, crlf_}, jmeno.toString(), {}});
    return sekce_.back();
}

void IniDokument::zapisText(QStringView sekce, QStringView klic, const QString& hodnota)
{
    Sekce& s = sekceProZapis(sekce);
    for (Radek& r : s.radky) {
        if (!r.klic.isEmpty() && stejneJmeno(r.klic, klic)) {
            r.text = r.text.left(r.hodnotaOd) + kodujHodnotu(hodnota);
            return;
        }
    }
    // After the last key of the section, so that trailing blank lines and
    // comments stay in front of the next section.
    auto posledni = std::find_if(s.radky.rbegin(), s.radky.rend(),
                                 [](const Radek& r) { return !r.klic.isEmpty(); });
    const QByteArray jmeno = klic.toUtf8();
    Radek novy{jmeno + '=' + kodujHodnotu(hodnota), klic.toString(), jmeno.size() + 1, crlf_};
    s.radky.insert(posledni.base(), std::move(novy));
}

void IniDokument::zapisCislo(QStringView sekce, QStringView klic, int hodnota)
{
    zapisText(sekce, klic, QString::number(hodnota));
}

void IniDokument::zapisBool(QStringView sekce, QStringView klic, bool hodnota)
{
    zapisText(sekce, klic, zrc::zapisBool(hodnota));
}

} // namespace zrc
