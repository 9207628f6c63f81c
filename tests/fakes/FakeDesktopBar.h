#pragma once
// A desktop held in memory: its monitors, the other bars' strips, the auto-hide register
// and what each window was given, so that the docking of a bar can be checked without an
// X server.

#include "platform/DesktopBar.h"

#include <QMap>
#include <QSet>

namespace parvo {

class FakeDesktopBar : public DesktopBar {
public:
    QList<Monitor> monitors() const override { return monitorList; }
    QList<DockedStrip> otherBars(WindowId) const override { return others; }
    bool managesDocks() const override { return docksManaged; }

    void setDockWindow(WindowId window, bool docked) override
    {
        dockWindow[window] = docked;
        ++kindChanges;
    }

    void reserve(WindowId window, TAppBarEdge edge, const QRect& strip) override
    {
        if (IsScreenEdge(edge) && !strip.isEmpty())
            reserved[window] = DockedStrip{edge, strip};
        else
            reserved.remove(window);
    }

    WindowId autoHideBar(TAppBarEdge edge) const override
    {
        const WindowId holder = autoHide.value(edge, 0);
        return holder != 0 && !deadWindows.contains(holder) ? holder : 0;
    }

    bool setAutoHideBar(WindowId window, TAppBarEdge edge, bool on) override
    {
        const WindowId holder = autoHideBar(edge);
        if (on) {
            if (holder != 0 && holder != window)
                return false;
            autoHide[edge] = window;
        } else if (holder == window) {
            autoHide.remove(edge);
        }
        return true;
    }

    void setStacking(WindowId window, Stacking s) override { stacking[window] = s; }

    void watch(WindowId window, Notices n) override
    {
        watched = window;
        notices = std::move(n);
    }

    // One monitor of 1280 × 800 unless a test says otherwise.
    QList<Monitor> monitorList{Monitor::Scaled(QRect(0, 0, 1280, 800), 1)};
    bool docksManaged = true;
    QList<DockedStrip> others;
    QMap<WindowId, bool> dockWindow;
    int kindChanges = 0;
    QMap<WindowId, DockedStrip> reserved;
    QMap<int, WindowId> autoHide;
    QSet<WindowId> deadWindows;
    QMap<WindowId, Stacking> stacking;
    WindowId watched = 0;
    Notices notices;
};

} // namespace parvo
