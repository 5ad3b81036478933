#pragma once
// The question a run asks of every candidate file: is its type excluded?

#include <string_view>

namespace zrc {

// Source of the excluded types. jeVynechanyTyp gets the file name (own bytes)
// and answers whether its last extension is excluded. Called from the run's
// thread; an implementation must be cheap (it is asked once per candidate file).
class VynechaneTypy {
public:
    virtual ~VynechaneTypy() = default;
    virtual bool jeVynechanyTyp(std::string_view jmenoSouboru) = 0;
};

} // namespace zrc
