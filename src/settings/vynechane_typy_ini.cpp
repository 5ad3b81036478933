#include "settings/vynechane_typy_ini.h"

#include "engine/filtry.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"

#include <QFile>

#include <algorithm>
#include <sys/stat.h>

namespace zrc {

namespace {

bool jeAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char velkeAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

std::int64_t steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

struct VynechaneTypyIni::Seznam {
    bool pouzit = false;
    std::vector<std::string> utf8;   // "." + type, as stored
    std::vector<QString> texty;      // the same, for extensions outside ASCII

    bool obsahuje(std::string_view pripona) const
    {
        // Upper-casing never turns ASCII into anything else, so an ASCII
        // extension compares byte for byte without a conversion.
        if (jeAscii(pripona)) {
            return std::any_of(utf8.begin(), utf8.end(), [&](const std::string& t) {
                return t.size() == pripona.size()
                    && std::equal(t.begin(), t.end(), pripona.begin(),
                                  [](char a, char b) { return a == velkeAscii(b); });
            });
        }
        const QString velka = QString::fromUtf8(pripona.data(), static_cast<qsizetype>(pripona.size())).toUpper();
        return std::find(texty.begin(), texty.end(), velka) != texty.end();
    }
};

VynechaneTypyIni::VynechaneTypyIni(QString cestaIni, std::chrono::nanoseconds interval)
    : cesta_(std::move(cestaIni)), intervalNs_(interval.count())
{
    std::lock_guard l(zamek_);
    zkontroluj();   // the first call always reads: there is no list yet
    dalsiKontrola_.store(steadyNs() + intervalNs_);
}

VynechaneTypyIni::~VynechaneTypyIni() = default;

void VynechaneTypyIni::zkontroluj()
{
    Podpis p;
    struct stat st;
    if (::stat(QFile::encodeName(cesta_).constData(), &st) == 0) {
        p = {true, st.st_dev, st.st_ino, st.st_size,
             st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
             st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec};
    }
    if (p == podpis_ && seznam_.load())
        return;
    podpis_ = p;
    auto novy = std::make_unique<Seznam>();
    const IniDokument d = nactiIni(cesta_);
    novy->pouzit = d.ctiBool(ini::Typ, ini::pouzit, false);
    for (int i = 1; i <= ini::slotuTypu; ++i) {
        const QString typ = d.ctiText(ini::Typ, QString::number(i));
        if (typ.isEmpty())
            continue;   // a free slot excludes nothing, not even names ending in "."
        novy->texty.push_back(u'.' + typ);
        novy->utf8.push_back(novy->texty.back().toStdString());
    }
    seznamy_.push_back(std::move(novy));
    seznam_.store(seznamy_.back().get(), std::memory_order_release);
}

const VynechaneTypyIni::Seznam& VynechaneTypyIni::aktualni()
{
    const std::int64_t ted = steadyNs();
    if (ted >= dalsiKontrola_.load(std::memory_order_relaxed)) {
        std::unique_lock l(zamek_, std::try_to_lock);
        if (l.owns_lock()) {
            zkontroluj();
            dalsiKontrola_.store(steadyNs() + intervalNs_, std::memory_order_relaxed);
        }
    }
    return *seznam_.load(std::memory_order_acquire);
}

bool VynechaneTypyIni::jeVynechanyTyp(std::string_view jmenoSouboru)
{
    const Seznam& s = aktualni();
    if (!s.pouzit || s.utf8.empty())
        return false;
    const std::string_view pripona = priponaSouboru(jmenoSouboru);
    return !pripona.empty() && s.obsahuje(pripona);
}

} // namespace zrc
