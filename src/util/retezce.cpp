#include "util/retezce.h"

#include "util/ascii.h"

namespace zrc {

QChar MalyZnak(QChar c)
{
    if (c >= u'A' && c <= u'Z')
        return MalaAscii(c);
    switch (c.unicode()) {
    case u'Ü': return QChar(u'ü');
    case u'É': return QChar(u'é');
    case u'Ď': return QChar(u'ď');
    case u'Ä': return QChar(u'ä');
    case u'Č': return QChar(u'č');
    case u'Ě': return QChar(u'ě');
    case u'Ĺ': return QChar(u'ĺ');
    case u'Ľ': return QChar(u'ľ');
    case u'Ž': return QChar(u'ž');
    case u'Ô': return QChar(u'ô');
    case u'Ö': return QChar(u'ö');
    case u'Ů': return QChar(u'ů');
    case u'Ý': return QChar(u'ý');
    case u'Ť': return QChar(u'ť');
    case u'Á': return QChar(u'á');
    case u'Í': return QChar(u'í');
    case u'Ó': return QChar(u'ó');
    case u'Ú': return QChar(u'ú');
    case u'Ň': return QChar(u'ň');
    case u'Š': return QChar(u'š');
    case u'Ř': return QChar(u'ř');
    case u'Ŕ': return QChar(u'ŕ');
    default: return c;
    }
}

QString MalaPismena(QStringView s)
{
    QString vysledek(s.size(), Qt::Uninitialized);
    QChar* cil = vysledek.data();
    for (qsizetype i = 0; i < s.size(); ++i)
        cil[i] = MalyZnak(s[i]);
    return vysledek;
}

QString DoplnZleva(QStringView s, QChar c, int sirka)
{
    if (s.size() >= sirka)
        return s.toString();
    return QString(sirka - s.size(), c).append(s);
}

namespace {

// Start of the next word at or after i, or s.size() when none follows.
qsizetype zacatekSlova(QStringView s, QStringView oddelovace, qsizetype i)
{
    while (i < s.size() && oddelovace.contains(s[i]))
        ++i;
    return i;
}

qsizetype konecSlova(QStringView s, QStringView oddelovace, qsizetype i)
{
    while (i < s.size() && !oddelovace.contains(s[i]))
        ++i;
    return i;
}

} // namespace

int PocetSlov(QStringView s, QStringView oddelovace)
{
    int pocet = 0;
    for (qsizetype i = zacatekSlova(s, oddelovace, 0); i < s.size();
         i = zacatekSlova(s, oddelovace, konecSlova(s, oddelovace, i)))
        ++pocet;
    return pocet;
}

QString NteSlovo(int n, QStringView s, QStringView oddelovace)
{
    int pocet = 0;
    for (qsizetype i = zacatekSlova(s, oddelovace, 0); i < s.size();) {
        const qsizetype konec = konecSlova(s, oddelovace, i);
        if (++pocet == n)
            return s.mid(i, konec - i).toString();
        i = zacatekSlova(s, oddelovace, konec);
    }
    return {};
}

int PocetZnaku(QStringView s, QChar c)
{
    return int(s.count(c));
}

QString OrezMasku(QStringView maska)
{
    if (maska.startsWith(u'*'))
        maska = maska.mid(1);
    if (maska.endsWith(u'*'))
        maska.chop(1);
    return maska.toString();
}

bool ShodaMasky(QStringView jmeno, QStringView maska)
{
    const QString jadro = OrezMasku(maska);
    if (jadro.size() > jmeno.size())
        return false;
    if (jmeno == maska)
        return true;
    if (!maska.startsWith(u'*')) {
        // Only "core*" (begins with the core) is a pattern here; any other mask
        // without a leading asterisk fits the identical name alone.
        return maska.size() > jadro.size() && maska[jadro.size()] == u'*'
            && jmeno.startsWith(jadro);
    }
    if (PocetZnaku(maska, u'*') == 1)
        return jmeno.endsWith(jadro);
    return jmeno.contains(jadro);
}

} // namespace zrc
