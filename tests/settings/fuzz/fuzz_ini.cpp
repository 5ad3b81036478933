// Randomised round trip of the in-memory INI parser and writer.
//
//   fuzz_ini [COUNT [SEED]]     (COUNT defaults to 1 000 000)
//
// Every input is a small random text built from the characters that matter
// to the format (brackets, "=", ";", quotes, backslashes, blanks, CR, LF, BOM,
// multi-byte UTF-8 and stray bytes). For each one the program checks that
//   - parsing and writing back reproduces the text (a missing final line
//     break added), and writing is stable;
//   - after a few writes of random values (line breaks, quotes, blanks ...)
//     every written value reads back exactly from the written text, and every
//     line of the input that was no replaced key is still there, in order.
// A failure prints the seed of the input and ends with status 1.

#include "settings/ini_dokument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

namespace {

using zrc::IniDokument;

const char* const kusyTextu[] = {
    "[", "]", "=", ";", "\"", "'", "\\", " ", "\t", "\r", "\n", "\r\n", "\n", "\n",
    "S", "s", "k", "K", "1", "Typ", "pouzit", "x", "č", "😀", "\xEF\xBB\xBF", "\\\"", "\\n", "[S]\n", "k=",
};

const char16_t* const sekce[] = {u"S", u"s", u"Typ", u"H1", u"x y", u"Č", u"a.b"};
const char16_t* const klice[] = {u"k", u"K", u"1", u"pouzit", u"a b", u"ž", u"k2"};
const char16_t* const kusyHodnot[] = {
    u"a", u"Z", u" ", u"\t", u"\"", u"'", u"\\", u"=", u";", u"[", u"]", u"\n", u"\r", u"\r\n",
    u"\\\"", u"\\n", u"\\x4", u"č", u"😀", u"/home/x", u"\u0001", u"\u001f", u"\u007f",
};

template <typename T, std::size_t N>
const T& vyber(std::mt19937_64& g, const T (&pole)[N])
{
    return pole[g() % N];
}

QByteArray nahodnyText(std::mt19937_64& g)
{
    QByteArray t;
    const int kusu = static_cast<int>(g() % 40);
    for (int i = 0; i < kusu; ++i) {
        if (g() % 16 == 0)
            t += static_cast<char>(g() % 256);   // also broken UTF-8
        else
            t += vyber(g, kusyTextu);
    }
    return t;
}

QString nahodnaHodnota(std::mt19937_64& g)
{
    QString h;
    const int kusu = static_cast<int>(g() % 8);
    for (int i = 0; i < kusu; ++i)
        h += QString::fromUtf16(vyber(g, kusyHodnot));
    return h;
}

QByteArray ocekavanyText(QByteArray vstup)
{
    const bool bom = vstup.startsWith("\xEF\xBB\xBF");
    const QByteArray zbytek = bom ? vstup.mid(3) : vstup;
    if (!zbytek.isEmpty() && !zbytek.endsWith('\n'))
        vstup += '\n';
    return vstup;
}

// The lines that are not key lines of the written keys must all survive, in order.
QByteArray bezBom(const QByteArray& t)
{
    return t.startsWith("\xEF\xBB\xBF") ? t.mid(3) : t;
}

bool radkyPrezily(const QByteArray& pred, const QByteArray& po)
{
    const QList<QByteArray> radkyPo = bezBom(po).split('\n');
    qsizetype j = 0;
    for (const QByteArray& r : bezBom(pred).split('\n')) {
        if (r.contains('='))
            continue;   // a key line may have been rewritten
        while (j < radkyPo.size() && radkyPo[j] != r)
            ++j;
        if (j == radkyPo.size())
            return false;
        ++j;
    }
    return true;
}

void vypis(const char* co, const QByteArray& text)
{
    std::fprintf(stderr, "%s: \"%s\"\n", co, text.toPercentEncoding(" []=;'\"\\").constData());
}

bool jedenVstup(std::uint64_t seed)
{
    std::mt19937_64 g(seed);
    const QByteArray vstup = nahodnyText(g);
    IniDokument d = IniDokument::zTextu(vstup);
    const QByteArray text = d.text();
    if (text != ocekavanyText(vstup) || IniDokument::zTextu(text).text() != text) {
        vypis("input", vstup);
        vypis("written", text);
        return false;
    }

    std::map<std::pair<QString, QString>, QString> zapsane;   // folded names
    const int zapisu = 1 + static_cast<int>(g() % 4);
    for (int i = 0; i < zapisu; ++i) {
        const QString s = QString::fromUtf16(vyber(g, sekce));
        const QString k = QString::fromUtf16(vyber(g, klice));
        const QString h = nahodnaHodnota(g);
        d.zapisText(s, k, h);
        zapsane[{s.toCaseFolded(), k.toCaseFolded()}] = h;
    }
    const QByteArray po = d.text();
    const IniDokument znovu = IniDokument::zTextu(po);
    bool ok = znovu.text() == po && radkyPrezily(text, po);
    for (const auto& [jmeno, hodnota] : zapsane)
        ok = ok && znovu.hodnota(jmeno.first, jmeno.second) == hodnota;
    if (!ok) {
        vypis("input", vstup);
        vypis("after the writes", po);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    const std::uint64_t pocet = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1'000'000;
    const std::uint64_t zaklad = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20261207;
    for (std::uint64_t i = 0; i < pocet; ++i) {
        if (!jedenVstup(zaklad + i)) {
            std::fprintf(stderr, "round trip failed for seed %llu\n", static_cast<unsigned long long>(zaklad + i));
            return 1;
        }
    }
    std::printf("%llu inputs, all round trips exact\n", static_cast<unsigned long long>(pocet));
    return 0;
}
