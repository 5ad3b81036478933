#include "engine/seznam_vynechanych_typu.h"

#include "engine/filtry.h"
#include "util/ascii.h"
#include "util/bajty_cesty.h"

#include <algorithm>

namespace zrc {

namespace {

// Full Unicode upper case of a name's bytes (bytes that are not UTF-8 stay as
// they are); plain ASCII skips the conversion, which is what almost every
// extension is.
std::string velkaPismena(std::string_view s)
{
    if (JeAscii(s)) {
        std::string vysledek(s);
        for (char& c : vysledek)
            c = VelkaAscii(c);
        return vysledek;
    }
    return bajtyZTextu(textZBajtu(s).toUpper());
}

} // namespace

SeznamVynechanychTypu::SeznamVynechanychTypu(std::vector<QString> typy)
{
    for (const QString& typ : typy)
        if (!typ.isEmpty())
            pripony_.push_back(bajtyZTextu(u'.' + typ.toUpper()));
}

bool SeznamVynechanychTypu::jeVynechanyTyp(std::string_view jmenoSouboru)
{
    if (pripony_.empty())
        return false;
    const std::string_view pripona = priponaSouboru(jmenoSouboru);
    if (pripona.empty())
        return false;
    const std::string velka = velkaPismena(pripona);
    return std::find(pripony_.begin(), pripony_.end(), velka) != pripony_.end();
}

} // namespace zrc
