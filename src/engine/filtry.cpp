#include "engine/filtry.h"

#include <cmath>

namespace zrc {

namespace {

int cislice(QChar c)
{
    return (c >= u'0' && c <= u'9') ? c.unicode() - u'0' : -1;
}

// A whole decimal number of two characters; a blank first digit is allowed
// only where the time mask lets it stay empty (the first hour digit).
std::optional<int> dvojcisli(QChar prvni, QChar druhy, bool prvniSmiBytMezera)
{
    const int jednotky = cislice(druhy);
    if (jednotky < 0)
        return std::nullopt;
    if (prvniSmiBytMezera && prvni == u' ')
        return jednotky;
    const int desitky = cislice(prvni);
    if (desitky < 0)
        return std::nullopt;
    return desitky * 10 + jednotky;
}

DatumCas poslednich(int pocet, int jednotka, DatumCas ted)
{
    switch (JednotkaFiltru(jednotka)) {
    case JednotkaFiltru::Minuty: return ted - pocet / 1440.0;
    case JednotkaFiltru::Hodiny: return ted - pocet / 24.0;
    default: return std::floor(ted) - pocet;   // midnight N days ago
    }
}

// Date plus the time of a time field, or nothing for a bad time text; an
// invalid date gives 0, which lies outside the packed range (no limit).
std::optional<DatumCas> odData(const QDate& datum, const QString& casText)
{
    const std::optional<QTime> cas = casZTextu(casText);
    if (!cas)
        return std::nullopt;
    if (!datum.isValid())
        return DatumCas(0);
    return DatumCas(QDate(1899, 12, 30).daysTo(datum))
         + (cas->hour() * 60 + cas->minute()) / 1440.0;
}

// The limit of one time filter as a date-time, or nothing for a bad time text.
std::optional<DatumCas> limitFiltru(int rezim, int pocet, int jednotka, const QDate& datum,
                                    const QString& casText, DatumCas ted)
{
    if (rezim == int(RezimFiltru::ZaPoslednich))
        return poslednich(pocet, jednotka, ted);
    return odData(datum, casText);
}

} // namespace

std::optional<QTime> casZTextu(const QString& text)
{
    if (text.size() < 5)
        return std::nullopt;
    const std::optional<int> hodiny = dvojcisli(text[0], text[1], true);
    const std::optional<int> minuty = dvojcisli(text[3], text[4], false);
    if (!hodiny || !minuty || *hodiny > 23 || *minuty > 59)
        return std::nullopt;
    return QTime(*hodiny, *minuty);
}

std::optional<Limity> Dopoctilimit(const NastaveniPorovnani& n, const QDateTime& ted)
{
    const DatumCas nyni = datumCasZQDateTime(ted);
    const std::optional<DatumCas> podadresare = limitFiltru(
        n.CB_Filtr_2, n.SE_Filtr_2_Posledni, n.ChB_Filtr_2_Posledni,
        n.DTP_Filtr_2_OdData, n.ME_Filtr_2_OdData, nyni);
    const std::optional<DatumCas> soubory = limitFiltru(
        n.CB_Filtr_1, n.SE_Filtr_1_Posledni, n.ChB_Filtr_1_Posledni,
        n.DTP_Filtr_1_OdData, n.ME_Filtr_1_OdData, nyni);
    if (!podadresare || !soubory)
        return std::nullopt;
    Limity l;
    // 0 stands for a filter without a date: no limit.
    l.LimitPodadresaru = *podadresare == 0.0 ? 0 : balenyCasZDatumCasu(*podadresare);
    l.LimitSouboru = *soubory == 0.0 ? 0 : balenyCasZDatumCasu(*soubory);
    l.UrovenShody = n.SE_Filtr_3;
    return l;
}

bool VyhovujeSoubor(BalenyCas casSouboru, const Limity& l)
{
    return l.LimitSouboru == 0 || casSouboru > l.LimitSouboru;
}

bool VyhovujePodadresar(BalenyCas casAdresare, const Limity& l)
{
    return l.LimitPodadresaru == 0 || casAdresare > l.LimitPodadresaru;
}

std::string_view priponaSouboru(std::string_view jmenoSouboru)
{
    const std::size_t tecka = jmenoSouboru.rfind('.');
    if (tecka == std::string_view::npos)
        return {};
    const std::string_view pripona = jmenoSouboru.substr(tecka);
    if (pripona.find('/') != std::string_view::npos)
        return {};
    return pripona;
}

} // namespace zrc
