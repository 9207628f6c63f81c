#pragma once
// Scripted answers to the program's questions, and a record of what was shown.

#include "platform/Prompts.h"

#include <QStringList>
#include <deque>

namespace parvo {

class FakePrompts : public Prompts {
public:
    void message(const QString& text) override { shown.append(text); }
    void error(const QString& text) override { shown.append(text); }
    PromptAnswer askYesNo(const QString& text) override { return next(text, PromptAnswer::No); }
    PromptAnswer askRetryCancel(const QString& text) override { return next(text, PromptAnswer::Cancel); }

    QStringList shown;
    std::deque<PromptAnswer> answers;

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
