#include "platform/linux/X11Display.h"

#include "app/StringTable.h"

#include <QByteArray>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <cstdio>

namespace parvo {

namespace {

bool X11Reachable()
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool reached = c && xcb_connection_has_error(c) == 0;
    if (c)
        xcb_disconnect(c);
    return reached;
}

void Tell(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

} // namespace

bool ChooseX11Platform()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true; // the user's own choice
    if (X11Reachable()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return true;
    }
    Tell(Str(620).replace(QLatin1String("%s"), QString::fromLocal8Bit(qgetenv("DISPLAY"))));
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    Tell(Str(621));
    return true;
}

} // namespace parvo
