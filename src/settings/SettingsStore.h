#pragma once
// Copies the bar's and the Pvfolder window's settings between the registry and the live
// values, and writes the defaults of every group before it is first read, so that a
// reader never meets a missing value.

#include "settings/BarSettings.h"

#include <QString>

namespace parvo {

class Registry;
struct FirstRunEnvironment;

// The values of the Options key, in the order their defaults are created.
enum class Option {
    Stay, Hide, Tray, Layout, ClickLayout, FontSized, FontSizeInc, FontDisksBold, Explorer,
    Button_favs, Button_email, Button_winfolders, Button_efolders, Button_internet,
    Button_slinks, Button_search, Drives_subfolders, Drives_files, Drives_hidden,
    Drives_fullimages,
};
inline constexpr int OptionCount = 20;

const char* OptionName(Option which);
quint32 OptionDefault(Option which);

void EnsureBarDefaults(Registry& reg);
// Reads the main key into the bar.
void LoadBarSettings(Registry& reg, BarSettings& bar);
// Whether the first-run setup is still to do, and the setup with its mark that it is done.
// Kept apart from the reading so that the bar can come up before the setup writes anything.
bool FirstLoadPending(const Registry& reg);
void RunFirstLoad(Registry& reg, const FirstRunEnvironment& env);
void SaveBarPlacement(Registry& reg, const BarSettings& bar);
void SaveExcludedDrives(Registry& reg, const BarSettings& bar);

void EnsureOptionDefaults(Registry& reg);
void LoadOptions(Registry& reg, BarSettings& bar);
// False when the value could not be stored.
bool WriteOption(Registry& reg, Option which, quint32 value);
quint32 ReadOption(Registry& reg, Option which);

// Adds or removes a drive letter from the excluded set and stores the set.
void ToggleExcludedDrive(Registry& reg, BarSettings& bar, QChar letter, bool exclude);

// False when the autostart entry could not be written or removed.
bool SetAutostart(Registry& reg, bool on, const QString& executablePath);
bool IsAutostartOn(const Registry& reg);

void EnsurePvfolderDefaults(Registry& reg);
void LoadPvfolderPlacement(Registry& reg, PvfolderPlacement& placement);
void SavePvfolderPlacement(Registry& reg, const PvfolderPlacement& placement);

} // namespace parvo
