#pragma once
// Text that may come from Windows: lists, shortcut files and settings written by the
// program's Windows versions hold single-byte text in the Windows-1252 code page, while
// everything written here is UTF-8.

#include <QByteArrayView>
#include <QString>

namespace parvo {

// Bytes → text: valid UTF-8 as UTF-8 (a leading byte-order mark dropped), anything else
// as Windows-1252, so "€", "’" and "“ ”" stay what they were on Windows.
QString DecodeWindowsText(QByteArrayView bytes);

} // namespace parvo
