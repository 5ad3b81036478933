#include "engine/beh_kandidati.h"

#include "platform/pamet.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace zrc {

class BlokKandidatu {
public:
    explicit BlokKandidatu(std::size_t velikost) : data_(std::in_place, velikost) {}

    std::size_t volno() const { return data_ ? data_->size() - pouzito_ : 0; }
    std::byte* vezmi(std::size_t n)
    {
        std::byte* p = data_->data() + pouzito_;
        pouzito_ += n;
        ++zivych_;
        return p;
    }
    void uvolni()
    {
        if (--zivych_ == 0)
            data_.reset();
    }

private:
    std::optional<MapovanyBlok> data_;
    std::size_t pouzito_ = 0;
    std::uint32_t zivych_ = 0;
};

namespace {

// Eight pages: at a million files per side a thread writes some 0.5 MB of
// candidates per pass, so a block spans a sixteenth of its part of the walk.
// 8 KB and 16 KB blocks gave the same peak, and more mappings.
constexpr std::size_t velikostBloku = 32 * 1024;

struct Hlavicka {
    BlokKandidatu* blok;
    std::uint32_t delka;   // of the records that follow
};

// A record: size, time, the name's length, the page, then the name; read and
// written with memcpy, as nothing in it is aligned.
constexpr std::size_t delkaHlavicky = sizeof(BlokKandidatu*) + sizeof(std::uint32_t);
constexpr std::size_t poziceCasu = sizeof(std::int64_t);
constexpr std::size_t poziceDelky = poziceCasu + sizeof(BalenyCas);
constexpr std::size_t poziceTridy = poziceDelky + sizeof(std::uint16_t);
constexpr std::size_t delkaZahlavi = poziceTridy + sizeof(Trida);

template <class T>
T precti(const std::byte* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

std::size_t delkaZaznamu(const std::byte* zaznam)
{
    return delkaZahlavi + precti<std::uint16_t>(zaznam + poziceDelky);
}

Hlavicka hlavicka(const std::byte* kus)
{
    return {precti<BlokKandidatu*>(kus), precti<std::uint32_t>(kus + sizeof(BlokKandidatu*))};
}

} // namespace

Kandidat KandidatiAdresare::Iterator::operator*() const
{
    return {.velikost = precti<std::int64_t>(p_), .cas = precti<BalenyCas>(p_ + poziceCasu),
            .trida = precti<Trida>(p_ + poziceTridy),
            .jmeno = {reinterpret_cast<const char*>(p_ + delkaZahlavi), precti<std::uint16_t>(p_ + poziceDelky)}};
}

KandidatiAdresare::Iterator& KandidatiAdresare::Iterator::operator++()
{
    p_ += delkaZaznamu(p_);
    return *this;
}

KandidatiAdresare::Iterator KandidatiAdresare::begin() const
{
    return Iterator(kus_ ? kus_ + delkaHlavicky : nullptr);
}

KandidatiAdresare::Iterator KandidatiAdresare::end() const
{
    return Iterator(kus_ ? kus_ + delkaHlavicky + hlavicka(kus_).delka : nullptr);
}

void KandidatiAdresare::uvolni()
{
    if (!kus_)
        return;
    hlavicka(kus_).blok->uvolni();
    kus_ = nullptr;
}

SberKandidatu::SberKandidatu() = default;
SberKandidatu::~SberKandidatu() = default;
SberKandidatu::SberKandidatu(SberKandidatu&&) noexcept = default;

std::size_t SberKandidatu::delkaZaznamu(std::string_view jmeno)
{
    return delkaZahlavi + jmeno.size();
}

void SberKandidatu::zacni(int pruchod, std::size_t bajtu)
{
    kus_[pruchod] = dalsi_[pruchod] = nullptr;
    if (bajtu == 0)
        return;
    const std::size_t potreba = delkaHlavicky + bajtu;
    BlokKandidatu*& blok = aktualni_[pruchod];
    if (!blok || blok->volno() < potreba)
        blok = bloky_.emplace_back(std::make_unique<BlokKandidatu>(std::max(velikostBloku, potreba))).get();
    std::byte* kus = blok->vezmi(potreba);
    const auto delka = static_cast<std::uint32_t>(bajtu);
    std::memcpy(kus, &blok, sizeof blok);
    std::memcpy(kus + sizeof blok, &delka, sizeof delka);
    kus_[pruchod] = kus;
    dalsi_[pruchod] = kus + delkaHlavicky;
}

void SberKandidatu::pridej(int pruchod, Trida trida, std::string_view jmeno, BalenyCas cas,
                           std::int64_t velikost)
{
    ++pocty_[pruchod][static_cast<int>(trida)];
    std::byte* z = dalsi_[pruchod];
    const auto delka = static_cast<std::uint16_t>(jmeno.size());
    std::memcpy(z, &velikost, sizeof velikost);
    std::memcpy(z + poziceCasu, &cas, sizeof cas);
    std::memcpy(z + poziceDelky, &delka, sizeof delka);
    std::memcpy(z + poziceTridy, &trida, sizeof trida);
    std::memcpy(z + delkaZahlavi, jmeno.data(), jmeno.size());
    dalsi_[pruchod] = z + delkaZaznamu(jmeno);
}

KandidatiAdresare SberKandidatu::vezmi(int pruchod)
{
    KandidatiAdresare k;
    k.kus_ = std::exchange(kus_[pruchod], nullptr);
    dalsi_[pruchod] = nullptr;
    return k;
}

} // namespace zrc
