#pragma once
// Files of the program folder: the folder of the running executable, as on a portable
// install. Branding data, the help file and a stale helper program live there.

#include <QString>

namespace parvo {

// The folder of the running executable, with a trailing "/".
QString ProgramFolder();

// Where the user's lists ("data/") and program shortcuts ("links/") live, with a trailing
// "/": beside the program when the program folder is writable (a portable copy, the
// build's program folder), else "parvo/" in `dataHome` (the user's data folder, as for a
// system install under /usr or /opt). Decided once at start: the answer must not change
// while the bar runs.
QString ListsFolder(const QString& programFolder, const QString& dataHome);

// A sub-folder of the program folder, with a trailing "/".
QString ProgramSubfolder(const QString& programFolder, const QString& name);

// Full path of the program-folder file with the given index, or empty for an index that
// names no file: 0..6 the branding files "data1.mke".."data7.mke", 10 "pvfolder.exe",
// 20 "parvo.chm".
QString DataFilePath(int index, const QString& programFolder = ProgramFolder());

} // namespace parvo
