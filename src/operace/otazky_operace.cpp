#include "operace/otazky_operace.h"

#include "operace/predcteni_zdroju.h"

namespace zrc {

OtazkyOperace::Pauza::Pauza(PredcteniZdroju* p) : p_(p)
{
    if (p_)
        p_->pozastav();
}

OtazkyOperace::Pauza::~Pauza()
{
    if (p_)
        p_->pokracuj();
}

bool OtazkyOperace::nedostatekMista(std::int64_t volne, std::int64_t potreba)
{
    const Pauza pauza(predcteni_);
    return r_.nedostatekMista(volne, potreba);
}

OdpovedChyby OtazkyOperace::chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c)
{
    const Pauza pauza(predcteni_);
    return r_.chybaKopirovani(zdroj, c);
}

OdpovedChyby OtazkyOperace::chybaMazani(const std::string& zdroj, const ChybaSouboru& c)
{
    const Pauza pauza(predcteni_);
    return r_.chybaMazani(zdroj, c);
}

OdpovedCteni OtazkyOperace::jenProCteni(const std::string& zdroj)
{
    const Pauza pauza(predcteni_);
    return r_.jenProCteni(zdroj);
}

OdpovedKose OtazkyOperace::kosNepouzitelny(const std::string& zdroj, const ChybaSouboru& c)
{
    const Pauza pauza(predcteni_);
    return r_.kosNepouzitelny(zdroj, c);
}

} // namespace zrc
