#include "ui/historie_ovladani.h"

namespace zrc {

OvladaniHistorie::OvladaniHistorie(QString cestaIni, QObject* parent)
    : QObject(parent), cestaIni_(std::move(cestaIni))
{
    stav_.popis = QStringLiteral("-");
}

void OvladaniHistorie::HistorieButton(int a)
{
    stav_ = zrc::HistorieButton(a, HistoriePocet(cestaIni_));
    emit zmenen(stav_);
}

void OvladaniHistorie::HistorieButtonClick(int krok)
{
    const std::optional<int> cil = HistorieCilKroku(stav_.pozice, krok, HistoriePocet(cestaIni_));
    if (!cil)
        return;
    emit nacist(*cil);
    HistorieButton(*cil);
}

} // namespace zrc
