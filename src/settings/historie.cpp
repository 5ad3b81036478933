#include "settings/historie.h"

#include "settings/ini_hodnoty.h"
#include "settings/klice.h"

#include <array>
#include <variant>

namespace zrc {

QString ini::sekceHistorie(int n)
{
    return u'H' + QString::number(n);
}

namespace {

using N = NastaveniPorovnani;
namespace h = ini::historie;
using Pole = std::variant<QString N::*, bool N::*, int N::*, QDate N::*>;

// One key of an entry: the field it records and its two defaults, as the text
// that a reader of the key's type would find.
struct KlicZaznamu {
    QStringView jmeno;
    Pole pole;
    QStringView kopie;
    QStringView nacteni;
    bool nactiSoucasny = false;   // load default: the field's current value
};

// In the order in which the keys are written.
const std::array<KlicZaznamu, 22> klice{{
    {h::adr1, &N::adresar1, u"", u""},
    {h::ChB_adresar1, &N::ChB_adresar1, u"1", u"0"},
    {h::adr2, &N::adresar2, u"", u""},
    {h::ChB_adresar2, &N::ChB_adresar2, u"1", u"0"},
    {h::ChB_Filtr_1, &N::ChB_Filtr_1, u"0", u"0"},
    {h::CB_Filtr_1, &N::CB_Filtr_1, u"1", u"1"},
    {h::SE_Filtr_1_Posledni, &N::SE_Filtr_1_Posledni, u"1", u"0"},
    {h::ChB_Filtr_1_Posledni, &N::ChB_Filtr_1_Posledni, u"1", u"1"},
    {h::DTP_Filtr_1_OdData, &N::DTP_Filtr_1_OdData, u"0", u"0"},
    {h::ME_Filtr_1_OdData, &N::ME_Filtr_1_OdData, u"", u"00:00"},
    {h::ChB_Filtr_2, &N::ChB_Filtr_2, u"0", u"0"},
    {h::CB_Filtr_2, &N::CB_Filtr_2, u"1", u"1"},
    {h::SE_Filtr_2_Posledni, &N::SE_Filtr_2_Posledni, u"1", u"0"},
    {h::ChB_Filtr_2_Posledni, &N::ChB_Filtr_2_Posledni, u"1", u"1"},
    {h::DTP_Filtr_2_OdData, &N::DTP_Filtr_2_OdData, u"0", u"0"},
    {h::ME_Filtr_2_OdData, &N::ME_Filtr_2_OdData, u"", u"00:00"},
    {h::ChB_Filtr_3, &N::ChB_Filtr_3, u"0", u"0"},
    {h::SE_Filtr_3, &N::SE_Filtr_3, u"1", u"0"},
    {h::CBOmez, &N::CBOmez, u"1", u"1"},
    {h::ChBIgnorCasFiltr, &N::ChBIgnorCasFiltr, u"1", u"0"},
    {h::SEMazUroven, &N::SEMazUroven, u"0", u"", true},
    {h::CBMazPodAdr, &N::CBMazPodAdr, u"0", u"0"},
}};

// The key's value as its type reads it, written back in the canonical form.
QString prectiKanonicky(const IniDokument& d, QStringView sekce, const KlicZaznamu& k, QStringView vychozi)
{
    struct Navsteva {
        const IniDokument& d; QStringView sekce; QStringView klic; QStringView vychozi;
        QString operator()(QString N::*) const { return d.ctiText(sekce, klic, vychozi.toString()); }
        QString operator()(bool N::*) const { return zapisBool(d.ctiBool(sekce, klic, vychozi == u"1")); }
        QString operator()(int N::*) const { return QString::number(d.ctiCislo(sekce, klic, vychozi.toInt())); }
        QString operator()(QDate N::*) const { return QString::number(d.ctiCislo(sekce, klic, vychozi.toInt())); }
    };
    return std::visit(Navsteva{d, sekce, k.jmeno, vychozi}, k.pole);
}

QString zPole(const N& z, const KlicZaznamu& k, const QDate& dnes)
{
    struct Navsteva {
        const N& z; const QDate& dnes;
        QString operator()(QString N::* p) const { return z.*p; }
        QString operator()(bool N::* p) const { return zapisBool(z.*p); }
        QString operator()(int N::* p) const { return QString::number(z.*p); }
        QString operator()(QDate N::* p) const
        {
            return QString::number((z.*p).isValid() ? (z.*p).daysTo(dnes) : 0);
        }
    };
    return std::visit(Navsteva{z, dnes}, k.pole);
}

// text is canonical (prectiKanonicky), so the conversions cannot fail.
void doPole(N& z, const KlicZaznamu& k, const QString& text, const QDate& dnes)
{
    struct Navsteva {
        N& z; const QString& text; const QDate& dnes;
        void operator()(QString N::* p) const { z.*p = text; }
        void operator()(bool N::* p) const { z.*p = text == u"1"; }
        void operator()(int N::* p) const { z.*p = text.toInt(); }
        void operator()(QDate N::* p) const { z.*p = dnes.addDays(-text.toLongLong()); }
    };
    std::visit(Navsteva{z, text, dnes}, k.pole);
}

bool existuje(const IniDokument& d, int n)
{
    return d.ctiBool(ini::sekceHistorie(n), h::zapsano, false);
}

int pocet(const IniDokument& d)
{
    for (int n = MaxHistorie; n >= 1; --n)
        if (existuje(d, n))
            return n;
    return 0;
}

void posunZaznam(IniDokument& d, int n)
{
    const QString z = ini::sekceHistorie(n), na = ini::sekceHistorie(n + 1);
    d.zapisBool(na, h::zapsano, true);
    for (const KlicZaznamu& k : klice)
        d.zapisText(na, k.jmeno, prectiKanonicky(d, z, k, k.kopie));
}

} // namespace

VysledekZapisu HistoriePridej(const QString& cesta, const NastaveniPorovnani& zaznam, const QDate& dnes)
{
    return zmenIni(cesta, [&](IniDokument& d) {
        for (int n = MaxHistorie - 1; n >= 1; --n)
            if (existuje(d, n))
                posunZaznam(d, n);
        const QString h1 = ini::sekceHistorie(1);
        d.zapisBool(h1, h::zapsano, true);
        for (const KlicZaznamu& k : klice)
            d.zapisText(h1, k.jmeno, zPole(zaznam, k, dnes));
    });
}

int HistoriePocet(const QString& cesta)
{
    return pocet(nactiIni(cesta));
}

std::optional<NastaveniPorovnani> HistorieNacti(const QString& cesta, int n, bool bezAdresaru,
                                                const QDate& dnes, const NastaveniPorovnani& soucasny)
{
    const IniDokument d = nactiIni(cesta);
    if (n < 1 || n > MaxHistorie || !existuje(d, n))
        return std::nullopt;
    const QString sekce = ini::sekceHistorie(n);
    NastaveniPorovnani z = soucasny;
    for (const KlicZaznamu& k : klice) {
        const QString vychozi = k.nactiSoucasny ? zPole(soucasny, k, dnes) : k.nacteni.toString();
        doPole(z, k, prectiKanonicky(d, sekce, k, vychozi), dnes);
    }
    if (bezAdresaru) {
        z.adresar1 = soucasny.adresar1;
        z.adresar2 = soucasny.adresar2;
    }
    return z;
}

VysledekZapisu HistorieUlozMazani(const QString& cesta, bool CBMazPodAdr, int SEMazUroven)
{
    return zmenIni(cesta, [&](IniDokument& d) {
        d.zapisBool(ini::sekceHistorie(1), h::CBMazPodAdr, CBMazPodAdr);
        d.zapisCislo(ini::sekceHistorie(1), h::SEMazUroven, SEMazUroven);
    });
}

StavHistorie HistorieButton(int a, int k)
{
    StavHistorie s;
    if (k <= 0) {
        s.pozice = a;
        s.popis = QStringLiteral("-");
        return s;
    }
    s.pozice = a > k ? k : a;
    s.predchozi = s.pozice > 1;
    s.dalsi = s.pozice < k || s.pozice == 1;
    s.popis = s.pozice == 0 ? QStringLiteral("-")
                            : QString::number(s.pozice) + u'/' + QString::number(k);
    return s;
}

std::optional<int> HistorieCilKroku(int p, int krok, int k)
{
    const int b = k == 1 ? 1 : p + krok;
    if (b < 1 || b > k)
        return std::nullopt;
    return b;
}

} // namespace zrc
