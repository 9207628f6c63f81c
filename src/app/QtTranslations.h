#pragma once
// Qt's own texts (the buttons of message boxes and dialogs: "Retry", "Cancel", "Yes" …)
// in Italian, beside the program's own Italian texts.

class QCoreApplication;

namespace parvo {

// Loads Qt's Italian translations from where Qt keeps them and installs them in `app`.
// False when they are not installed: Qt's texts then stay English.
bool InstallQtTranslations(QCoreApplication& app);

} // namespace parvo
