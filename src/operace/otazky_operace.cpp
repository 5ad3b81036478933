#include "operace/otazky_operace.h"

#include "operace/predcteni_zdroju.h"
#include "operace/zapis_deniku.h"

namespace zrc {

OtazkyOperace::Pauza::Pauza(PredcteniZdroju* p, ZapisDeniku* d) : p_(p)
{
    if (d)
        d->vypis();
    if (p_)
        p_->pozastav();
}

OtazkyOperace::Pauza::~Pauza()
{
    if (p_)
        p_->pokracuj();
}

void OtazkyOperace::krok(Krok krok, const std::string& zdroj)
{
    if (denik_)
        denik_->vypisPoLhute();
    r_.krok(krok, zdroj);
}

void OtazkyOperace::prubeh(const Prubeh& p)
{
    if (denik_)
        denik_->vypisPoLhute();
    r_.prubeh(p);
}

bool OtazkyOperace::nedostatekMista(std::int64_t volne, std::int64_t potreba)
{
    const Pauza pauza(predcteni_, denik_);
    return r_.nedostatekMista(volne, potreba);
}

OdpovedChyby OtazkyOperace::chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c)
{
    const Pauza pauza(predcteni_, denik_);
    return r_.chybaKopirovani(zdroj, c);
}

OdpovedChyby OtazkyOperace::chybaMazani(const std::string& zdroj, const ChybaSouboru& c)
{
    const Pauza pauza(predcteni_, denik_);
    return r_.chybaMazani(zdroj, c);
}

OdpovedCteni OtazkyOperace::jenProCteni(const std::string& zdroj)
{
    const Pauza pauza(predcteni_, denik_);
    return r_.jenProCteni(zdroj);
}

OdpovedKose OtazkyOperace::kosNepouzitelny(const std::string& zdroj, const ChybaSouboru& c)
{
    const Pauza pauza(predcteni_, denik_);
    return r_.kosNepouzitelny(zdroj, c);
}

} // namespace zrc
