#pragma once
// File names as the file system holds them. Linux names are bytes; most are UTF-8, but a
// stick or a share written elsewhere may hold names that are not ("caf\xE9"). The menus
// keep such a name as text that still carries its bytes: each byte that is no part of
// valid UTF-8 stands as the code unit U+DC80 + byte (a lone low surrogate, which valid
// UTF-8 never yields), so that turning the text back gives the very same bytes. Such
// paths must reach the system through EncodeFileName, never through Qt's own file-name
// conversion, which would replace the stray bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace parvo {

// Bytes of a name or path → text, stray bytes kept as above.
QString DecodeFileName(QByteArrayView bytes);
// Text → the bytes it came from; ordinary text → its UTF-8.
QByteArray EncodeFileName(QStringView text);
// The text to show: every kept stray byte as the replacement character U+FFFD.
QString DisplayFileName(QStringView text);

// Whether the path is a folder (a link to one counts). Touches the disk: never on the
// interface thread for a path that may lie on a slow or hung mount.
bool IsFolderPath(const QString& path);

} // namespace parvo
