#pragma once
// Shared set-up of the comparison-run tests: two temporary trees, a sink that
// records everything, a fixed clock, and the items as short lines "N sub/name".

#include "engine/porovnani.h"
#include "support/temp_tree.h"
#include "test_cas_pasmo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <unistd.h>
#include <string>
#include <vector>

namespace zrc {

using test::dir;
using test::file;
using test::fifo;
using test::localTime;
using test::symlink;
using test::TempTree;

class PevneHodiny : public Hodiny {
public:
    explicit PevneHodiny(QDateTime t) : t_(std::move(t)) {}
    QDateTime ted() const override { return t_; }
private:
    QDateTime t_;
};

struct ZaznamPolozky {
    int seznam = 0;
    std::string podadresar, jmeno;
    BalenyCas cas = 0;
    std::int64_t velikost = 0;
};

class ZaznamovyPrijemce : public PrijemceBehu {
public:
    void overeno(const QString& a1, const QString& a2) override { overeneAdresare = {a1, a2}; }
    void polozka(int seznam, const NalezenySoubor& s) override
    {
        polozky.push_back({seznam, std::string(s.podadresar), std::string(s.jmeno), s.cas, s.velikost});
        if (poPolozce)
            poPolozce(polozky.size());
    }
    void stav(const QString& text) override
    {
        stavy.push_back(text);
        if (poStavu)
            poStavu(text);
    }
    void prubeh(int pozice) override { prubehy.push_back(pozice); }

    // "N sub/name" per item, in arrival order.
    std::vector<std::string> radky() const
    {
        std::vector<std::string> r;
        for (const auto& p : polozky)
            r.push_back(std::to_string(p.seznam) + " " + p.podadresar + p.jmeno);
        return r;
    }

    std::vector<ZaznamPolozky> polozky;
    std::vector<QString> stavy;
    std::vector<int> prubehy;
    std::pair<QString, QString> overeneAdresare;
    std::function<void(std::size_t)> poPolozce;
    std::function<void(const QString&)> poStavu;
};

// Two trees and the record of one run over them.
class PorovnaniTest : public VPasmu {
protected:
    NastaveniPorovnani nastaveni() const
    {
        NastaveniPorovnani n;
        n.adresar1 = strom1.qroot();
        n.adresar2 = strom2.qroot();
        return n;
    }
    VysledekBehu spust(const NastaveniPorovnani& n, int vlakna = 2)
    {
        ParametryBehu p{.nastaveni = n, .volby = volby, .vynechaneTypy = typy,
                        .hodiny = &hodiny, .stop = &stop, .vlakna = vlakna};
        return porovnej(p, prijemce);
    }
    std::vector<std::string> radky(const NastaveniPorovnani& n, int vlakna = 2)
    {
        prijemce = ZaznamovyPrijemce{};
        spust(n, vlakna);
        return prijemce.radky();
    }

    TempTree strom1, strom2;
    PevneHodiny hodiny{QDateTime(QDate(2026, 12, 6), QTime(12, 0))};
    ZaznamovyPrijemce prijemce;
    std::atomic<bool> stop{false};
    ZiveVolby* volby = nullptr;
    VynechaneTypy* typy = nullptr;
};

using Radky = std::vector<std::string>;

// Root reads every directory whatever its mode; the run then goes without
// privileges (effective user "nobody") so that mode 000 means what it says.
class BezPrav {
public:
    BezPrav() { zmeneno_ = ::geteuid() == 0 && ::seteuid(65534) == 0; }
    ~BezPrav()
    {
        if (zmeneno_ && ::seteuid(0) != 0)
            std::abort();
    }
private:
    bool zmeneno_ = false;
};


} // namespace zrc
