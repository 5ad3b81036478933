#pragma once
// The window manager's request to close a window (its title bar's close box,
// Alt+F4, a taskbar's "Close") as it arrives on X11: a WM_PROTOCOLS client
// message carrying WM_DELETE_WINDOW, sent to the window itself.
//
// Qt turns it into a close event only when no application-modal window
// blocks that window; otherwise it drops it without a trace. A window that
// must react even then (the main window while a file operation's progress
// window or question is open) looks at its native events first.

#include <QByteArray>

namespace zrc {

// True when a native event of a window (QWidget::nativeEvent) is the window
// manager's request to close it; always false off X11.
bool jeZadostOZavreni(const QByteArray& typUdalosti, const void* udalost);

} // namespace zrc
