#pragma once
// The registry keys and value names the program owns or reads.

namespace parvo::keys {

inline constexpr char Program[] = "SOFTWARE\\Tessaline\\Parvo";
inline constexpr char Options[] = "SOFTWARE\\Tessaline\\Parvo\\Options";
inline constexpr char Pvfolder[] = "SOFTWARE\\Tessaline\\Parvo\\Pvfolder";
inline constexpr char HistoryLinks[] = "\\HistoryLinks";
inline constexpr char SearchKeywords[] = "\\SearchKeywords";
inline constexpr char CUEHistoria[] = "\\CUEHistoria";

inline constexpr char Run[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char AutostartValue[] = "Tessaline Parvo";

inline constexpr char ShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char TypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
inline constexpr char HttpShell[] = "http\\shell";

} // namespace parvo::keys
