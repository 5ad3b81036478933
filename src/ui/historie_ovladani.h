#pragma once
// Paging through the settings history: the position shown (the Tag of LH),
// the state of SBHP / LH / SBHD, and the step to the newer or older entry.
// The window shows the state and loads the entry; this object only decides.

#include "settings/historie.h"

#include <QObject>
#include <QString>

namespace zrc {

class OvladaniHistorie final : public QObject {
    Q_OBJECT
public:
    explicit OvladaniHistorie(QString cestaIni, QObject* parent = nullptr);

    // 0: the controls show no stored entry; 1..k: they show entry p.
    int pozice() const { return stav_.pozice; }
    const StavHistorie& stav() const { return stav_; }

    // Position a (clamped to the number of entries k, read afresh from the
    // settings file); emits zmenen with the buttons' state and the label.
    void HistorieButton(int a);
    // A recorded control changed: the position becomes 0.
    void HistorieZmena() { HistorieButton(0); }
    // One step (-1 newer, +1 older): loads the entry there and shows its
    // position; nothing when it lies outside 1..k. With one entry every step
    // reloads it; from 0 a step older loads entry 1.
    void HistorieButtonClick(int krok);
    void SBHPClick() { HistorieButtonClick(-1); }
    void SBHDClick() { HistorieButtonClick(+1); }

signals:
    void zmenen(const zrc::StavHistorie& stav);
    // Load entry n into the controls now (the window's HistorieNacti); the
    // position is set after the load, so changes it fires do not stay.
    void nacist(int n);

private:
    QString cestaIni_;
    StavHistorie stav_;
};

} // namespace zrc
