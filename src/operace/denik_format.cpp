#include "operace/denik.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <array>
#include <charconv>
#include <cstdio>

namespace zrc {

namespace {

constexpr std::array druhyZaznamu{"kopie", "nahrazeno", "presun", "kos", "smazano", "chyba"};
constexpr std::array druhyDeniku{"kopie", "presun", "odstraneni", "vraceni"};

bool escapovat(unsigned char c)
{
    return c <= 0x20 || c == 0x7f || c == '%';
}

// Four hex digits of the CRC-16 of the line's content.
std::string kontrola(std::string_view obsah)
{
    const quint16 crc = qChecksum(QByteArrayView(obsah.data(), qsizetype(obsah.size())), Qt::ChecksumIso3309);
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%04x", unsigned(crc));
    return buf;
}

std::string uzavri(std::string obsah)
{
    const std::string k = kontrola(obsah);
    obsah += '\t';
    obsah += k;
    obsah += '\n';
    return obsah;
}

// The fields of an intact line, its checksum removed; empty when it fails.
std::vector<std::string_view> pole(std::string_view radek)
{
    const auto tab = radek.rfind('\t');
    if (tab == std::string_view::npos || radek.substr(tab + 1) != kontrola(radek.substr(0, tab)))
        return {};
    std::vector<std::string_view> v;
    std::string_view zbytek = radek.substr(0, tab);
    for (;;) {
        const auto t = zbytek.find('\t');
        v.push_back(zbytek.substr(0, t));
        if (t == std::string_view::npos)
            return v;
        zbytek.remove_prefix(t + 1);
    }
}

template <class T>
bool cislo(std::string_view s, T& hodnota)
{
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), hodnota);
    return ec == std::errc{} && p == s.data() + s.size();
}

template <class E, std::size_t N>
std::optional<E> druh(std::string_view s, const std::array<const char*, N>& jmena)
{
    for (std::size_t i = 0; i < N; ++i)
        if (s == jmena[i])
            return E(i);
    return std::nullopt;
}

} // namespace

Identita Identita::ze(const struct stat& st)
{
    return {std::uint64_t(st.st_dev), std::uint64_t(st.st_ino), std::int64_t(st.st_size),
            std::int64_t(st.st_mtim.tv_sec), std::int64_t(st.st_mtim.tv_nsec)};
}

std::string_view jmenoDruhu(DruhZaznamu d) { return druhyZaznamu[std::size_t(d)]; }
std::string_view jmenoDruhu(DruhDeniku d) { return druhyDeniku[std::size_t(d)]; }

std::string zakoduj(std::string_view bajty)
{
    std::string s;
    s.reserve(bajty.size());
    for (const char c : bajty) {
        const auto u = static_cast<unsigned char>(c);
        if (!escapovat(u)) {
            s += c;
            continue;
        }
        char buf[4];
        std::snprintf(buf, sizeof buf, "%%%02X", unsigned(u));
        s += buf;
    }
    return s;
}

std::optional<std::string> dekoduj(std::string_view text)
{
    std::string s;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            s += text[i];
            continue;
        }
        unsigned hodnota = 0;
        if (i + 3 > text.size())
            return std::nullopt;
        const auto [p, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, hodnota, 16);
        if (ec != std::errc{} || p != text.data() + i + 3)
            return std::nullopt;
        s += static_cast<char>(hodnota);
        i += 2;
    }
    return s;
}

std::string radekHlavicky(const HlavickaDeniku& h)
{
    return uzavri(std::string(znackaDeniku) + '\t' + std::to_string(verzeDeniku) + '\t' +
                  std::string(jmenoDruhu(h.druh)) + '\t' + zakoduj(h.zdroj) + '\t' + zakoduj(h.cil) +
                  '\t' + std::to_string(std::int64_t(h.cas)));
}

std::string radekZaznamu(const ZaznamDeniku& z)
{
    const Identita& i = z.identita;
    return uzavri(std::string(jmenoDruhu(z.druh)) + '\t' + zakoduj(z.cesta) + '\t' + zakoduj(z.cil) + '\t' +
                  zakoduj(z.kos) + '\t' + zakoduj(z.vKosi) + '\t' + std::to_string(i.dev) + '\t' +
                  std::to_string(i.ino) + '\t' + std::to_string(i.velikost) + '\t' +
                  std::to_string(i.sekundy) + '\t' + std::to_string(i.nanosekundy) + '\t' +
                  zakoduj(z.duvod));
}

std::optional<HlavickaDeniku> rozeberHlavicku(std::string_view radek)
{
    const auto p = pole(radek);
    int verze = 0;
    std::int64_t cas = 0;
    if (p.size() != 6 || p[0] != znackaDeniku || !cislo(p[1], verze) || verze != verzeDeniku ||
        !cislo(p[5], cas))
        return std::nullopt;
    const auto d = druh<DruhDeniku>(p[2], druhyDeniku);
    auto zdroj = dekoduj(p[3]);
    auto cil = dekoduj(p[4]);
    if (!d || !zdroj || !cil)
        return std::nullopt;
    return HlavickaDeniku{*d, std::move(*zdroj), std::move(*cil), std::time_t(cas)};
}

std::optional<ZaznamDeniku> rozeberZaznam(std::string_view radek)
{
    const auto p = pole(radek);
    if (p.size() != 11)
        return std::nullopt;
    ZaznamDeniku z;
    const auto d = druh<DruhZaznamu>(p[0], druhyZaznamu);
    auto cesta = dekoduj(p[1]), cil = dekoduj(p[2]), kos = dekoduj(p[3]), vKosi = dekoduj(p[4]),
         duvod = dekoduj(p[10]);
    Identita& i = z.identita;
    if (!d || !cesta || !cil || !kos || !vKosi || !duvod || !cislo(p[5], i.dev) || !cislo(p[6], i.ino) ||
        !cislo(p[7], i.velikost) || !cislo(p[8], i.sekundy) || !cislo(p[9], i.nanosekundy))
        return std::nullopt;
    z.druh = *d;
    z.cesta = std::move(*cesta);
    z.cil = std::move(*cil);
    z.kos = std::move(*kos);
    z.vKosi = std::move(*vKosi);
    z.duvod = std::move(*duvod);
    return z;
}

} // namespace zrc
