#pragma once
// The bar window. It owns the live settings, the shared lists and the branding pictures,
// and builds itself in a fixed order at start-up.

#include "app/BrandingPictures.h"
#include "settings/BarSettings.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

namespace parvo {

class Registry;
class ShellLinks;
class MessagePrompts;

// What the bar needs of the system, handed in by the program entry.
struct BarServices {
    Registry& registry;
    ShellLinks& links;
    MessagePrompts& prompts;
    QString programFolder;
    std::function<QString()> findTextEditor; // for the first run's editor button
};

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(BarServices services);
    ~TForm1() override;

    // Builds the bar. False when the branding data is unusable: the user has been told
    // and the program must end.
    bool FormCreate();

    // Shows the running bar to a user who started the program again.
    void ShowRunningInstance();

    // Live state read by the rest of the program.
    BarSettings Settings;
    QString DisplayTitle;
    QString WebAddress;
    bool HasWebAddress = false;
    QString HomeLabel;
    QString HomeAddress;
    QColor AccentColor;
    QColor BarColor;
    QColor FontColor;
    std::optional<BrandingPictures> Pictures;
    QString MenuKey;
    QString BrowserCommand;
    QStringList WinFolderList;
    QStringList ProgramNames;
    int ScrollOffset = 0;
    int ScrollStep = 22;
    bool StartingUp = true;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FatalDataError();
    void LoadSettings();
    void BuildProgramButtons();
    void TrackFloatingRect();
    void FormResize();
    void FormDestroy();

    BarServices services_;
    bool created_ = false;
};

} // namespace parvo
