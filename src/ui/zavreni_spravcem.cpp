#include "ui/zavreni_spravcem.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace zrc {

namespace {

xcb_atom_t atom(xcb_connection_t* spojeni, const char* jmeno)
{
    const auto dotaz = xcb_intern_atom(spojeni, 0, static_cast<std::uint16_t>(std::strlen(jmeno)), jmeno);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> odpoved(
        xcb_intern_atom_reply(spojeni, dotaz, nullptr), &std::free);
    return odpoved ? odpoved->atom : xcb_atom_t{XCB_ATOM_NONE};
}

struct Atomy {
    xcb_atom_t protokoly = XCB_ATOM_NONE;   // WM_PROTOCOLS
    xcb_atom_t zavri = XCB_ATOM_NONE;       // WM_DELETE_WINDOW
};

// Asked of the server once, at the first client message: the atoms stay the
// same for the life of the connection.
const Atomy& atomy(xcb_connection_t* spojeni)
{
    static const Atomy a{atom(spojeni, "WM_PROTOCOLS"), atom(spojeni, "WM_DELETE_WINDOW")};
    return a;
}

} // namespace

bool jeZadostOZavreni(const QByteArray& typUdalosti, const void* udalost)
{
    if (typUdalosti != "xcb_generic_event_t" || !udalost)
        return false;
    // The top bit marks an event sent by another client, as this one is.
    const auto* obecna = static_cast<const xcb_generic_event_t*>(udalost);
    if ((obecna->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return false;
    const auto* zprava = static_cast<const xcb_client_message_event_t*>(udalost);
    const Atomy& a = atomy(x11->connection());
    return zprava->format == 32 && zprava->type == a.protokoly && a.zavri != XCB_ATOM_NONE
           && zprava->data.data32[0] == a.zavri;
}

} // namespace zrc
