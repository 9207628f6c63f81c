#pragma once
// Modal questions and messages. Logic asks through this interface so that tests can
// answer with scripted replies; the real one shows message boxes with the bar's title.

#include <QString>
#include <optional>

namespace parvo {

enum class PromptAnswer { Yes, No, Ok, Cancel, Retry };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Information, Question, Error };

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
    // A box with the buttons and the icon given; `defaultButton` counts the buttons from 1.
    // The fallback maps it onto the boxes above.
    virtual PromptAnswer ask(const QString& text, PromptButtons buttons, PromptIcon, int defaultButton = 1)
    {
        (void)defaultButton;
        switch (buttons) {
        case PromptButtons::Ok:
            message(text);
            return PromptAnswer::Ok;
        case PromptButtons::OkCancel:
            return askRetryCancel(text) == PromptAnswer::Retry ? PromptAnswer::Ok : PromptAnswer::Cancel;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel:
            break;
        }
        return askYesNo(text);
    }
};

} // namespace parvo
