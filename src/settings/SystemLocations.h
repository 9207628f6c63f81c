#pragma once
// What the program takes from the system rather than owning it: the special folders, the
// default web browser and the addresses the user typed into the web browser.

#include <QString>
#include <QStringList>
#include <functional>

namespace parvo {

class Registry;
class SortedTextList;

// Receives each special folder found, with the picture the Pvfolder window shows it with.
using WindowsFolderSink = std::function<void(const QString& name, const QString& path, int picture)>;

// Rebuilds `winFolderList` from the system's special folders, in their fixed order, as
// list entries: name "|" path ">11" (or ">00" for folders that open no sub-menu).
// Folders the system does not have are left out. `intoWindow` also receives each one.
void LoadWindowsFolders(Registry& reg, QStringList& winFolderList, const WindowsFolderSink& intoWindow = {});

// The path of the Internet favourites folder in a list built by LoadWindowsFolders, or
// empty when the system has none.
QString FavouritesFolder(const Registry& reg);

// The program path of the default web browser, or empty.
QString FindDefaultBrowser(const Registry& reg);
// The browser program named by a command line: the quoted first word, or the text
// before the first quote; of a Windows command (a drive letter in front, or no "/" in
// it) the text up to and including its first ".EXE".
QString BrowserFromCommand(const QString& command);

// Adds the web addresses the user typed into the browser to the completion list.
void LoadTypedUrls(const Registry& reg, SortedTextList& completion);

} // namespace parvo
