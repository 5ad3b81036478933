#include "ui/volby_ovladacu.h"

#include "util/ascii.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

#include <algorithm>

namespace zrc {

namespace {

constexpr char tagVlastnost[] = "Tag";

} // namespace

int tagVolby(const QComboBox* combo)
{
    const QVariant tag = combo->property(tagVlastnost);
    return tag.isValid() ? tag.toInt() : 1;
}

void nastavTagVolby(QComboBox* combo, int cislo)
{
    combo->setProperty(tagVlastnost, cislo);
}

std::optional<int> cisloPolozky(QStringView text, const QStringList& polozky)
{
    for (qsizetype i = 0; i < polozky.size(); ++i)
        if (!polozky[i].isEmpty() && ShodneBezVelikostiAscii(text, polozky[i]))
            return int(i + 1);
    return std::nullopt;
}

std::optional<int> CisloPolozky(QComboBox* combo)
{
    QStringList polozky;
    for (int i = 0; i < combo->count(); ++i)
        polozky << combo->itemText(i);
    const std::optional<int> cislo = cisloPolozky(combo->currentText(), polozky);
    if (!cislo)
        combo->setFocus();
    return cislo;
}

void zvolPolozku(QComboBox* combo, int cislo)
{
    if (combo->count() == 0)
        return;
    cislo = std::clamp(cislo, 1, combo->count());
    nastavTagVolby(combo, cislo);
    combo->setCurrentIndex(cislo - 1);
    combo->setEditText(combo->itemText(cislo - 1));
}

QString textCasovehoPole(const QLineEdit* pole)
{
    QString text = pole->displayText();
    if (!pole->inputMask().isEmpty())
        text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

void nastavTextCasovehoPole(QLineEdit* pole, const QString& text)
{
    // A masked field takes its blank character for an empty position and
    // skips a space, which would shift the digits that follow.
    QString t = text;
    if (!pole->inputMask().isEmpty())
        t.replace(QLatin1Char(' '), QLatin1Char('_'));
    pole->setText(t);
}

} // namespace zrc
