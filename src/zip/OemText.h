#pragma once
// Names and comments of archives made on MS-DOS and Windows hosts are stored in the OEM
// code page of the machine that made them; the one the zip format names is code page 437.

#include <QByteArray>
#include <QString>

namespace parvo {

QString FromOemText(const QByteArray& bytes);
// Characters code page 437 does not have become "?".
QByteArray ToOemText(const QString& text);

} // namespace parvo
