#include "ui/radek_prubehu.h"

#include "util/velikost_text.h"

#include <cstdlib>

namespace zrc {

namespace {

const QString oddelovac = QStringLiteral(" · ");

} // namespace

void RadekPrubehu::vzorek(std::int64_t hotovo, std::int64_t ms)
{
    vzorky_.push_back({ms, hotovo});
    // One sample at or before the window's start stays as its base, so the
    // average always spans the whole window once it is full.
    while (vzorky_.size() > 2 && vzorky_[1].ms <= ms - oknoMs)
        vzorky_.pop_front();
    over(ms);
}

// Stable: the window is full and the average moved by at most a quarter
// against the one of at least a second ago.
void RadekPrubehu::over(std::int64_t ms)
{
    const auto v = rychlost();
    if (stabilni_ || !v || vzorky_.back().ms - vzorky_.front().ms < oknoMs)
        return;
    if (kontrolaMs_ && ms - *kontrolaMs_ < 1000)
        return;
    if (kontrolaMs_ && *v > 0 && std::llabs(*v - kontrolaRychlost_) * 4 <= *v)
        stabilni_ = true;
    kontrolaMs_ = ms;
    kontrolaRychlost_ = *v;
}

std::optional<std::int64_t> RadekPrubehu::rychlost() const
{
    if (vzorky_.empty())
        return std::nullopt;
    const std::int64_t rozpeti = vzorky_.back().ms - vzorky_.front().ms;
    if (rozpeti < prvniMs)
        return std::nullopt;
    return (vzorky_.back().bajty - vzorky_.front().bajty) * 1000 / rozpeti;
}

std::optional<std::int64_t> RadekPrubehu::zbyva(std::int64_t hotovo, std::int64_t celkem) const
{
    const auto v = rychlost();
    if (!stabilni_ || !v || *v <= 0)
        return std::nullopt;
    const std::int64_t zbyvaBajtu = std::max<std::int64_t>(celkem - hotovo, 0);
    return (zbyvaBajtu + *v - 1) / *v;   // rounded up: "0:00" only at the end
}

QString RadekPrubehu::text(const StavRadku& s) const
{
    QString t = textSouboru(s.soubor, s.souboru) + oddelovac + QString::fromStdString(velikostTextem(s.hotovo)) +
                QStringLiteral(" z ") + QString::fromStdString(velikostTextem(s.celkem));
    if (const auto v = rychlost())
        t += oddelovac + QString::fromStdString(rychlostTextem(*v));
    if (const auto z = zbyva(s.hotovo, s.celkem))
        t += oddelovac + QStringLiteral("zbývá ") + textZbyva(*z);
    return t;
}

QString textZbyva(std::int64_t sekundy)
{
    const std::int64_t h = sekundy / 3600, m = sekundy / 60 % 60, s = sekundy % 60;
    const auto dve = [](std::int64_t n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    if (h > 0)
        return QString::number(h) + QLatin1Char(':') + dve(m) + QLatin1Char(':') + dve(s);
    return QString::number(m) + QLatin1Char(':') + dve(s);
}

QString textSouboru(std::size_t soubor, std::size_t souboru)
{
    return QString::number(soubor) + QStringLiteral(" z ") + QString::number(souboru) +
           (souboru == 1 ? QStringLiteral(" souboru") : QStringLiteral(" souborů"));
}

} // namespace zrc
