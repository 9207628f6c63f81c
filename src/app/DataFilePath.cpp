#include "app/DataFilePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace parvo {

QString ProgramFolder()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString ListsFolder(const QString& programFolder, const QString& dataHome)
{
    QString folder = programFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    // The effective user's rights, as the writes will have them.
    if (faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0)
        return folder;
    return ProgramSubfolder(dataHome, QStringLiteral("parvo"));
}

QString ProgramSubfolder(const QString& programFolder, const QString& name)
{
    QString folder = programFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + name + QLatin1Char('/');
}

QString DataFilePath(int index, const QString& programFolder)
{
    const char* name = nullptr;
    switch (index) {
    case 0: name = "data1.mke"; break;
    case 1: name = "data2.mke"; break;
    case 2: name = "data3.mke"; break;
    case 3: name = "data4.mke"; break;
    case 4: name = "data5.mke"; break;
    case 5: name = "data6.mke"; break;
    case 6: name = "data7.mke"; break;
    case 10: name = "pvfolder.exe"; break;
    case 20: name = "parvo.chm"; break;
    default: return {};
    }
    QString folder = programFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QLatin1String(name);
}

} // namespace parvo
