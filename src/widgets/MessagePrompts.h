#pragma once
// The real questions and messages: modal message boxes whose caption is the bar's title.

#include "platform/Prompts.h"

#include <QString>

class QWidget;

namespace parvo {

class MessagePrompts : public Prompts {
public:
    void setCaption(const QString& caption) { caption_ = caption; }
    const QString& caption() const { return caption_; }

    void message(const QString& text) override;
    void error(const QString& text) override;
    PromptAnswer askYesNo(const QString& text) override;
    PromptAnswer askRetryCancel(const QString& text) override;
    PromptAnswer askOkCancel(const QString& text) override;
    void beep() override;
    void about(const QString& caption, const QString& text) override;
    std::optional<QString> askText(const QString& prompt, const QString& initial) override;
    PromptAnswer ask(const QString& text, PromptButtons buttons, PromptIcon icon, int defaultButton = 1) override;

private:
    QString caption_;
};

} // namespace parvo
