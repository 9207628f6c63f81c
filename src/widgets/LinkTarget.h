#pragma once
// What a link label opens for the text it shows: the text itself when it names a scheme
// ("http:", "mailto:" …), an e-mail address as "mailto:", anything else as a web address.

#include <QString>

namespace parvo {

QString LinkTarget(const QString& caption);

} // namespace parvo
