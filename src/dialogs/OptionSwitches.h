#pragma once
// The switches of the options dialog's four settings pages (main options, drive buttons,
// bar buttons, folder opener). Each click takes effect on the running bar and is written
// to the store at once; nothing waits for the dialog to close and nothing is rolled back.

#include "bar/ButtonHints.h"
#include "settings/SettingsStore.h"

#include <QString>
#include <array>

namespace parvo {

class LiveBar;
class Prompts;
class Registry;

// The optional bar buttons of the bar-buttons page, in its order: the button, the cell of
// the bar's picture strip its sample carries, and the setting that keeps it.
struct OptionalBarButton {
    FixedButton button;
    int pictureCell;
    Option setting;
    bool BarSettings::*shown; // the live value
};
inline constexpr int OptionalButtonCount = 6;
const std::array<OptionalBarButton, OptionalButtonCount>& OptionalBarButtons();

// What the controls of the four pages show.
struct OptionControls {
    bool Stay = false;
    bool Hide = false;
    bool Autostart = false;
    bool Tray = false;
    int Layout = 0;      // 1 to 3; 0 selects no choice
    int ClickLayout = 0; // 4 to 6; 0 selects no choice
    bool Bold = false;
    bool Sized = false;
    int SizeInc = 0;     // 2 or 4; 0 selects neither button
    bool Subfolders = false;
    bool Files = false;
    bool Hidden = false;
    bool FullImages = false;
    std::array<bool, OptionalButtonCount> Buttons{};
    int Explorer = 0;    // 1 or 2; 0 selects no choice

    // The two size buttons follow the size box, the two boxes under "Display subfolders"
    // follow it; disabled controls keep their ticks.
    bool SizeButtonsEnabled() const { return Sized; }
    bool SubfolderBoxesEnabled() const { return Subfolders; }
    bool operator==(const OptionControls&) const = default;
};

class OptionSwitches {
public:
    OptionSwitches(Registry& reg, LiveBar& bar, Prompts& prompts, QString executablePath);

    // While a guard lives every click handler does nothing, so that filling the controls
    // writes nothing.
    class LoadingGuard {
    public:
        explicit LoadingGuard(int& depth) : depth_(depth) { ++depth_; }
        ~LoadingGuard() { --depth_; }
        LoadingGuard(const LoadingGuard&) = delete;
        LoadingGuard& operator=(const LoadingGuard&) = delete;

    private:
        int& depth_;
    };
    [[nodiscard]] LoadingGuard Loading() { return LoadingGuard(loading_); }
    bool IsLoading() const { return loading_ > 0; }

    // The controls as the dialog opens: the bar's live state, the font boxes and
    // autostart as the store holds them. Reads only.
    const OptionControls& Fill();
    // The controls after the last click; a switch that could not be made shows as it is.
    const OptionControls& Controls() const { return c_; }

    // Main options.
    void StayClick(bool ticked);
    void HideClick(bool ticked);
    void AutostartClick(bool ticked);
    void TrayClick(bool ticked);
    // Drive buttons: a radio handler runs for the choice that became selected.
    void LayoutClick(int value);
    void ClickLayoutClick(int value);
    void BoldClick(bool ticked);
    void SizedClick(bool ticked);
    void SizeIncClick(int increment);
    void SubfoldersClick(bool ticked);
    void FilesClick(bool ticked);
    void HiddenClick(bool ticked);
    void FullImagesClick(bool ticked);
    // Bar buttons, by their place on the page.
    void ButtonClick(int index, bool ticked);
    // Folder opener.
    void ExplorerClick(int value);

private:
    void Write(Option which, quint32 value);
    void WriteSubfolderFlags();

    Registry& reg_;
    LiveBar& bar_;
    Prompts& prompts_;
    QString executablePath_;
    OptionControls c_;
    int loading_ = 0;
    bool writeFailureShown_ = false;
};

} // namespace parvo
