#pragma once
// The operation's link to its window or command line, with two duties added:
// while a question waits for its answer, the read-ahead drops what it holds
// and pauses (a person may change the files meanwhile; the copies after the
// answer read their sources as they are then), and the journal's waiting
// records are written before a question and as progress is reported.

#include "operace/operace.h"

namespace zrc {

class PredcteniZdroju;
class ZapisDeniku;

class OtazkyOperace final : public RozhraniOperace {
public:
    explicit OtazkyOperace(RozhraniOperace& r) : r_(r) {}
    void predcteni(PredcteniZdroju* p) { predcteni_ = p; }
    void denik(ZapisDeniku* d) { denik_ = d; }

    bool nedostatekMista(std::int64_t volne, std::int64_t potreba) override;
    void krok(Krok krok, const std::string& zdroj) override;
    void prubeh(const Prubeh& p) override;
    OdpovedChyby chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c) override;
    OdpovedChyby chybaMazani(const std::string& zdroj, const ChybaSouboru& c) override;
    OdpovedCteni jenProCteni(const std::string& zdroj) override;
    OdpovedKose kosNepouzitelny(const std::string& zdroj, const ChybaSouboru& c) override;
    void vyrizeno(std::size_t index) override { r_.vyrizeno(index); }

private:
    // Writes the journal's waiting records and pauses the read-ahead for its
    // lifetime.
    class Pauza {
    public:
        Pauza(PredcteniZdroju* p, ZapisDeniku* d);
        ~Pauza();
        Pauza(const Pauza&) = delete;
        Pauza& operator=(const Pauza&) = delete;

    private:
        PredcteniZdroju* p_;
    };

    RozhraniOperace& r_;
    PredcteniZdroju* predcteni_ = nullptr;
    ZapisDeniku* denik_ = nullptr;
};

} // namespace zrc
