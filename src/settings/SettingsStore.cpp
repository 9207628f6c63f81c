#include "settings/SettingsStore.h"

#include "bar/AppBarGeometry.h"
#include "platform/Registry.h"
#include "settings/FirstRunSetup.h"
#include "settings/RegistryKeys.h"

#include <array>

namespace parvo {

namespace {

constexpr RegRoot HKCU = RegRoot::CurrentUser;

struct OptionInfo {
    const char* name;
    quint32 defaultValue;
};

constexpr std::array<OptionInfo, OptionCount> kOptions = {{
    {"Stay", 0},
    {"Hide", 0},
    {"Tray", 1},
    {"Layout", 1},
    {"ClickLayout", 5},
    {"FontSized", 1},
    {"FontSizeInc", 2},
    {"FontDisksBold", 1},
    {"Explorer", 1},
    {"Button_favs", 1},
    {"Button_email", 1},
    {"Button_winfolders", 1},
    {"Button_efolders", 1},
    {"Button_internet", 1},
    {"Button_slinks", 1},
    {"Button_search", 1},
    {"Drives_subfolders", 1},
    {"Drives_files", 1},
    {"Drives_hidden", 0},
    {"Drives_fullimages", 0},
}};

QString Q(const char* s) { return QString::fromLatin1(s); }

// A value stored with another type than the one expected is read as well as it can be:
// a number written as text still counts, anything else reads as 0. The store never
// throws a damaged setting at the user.
quint32 ReadDword(const Registry& reg, const char* key, const char* name)
{
    const auto v = reg.value(HKCU, Q(key), Q(name));
    if (!v)
        return 0;
    if (v->type == RegType::Dword)
        return v->dword;
    bool ok = false;
    const quint32 n = v->text.trimmed().toUInt(&ok);
    return ok ? n : 0;
}

int ReadInt(const Registry& reg, const char* key, const char* name)
{
    return static_cast<qint32>(ReadDword(reg, key, name));
}

QString ReadText(const Registry& reg, const char* key, const char* name)
{
    const auto v = reg.value(HKCU, Q(key), Q(name));
    if (!v)
        return {};
    return v->type == RegType::Dword ? QString::number(v->dword) : v->text;
}

bool WriteDword(Registry& reg, const char* key, const char* name, quint32 value)
{
    return reg.setValue(HKCU, Q(key), Q(name), RegValue::fromDword(value));
}

void WriteInt(Registry& reg, const char* key, const char* name, int value)
{
    WriteDword(reg, key, name, static_cast<quint32>(value));
}

void EnsureDword(Registry& reg, const char* key, const char* name, quint32 value)
{
    if (!reg.value(HKCU, Q(key), Q(name)))
        WriteDword(reg, key, name, value);
}

bool ReadFlag(const Registry& reg, const char* key, const char* name)
{
    return ReadDword(reg, key, name) != 0;
}

bool OptionFlag(const Registry& reg, Option which)
{
    return ReadFlag(reg, keys::Options, OptionName(which));
}

} // namespace

const char* OptionName(Option which) { return kOptions[static_cast<size_t>(which)].name; }

quint32 OptionDefault(Option which) { return kOptions[static_cast<size_t>(which)].defaultValue; }

void EnsureBarDefaults(Registry& reg)
{
    RegistryUpdate batch(reg);
    reg.createKey(HKCU, Q(keys::Program));
    EnsureDword(reg, keys::Program, "Lewa", 0);
    EnsureDword(reg, keys::Program, "Gora", 40);
    EnsureDword(reg, keys::Program, "Szer", 500);
    EnsureDword(reg, keys::Program, "Floating", 0);
    if (!reg.value(HKCU, Q(keys::Program), QStringLiteral("Except_drive")))
        reg.setValue(HKCU, Q(keys::Program), QStringLiteral("Except_drive"), RegValue::fromText({}));
    EnsureDword(reg, keys::Program, "FirstLoad", 1);
}

void LoadBarSettings(Registry& reg, BarSettings& bar)
{
    bar.FloatLeft = ReadInt(reg, keys::Program, "Lewa");
    bar.FloatTop = ReadInt(reg, keys::Program, "Gora");
    bar.BarWidth = ReadInt(reg, keys::Program, "Szer");

    // An unknown code keeps the edge the bar already has.
    if (const auto edge = EdgeFromFloating(ReadDword(reg, keys::Program, "Floating")))
        bar.Edge = *edge;

    // Older versions stored drive roots ("c:\") instead of bare letters.
    bar.ExceptDrives = ReadText(reg, keys::Program, "Except_drive").remove(QStringLiteral(":\\"));
}

bool FirstLoadPending(const Registry& reg)
{
    return ReadFlag(reg, keys::Program, "FirstLoad");
}

void RunFirstLoad(Registry& reg, const FirstRunEnvironment& env)
{
    RunFirstSetup(env);
    WriteDword(reg, keys::Program, "FirstLoad", 0);
}

void SaveBarPlacement(Registry& reg, const BarSettings& bar)
{
    RegistryUpdate batch(reg);
    WriteInt(reg, keys::Program, "Szer", bar.FloatRight - bar.FloatLeft);
    switch (bar.Edge) {
    case abeLeft: WriteDword(reg, keys::Program, "Floating", 1); break;
    case abeTop: WriteDword(reg, keys::Program, "Floating", 2); break;
    case abeRight: WriteDword(reg, keys::Program, "Floating", 3); break;
    case abeBottom: WriteDword(reg, keys::Program, "Floating", 4); break;
    case abeFloat:
        WriteDword(reg, keys::Program, "Floating", 0);
        WriteInt(reg, keys::Program, "Lewa", bar.FloatLeft);
        WriteInt(reg, keys::Program, "Gora", bar.FloatTop);
        break;
    case abeUnknown: break;
    }
    SaveExcludedDrives(reg, bar);
}

void SaveExcludedDrives(Registry& reg, const BarSettings& bar)
{
    reg.setValue(HKCU, Q(keys::Program), QStringLiteral("Except_drive"), RegValue::fromText(bar.ExceptDrives));
}

void ToggleExcludedDrive(Registry& reg, BarSettings& bar, QChar letter, bool exclude)
{
    const QChar lower = letter.toLower();
    if (exclude) {
        bar.ExceptDrives += lower;
    } else {
        const qsizetype at = bar.ExceptDrives.indexOf(lower);
        if (at >= 0)
            bar.ExceptDrives.remove(at, 1);
    }
    SaveExcludedDrives(reg, bar);
}

void EnsureOptionDefaults(Registry& reg)
{
    RegistryUpdate batch(reg);
    reg.createKey(HKCU, Q(keys::Options));
    for (const OptionInfo& o : kOptions)
        EnsureDword(reg, keys::Options, o.name, o.defaultValue);
}

void LoadOptions(Registry& reg, BarSettings& bar)
{
    bar.AutoHide = OptionFlag(reg, Option::Hide);
    bar.AlwaysOnTop = OptionFlag(reg, Option::Stay);
    bar.TrayIconVisible = OptionFlag(reg, Option::Tray);

    // Out-of-range faces fall back to the defaults so that every drive button can still
    // be drawn; the stored value is left as it is.
    const quint32 layout = ReadOption(reg, Option::Layout);
    bar.Layout = layout >= 1 && layout <= 3 ? int(layout) : 1;
    const quint32 click = ReadOption(reg, Option::ClickLayout);
    bar.ClickLayout = click >= 4 && click <= 6 ? int(click) : 5;

    bar.DriveFontBold = OptionFlag(reg, Option::FontDisksBold);
    bar.DriveFontSize = 8;
    if (OptionFlag(reg, Option::FontSized)) {
        const quint32 inc = ReadOption(reg, Option::FontSizeInc);
        bar.DriveFontSize += inc == 4 ? 4 : 2;
    }

    bar.Button_favs = OptionFlag(reg, Option::Button_favs);
    bar.Button_email = OptionFlag(reg, Option::Button_email);
    bar.Button_winfolders = OptionFlag(reg, Option::Button_winfolders);
    bar.Button_efolders = OptionFlag(reg, Option::Button_efolders);
    bar.Button_slinks = OptionFlag(reg, Option::Button_slinks);
    bar.Button_search = OptionFlag(reg, Option::Button_search);

    const quint32 explorer = ReadOption(reg, Option::Explorer);
    bar.Explorer = explorer == 2 ? 2 : 1;
    bar.Drives_subfolders = OptionFlag(reg, Option::Drives_subfolders);
    bar.Drives_files = OptionFlag(reg, Option::Drives_files);
    bar.Drives_hidden = OptionFlag(reg, Option::Drives_hidden);
    bar.Drives_fullimages = OptionFlag(reg, Option::Drives_fullimages);
}

bool WriteOption(Registry& reg, Option which, quint32 value)
{
    return WriteDword(reg, keys::Options, OptionName(which), value);
}

quint32 ReadOption(Registry& reg, Option which)
{
    return ReadDword(reg, keys::Options, OptionName(which));
}

bool SetAutostart(Registry& reg, bool on, const QString& executablePath)
{
    if (on)
        return reg.setValue(HKCU, Q(keys::Run), Q(keys::AutostartValue), RegValue::fromText(executablePath));
    return reg.deleteValue(HKCU, Q(keys::Run), Q(keys::AutostartValue));
}

bool IsAutostartOn(const Registry& reg)
{
    return reg.value(HKCU, Q(keys::Run), Q(keys::AutostartValue)).has_value();
}

void EnsurePvfolderDefaults(Registry& reg)
{
    RegistryUpdate batch(reg);
    reg.createKey(HKCU, Q(keys::Pvfolder));
    EnsureDword(reg, keys::Pvfolder, "Lewa", 100);
    EnsureDword(reg, keys::Pvfolder, "Gora", 100);
    EnsureDword(reg, keys::Pvfolder, "Szer", 400);
    EnsureDword(reg, keys::Pvfolder, "Wys", 300);
    EnsureDword(reg, keys::Pvfolder, "Max", 0);
    EnsureDword(reg, keys::Pvfolder, "View", 0);
    EnsureDword(reg, keys::Pvfolder, "Kol1", 150);
    EnsureDword(reg, keys::Pvfolder, "Kol2", 230);
}

void LoadPvfolderPlacement(Registry& reg, PvfolderPlacement& p)
{
    p.Left = ReadInt(reg, keys::Pvfolder, "Lewa");
    p.Top = ReadInt(reg, keys::Pvfolder, "Gora");
    p.Width = ReadInt(reg, keys::Pvfolder, "Szer");
    p.Height = ReadInt(reg, keys::Pvfolder, "Wys");
    p.Maximised = ReadFlag(reg, keys::Pvfolder, "Max");
    if (!p.Maximised)
        p.Tag = 1;
    const quint32 view = ReadDword(reg, keys::Pvfolder, "View");
    if (view <= 3)
        p.View = int(view);
    p.Kol1 = ReadInt(reg, keys::Pvfolder, "Kol1");
    p.Kol2 = ReadInt(reg, keys::Pvfolder, "Kol2");
}

void SavePvfolderPlacement(Registry& reg, const PvfolderPlacement& p)
{
    RegistryUpdate batch(reg);
    if (p.Maximised) {
        WriteDword(reg, keys::Pvfolder, "Max", 1);
    } else {
        WriteDword(reg, keys::Pvfolder, "Max", 0);
        WriteInt(reg, keys::Pvfolder, "Lewa", p.Left);
        WriteInt(reg, keys::Pvfolder, "Gora", p.Top);
        WriteInt(reg, keys::Pvfolder, "Szer", p.Width);
        WriteInt(reg, keys::Pvfolder, "Wys", p.Height);
    }
    WriteInt(reg, keys::Pvfolder, "View", p.View);
    WriteInt(reg, keys::Pvfolder, "Kol1", p.Kol1);
    WriteInt(reg, keys::Pvfolder, "Kol2", p.Kol2);
}

} // namespace parvo
