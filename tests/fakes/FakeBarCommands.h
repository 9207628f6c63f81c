#pragma once
// Records what the item handler asked of the bar, one line per request.

#include "menus/BarCommands.h"

#include <QStringList>

namespace parvo {

class FakeBarCommands : public BarCommands {
public:
    void ShowPvfolderWindow(PvfolderView view) override
    {
        calls << (view == PvfolderView::Pvfolders ? QStringLiteral("pvfolders") : QStringLiteral("winfolders"));
    }
    void SetPvfolderViewStyle(int style) override { calls << QStringLiteral("viewstyle %1").arg(style); }
    void OpenOptionsDialog(bool add) override { calls << (add ? QStringLiteral("options add") : QStringLiteral("options")); }
    void ShowHelp(const QString& topic) override { calls << QStringLiteral("help ") + topic; }
    void CloseBar() override { calls << QStringLiteral("close"); }
    void ClickGo() override { calls << QStringLiteral("go"); }
    void Relayout() override { calls << QStringLiteral("relayout"); }
    void BuildProgramButtons() override { calls << QStringLiteral("buttons"); }
    void RefreshCompletion() override { calls << QStringLiteral("completion"); }
    void ToggleDrive(bool hide, const QString& root) override
    {
        calls << (hide ? QStringLiteral("hide ") : QStringLiteral("show ")) + root;
    }

    QStringList calls;
};

} // namespace parvo
