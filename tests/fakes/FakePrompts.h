#pragma once
// Scripted answers to the program's questions, and a record of what was shown.

#include "platform/Prompts.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <optional>

namespace parvo {

class FakePrompts : public Prompts {
public:
    void message(const QString& text) override { shown.append(text); }
    void error(const QString& text) override { shown.append(text); }
    PromptAnswer askYesNo(const QString& text) override { return next(text, PromptAnswer::No); }
    PromptAnswer askRetryCancel(const QString& text) override { return next(text, PromptAnswer::Cancel); }
    PromptAnswer askOkCancel(const QString& text) override { return next(text, PromptAnswer::Cancel); }
    void beep() override { ++beeps; }

    void about(const QString& caption, const QString& text) override { shown.append(caption + QLatin1Char('|') + text); }
    std::optional<QString> askText(const QString& prompt, const QString&) override
    {
        shown.append(prompt);
        if (texts.empty())
            return std::nullopt;
        const std::optional<QString> t = texts.front();
        texts.pop_front();
        return t;
    }

    PromptAnswer ask(const QString& text, PromptButtons buttons, PromptIcon icon, int defaultButton) override
    {
        boxes.append({buttons, icon, defaultButton});
        const PromptAnswer fallback = buttons == PromptButtons::Ok ? PromptAnswer::Ok
                                    : buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel
                                                                         : PromptAnswer::No;
        return next(text, fallback);
    }

    struct Box {
        PromptButtons buttons;
        PromptIcon icon;
        int defaultButton;
        bool operator==(const Box&) const = default;
    };
    QList<Box> boxes; // the kind of each box shown through ask()
    QStringList shown;
    int beeps = 0;
    std::deque<PromptAnswer> answers;
    std::deque<std::optional<QString>> texts; // answers to askText; empty means cancel

private:
    PromptAnswer next(const QString& text, PromptAnswer fallback)
    {
        shown.append(text);
        if (answers.empty())
            return fallback;
        const PromptAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace parvo
