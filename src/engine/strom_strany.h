#pragma once
// The directories a run visits, as one tree for both sides: a node is a
// relative path that is a real directory on side 1, on side 2 or on both, and
// that at least one chosen pass walks. The listing threads add the children of
// a node together, in byte order of their names, in whatever order they finish
// the nodes; once the walk is over, the breadth-first order is laid over them,
// and the nodes that a pass walks, taken in that order, are exactly that
// pass's breadth-first table.
//
// Only what the passes need after the walk stays here (96 bytes and the name
// per directory: with the names as views and the held directories as owning
// handles a node took 128, 1.6 MB more at a million files per side); the
// listings themselves live only while their pair of directories is compared.

#include "engine/arena_jmen.h"
#include "engine/beh_kandidati.h"
#include "engine/cas.h"
#include "platform/listing.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zrc {

// A subdirectory the walk has found, before it becomes a node.
struct NovyPodadresar {
    std::string_view jmeno;   // in a listing of the parent
    bool existuje[2] = {false, false};
    bool prochazi[2] = {false, false};
    bool predek[2] = {true, true};
};

struct UzelStromu {
    UzelStromu* rodic = nullptr;         // null for the base directories
    const char* jmenoBajty = "";         // NUL-terminated in the tree's names
    std::uint32_t index = 0;             // position in breadth-first order, once laid
    std::uint32_t prvniDite = 0;         // the children are nodes prvniDite ..
    std::uint32_t pocetDeti = 0;         // .. prvniDite + pocetDeti - 1
    int hloubka = 0;                     // 0 = the base directories
    BalenyCas cas[2] = {0, 0};           // side s's own time, when maCas
    KandidatiAdresare kandidati[2];      // the differences pass p found here
    // The open directory of side s (-1: none), kept for its subdirectories
    // while zbyva[s] of them are still to be opened; the thread that opens
    // the last one closes it (zavriAdresar), the tree any left at its end.
    int adresar[2] = {-1, -1};
    std::atomic<std::uint32_t> zbyva[2] = {0, 0};
    std::uint16_t delkaJmena = 0;        // a name has at most 255 bytes (NAME_MAX)
    bool existuje[2] = {true, true};     // a real directory on side 1 / 2
    bool prochazi[2] = {false, false};   // in the table of pass 1 / 2 (before the time filter)
    bool predek[2] = {true, true};       // pass s: the other side has the ancestor at the depth-match level
    bool chyba[2] = {false, false};      // side s could not be read whole
    bool maSoubory[2] = {false, false};  // side s listed at least one file
    bool maCas[2] = {false, false};
    bool casOdlozen[2] = {false, false}; // side s was listed without reading its time

    std::string_view jmeno() const { return {jmenoBajty, delkaJmena}; }
    // Keeps the open directory of side s for the subdirectories.
    void podrzAdresar(int strana, platform::DirectoryHandle h) { adresar[strana] = h.release(); }
    void zavriAdresar(int strana);
};

class StromStran final {
public:
    // The base directories as given (bytes), one trailing "/" removed.
    StromStran(std::string zaklad1, std::string zaklad2);
    ~StromStran();
    StromStran(const StromStran&) = delete;
    StromStran& operator=(const StromStran&) = delete;

    const std::string& zaklad(int strana) const { return zaklad_[strana]; }
    std::size_t size() const { return uzly_.size(); }
    // Node i in the order the nodes were made; the base directories are node 0.
    UzelStromu& operator[](std::size_t i) { return uzly_[i]; }
    const UzelStromu& operator[](std::size_t i) const { return uzly_[i]; }

    // A new node below rodic; a node's children must be added one after
    // another. Nodes never move, so a pointer to one stays valid while others
    // are added (the listing threads hold such pointers).
    UzelStromu& pridej(UzelStromu& rodic, std::string_view jmeno);

    // Lays the breadth-first order over the finished tree: poradi()[k] is the
    // node at position k, and every node's index is its position.
    void seradDoSirky();
    const std::vector<std::uint32_t>& poradi() const { return poradi_; }

    // "" for the base directories, else "a/b"; cil is overwritten.
    void relativniCesta(const UzelStromu& u, std::string& cil) const;
    // The base directory of the side joined with the relative path (never "//").
    std::string plnaCesta(int strana, const UzelStromu& u) const;

private:
    std::string zaklad_[2];
    std::deque<UzelStromu> uzly_;
    std::vector<std::uint32_t> poradi_;
    ArenaJmen jmena_;
};

} // namespace zrc
