#pragma once
// The texts of the add/edit dialog for each of its uses, chosen by `AddDlgMode`: adding
// or editing a web link (0, 3), an e-mail address (2, 5) or a favourite folder (6, 7).

#include <QString>

#include <optional>

namespace parvo {

namespace addmode {
inline constexpr int AddWebLink = 0;
inline constexpr int AddEmail = 2;
inline constexpr int EditWebLink = 3;
inline constexpr int EditEmail = 5;
inline constexpr int AddPvfolder = 6;
inline constexpr int EditPvfolder = 7;
} // namespace addmode

struct AddDlgTexts {
    QString caption; // the use, then " [ " + the title + " ]"
    QString label1;  // what the name field holds
    QString label2;  // what the target field holds
    QString note;    // "Nota:", a line break, the note
};

// The texts of mode `mode`; nothing for a mode the dialog does not know, which leaves
// caption, labels and note as they were.
std::optional<AddDlgTexts> AddDlgTextsFor(int mode, const QString& displayTitle);

} // namespace parvo
