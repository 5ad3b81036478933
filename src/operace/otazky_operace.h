#pragma once
// The operation's link to its window or command line, with one duty added:
// while a question waits for its answer, the read-ahead drops what it holds
// and pauses. A person may change the files meanwhile; the copies after the
// answer read their sources as they are then.

#include "operace/operace.h"

namespace zrc {

class PredcteniZdroju;

class OtazkyOperace final : public RozhraniOperace {
public:
    explicit OtazkyOperace(RozhraniOperace& r) : r_(r) {}
    void predcteni(PredcteniZdroju* p) { predcteni_ = p; }

    bool nedostatekMista(std::int64_t volne, std::int64_t potreba) override;
    void krok(Krok krok, const std::string& zdroj) override { r_.krok(krok, zdroj); }
    void prubeh(const Prubeh& p) override { r_.prubeh(p); }
    OdpovedChyby chybaKopirovani(const std::string& zdroj, const ChybaSouboru& c) override;
    OdpovedChyby chybaMazani(const std::string& zdroj, const ChybaSouboru& c) override;
    OdpovedCteni jenProCteni(const std::string& zdroj) override;
    OdpovedKose kosNepouzitelny(const std::string& zdroj, const ChybaSouboru& c) override;
    void vyrizeno(std::size_t index) override { r_.vyrizeno(index); }

private:
    // Pauses the read-ahead for its lifetime.
    class Pauza {
    public:
        explicit Pauza(PredcteniZdroju* p);
        ~Pauza();
        Pauza(const Pauza&) = delete;
        Pauza& operator=(const Pauza&) = delete;

    private:
        PredcteniZdroju* p_;
    };

    RozhraniOperace& r_;
    PredcteniZdroju* predcteni_ = nullptr;
};

} // namespace zrc
