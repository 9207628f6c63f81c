#pragma once
// Modal questions and messages. Logic asks through this interface so that tests can
// answer with scripted replies; the real one shows message boxes with the bar's title.

#include <QString>
#include <optional>

namespace parvo {

enum class PromptAnswer { Yes, No, Ok, Cancel, Retry };

class Prompts {
public:
    virtual ~Prompts() = default;
    // A plain message with an OK button.
    virtual void message(const QString& text) = 0;
    // An error message (same box, error icon).
    virtual void error(const QString& text) = 0;
    virtual PromptAnswer askYesNo(const QString& text) = 0;
    virtual PromptAnswer askRetryCancel(const QString& text) = 0;
    // An error message with OK and Cancel.
    virtual PromptAnswer askOkCancel(const QString& text) = 0;
    // The short warning sound.
    virtual void beep() = 0;
    // The about box: its own caption, a question-mark icon and an OK button.
    virtual void about(const QString& caption, const QString& text) = 0;
    // One line of text, starting from `initial`; nothing when the user cancels.
    virtual std::optional<QString> askText(const QString& prompt, const QString& initial) = 0;
};

} // namespace parvo
