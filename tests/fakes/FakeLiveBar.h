#pragma once
// A running bar held in memory: its live settings, and a record of what was asked of it.

#include "dialogs/LiveBar.h"
#include "dialogs/OptionSwitches.h"

#include <QStringList>

namespace parvo {

class FakeLiveBar : public LiveBar {
public:
    BarSettings& LiveSettings() override { return settings; }
    void SetAlwaysOnTop(bool on) override
    {
        settings.AlwaysOnTop = on;
        calls << QStringLiteral("top %1").arg(on);
    }
    bool SetAutoHide(bool on) override
    {
        settings.AutoHide = on && !edgeTaken;
        calls << QStringLiteral("hide %1").arg(on);
        return settings.AutoHide == on;
    }
    void SetTrayIconVisible(bool visible) override
    {
        settings.TrayIconVisible = visible;
        calls << QStringLiteral("tray %1").arg(visible);
    }
    void SetButtonVisible(FixedButton button, bool visible) override
    {
        for (const OptionalBarButton& b : OptionalBarButtons()) {
            if (b.button == button)
                settings.*b.shown = visible;
        }
        calls << QStringLiteral("button %1 %2").arg(int(button)).arg(visible) << QStringLiteral("relayout");
    }
    void SetDriveFont(int pointSize, bool bold) override
    {
        settings.DriveFontSize = pointSize;
        settings.DriveFontBold = bold;
        calls << QStringLiteral("font %1 %2").arg(pointSize).arg(bold);
    }
    void Relayout() override { calls << QStringLiteral("relayout"); }
    void BuildProgramButtons() override { calls << QStringLiteral("buttons"); }

    BarSettings settings;
    bool edgeTaken = false; // another auto-hide bar holds the edge
    QStringList calls;
};

} // namespace parvo
