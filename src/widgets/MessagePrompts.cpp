#include "widgets/MessagePrompts.h"

#include <QApplication>
#include <QMessageBox>

namespace parvo {

namespace {

QWidget* Parent()
{
    QWidget* w = QApplication::activeWindow();
    return w ? w : nullptr;
}

} // namespace

void MessagePrompts::message(const QString& text)
{
    QMessageBox::information(Parent(), caption_, text);
}

void MessagePrompts::error(const QString& text)
{
    QMessageBox::critical(Parent(), caption_, text);
}

PromptAnswer MessagePrompts::askYesNo(const QString& text)
{
    const auto answer = QMessageBox::question(Parent(), caption_, text, QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}

PromptAnswer MessagePrompts::askRetryCancel(const QString& text)
{
    const auto answer =
        QMessageBox::warning(Parent(), caption_, text, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
    return answer == QMessageBox::Retry ? PromptAnswer::Retry : PromptAnswer::Cancel;
}

} // namespace parvo
