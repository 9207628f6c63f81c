#include "dialogs/OptionSwitches.h"

#include "app/StringTable.h"
#include "dialogs/LiveBar.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"

namespace parvo {

const std::array<OptionalBarButton, OptionalButtonCount>& OptionalBarButtons()
{
    static const std::array<OptionalBarButton, OptionalButtonCount> buttons = {{
        {FixedButton::bFavs, 14, Option::Button_favs, &BarSettings::Button_favs},
        {FixedButton::bSlinks, 5, Option::Button_slinks, &BarSettings::Button_slinks},
        {FixedButton::bMail, 24, Option::Button_email, &BarSettings::Button_email},
        {FixedButton::bWinFolders, 4, Option::Button_winfolders, &BarSettings::Button_winfolders},
        {FixedButton::bFolders, 9, Option::Button_efolders, &BarSettings::Button_efolders},
        {FixedButton::bCompSearch, 48, Option::Button_search, &BarSettings::Button_search},
    }};
    return buttons;
}

namespace {

int InRange(int value, int low, int high) { return value >= low && value <= high ? value : 0; }

} // namespace

OptionSwitches::OptionSwitches(Registry& reg, LiveBar& bar, Prompts& prompts, QString executablePath)
    : reg_(reg), bar_(bar), prompts_(prompts), executablePath_(std::move(executablePath))
{
}

const OptionControls& OptionSwitches::Fill()
{
    const BarSettings& s = bar_.LiveSettings();
    c_.Stay = s.AlwaysOnTop;
    c_.Hide = s.AutoHide;
    c_.Tray = s.TrayIconVisible;
    c_.Layout = InRange(s.Layout, 1, 3);
    c_.ClickLayout = InRange(s.ClickLayout, 4, 6);
    c_.Explorer = InRange(s.Explorer, 1, 2);
    for (int i = 0; i < OptionalButtonCount; ++i)
        c_.Buttons[size_t(i)] = s.*OptionalBarButtons()[size_t(i)].shown;
    c_.Subfolders = s.Drives_subfolders;
    c_.Files = s.Drives_files;
    c_.Hidden = s.Drives_hidden;
    c_.FullImages = s.Drives_fullimages;
    // The font boxes show what is stored, which may differ from the font in use (an
    // increment other than 2 or 4 selects neither size).
    c_.Bold = ReadOption(reg_, Option::FontDisksBold) != 0;
    c_.Sized = ReadOption(reg_, Option::FontSized) != 0;
    const quint32 inc = ReadOption(reg_, Option::FontSizeInc);
    c_.SizeInc = inc == 2 || inc == 4 ? int(inc) : 0;
    c_.Autostart = IsAutostartOn(reg_);
    return c_;
}

void OptionSwitches::Write(Option which, quint32 value)
{
    // The change holds on the running bar either way; the user learns once that it will
    // not outlive it, instead of at every click.
    if (!WriteOption(reg_, which, value) && !writeFailureShown_) {
        writeFailureShown_ = true;
        prompts_.error(Str(100) + QLatin1Char(' ') + Str(280));
    }
}

void OptionSwitches::StayClick(bool ticked)
{
    if (IsLoading())
        return;
    c_.Stay = ticked;
    bar_.SetAlwaysOnTop(ticked);
    Write(Option::Stay, ticked);
}

void OptionSwitches::HideClick(bool ticked)
{
    if (IsLoading())
        return;
    // A refused auto-hide unticks the box and is stored as off, or every start would
    // be refused again.
    bar_.SetAutoHide(ticked);
    c_.Hide = bar_.LiveSettings().AutoHide;
    Write(Option::Hide, c_.Hide);
}

void OptionSwitches::AutostartClick(bool ticked)
{
    if (IsLoading())
        return;
    const bool done = SetAutostart(reg_, ticked, executablePath_);
    c_.Autostart = IsAutostartOn(reg_);
    if (!done)
        prompts_.error(Str(100) + QLatin1Char(' ') + Str(281));
}

void OptionSwitches::TrayClick(bool ticked)
{
    if (IsLoading())
        return;
    c_.Tray = ticked;
    bar_.SetTrayIconVisible(ticked);
    Write(Option::Tray, ticked);
}

void OptionSwitches::LayoutClick(int value)
{
    if (IsLoading())
        return;
    c_.Layout = value;
    bar_.LiveSettings().Layout = value;
    bar_.Relayout();
    Write(Option::Layout, quint32(value));
}

void OptionSwitches::ClickLayoutClick(int value)
{
    if (IsLoading())
        return;
    c_.ClickLayout = value;
    bar_.LiveSettings().ClickLayout = value;
    bar_.Relayout();
    Write(Option::ClickLayout, quint32(value));
}

void OptionSwitches::BoldClick(bool ticked)
{
    if (IsLoading())
        return;
    c_.Bold = ticked;
    bar_.SetDriveFont(bar_.LiveSettings().DriveFontSize, ticked);
    Write(Option::FontDisksBold, ticked);
}

void OptionSwitches::SizedClick(bool ticked)
{
    if (IsLoading())
        return;
    c_.Sized = ticked;
    const BarSettings& s = bar_.LiveSettings();
    int size = 8;
    if (ticked)
        size = c_.SizeInc ? 8 + c_.SizeInc : s.DriveFontSize;
    bar_.SetDriveFont(size, s.DriveFontBold);
    Write(Option::FontSized, ticked);
}

void OptionSwitches::SizeIncClick(int increment)
{
    if (IsLoading())
        return;
    c_.SizeInc = increment;
    if (c_.Sized)
        bar_.SetDriveFont(8 + increment, bar_.LiveSettings().DriveFontBold);
    Write(Option::FontSizeInc, quint32(increment));
}

void OptionSwitches::WriteSubfolderFlags()
{
    const BarSettings& s = bar_.LiveSettings();
    Write(Option::Drives_subfolders, s.Drives_subfolders);
    Write(Option::Drives_files, s.Drives_files);
    Write(Option::Drives_hidden, s.Drives_hidden);
}

void OptionSwitches::SubfoldersClick(bool ticked)
{
    if (IsLoading())
        return;
    c_.Subfolders = ticked;
    BarSettings& s = bar_.LiveSettings();
    // Without sub-folders the two boxes below mean nothing; their ticks stay, ready for
    // the next time.
    s.Drives_subfolders = ticked;
    s.Drives_files = ticked && c_.Files;
    s.Drives_hidden = ticked && c_.Hidden;
    WriteSubfolderFlags();
}

void OptionSwitches::FilesClick(bool ticked)
{
    if (IsLoading())
        return;
    c_.Files = ticked;
    bar_.LiveSettings().Drives_files = ticked;
    Write(Option::Drives_files, ticked);
}

void OptionSwitches::HiddenClick(bool ticked)
{
    if (IsLoading())
        return;
    c_.Hidden = ticked;
    bar_.LiveSettings().Drives_hidden = ticked;
    Write(Option::Drives_hidden, ticked);
}

void OptionSwitches::FullImagesClick(bool ticked)
{
    if (IsLoading())
        return;
    c_.FullImages = ticked;
    bar_.LiveSettings().Drives_fullimages = ticked;
    Write(Option::Drives_fullimages, ticked);
}

void OptionSwitches::ButtonClick(int index, bool ticked)
{
    if (IsLoading() || index < 0 || index >= OptionalButtonCount)
        return;
    const OptionalBarButton& b = OptionalBarButtons()[size_t(index)];
    c_.Buttons[size_t(index)] = ticked;
    bar_.SetButtonVisible(b.button, ticked);
    Write(b.setting, ticked);
}

void OptionSwitches::ExplorerClick(int value)
{
    if (IsLoading())
        return;
    c_.Explorer = value;
    bar_.LiveSettings().Explorer = value;
    Write(Option::Explorer, quint32(value));
}

} // namespace parvo
