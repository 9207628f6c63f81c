#include "widgets/MessagePrompts.h"

#include <QApplication>
#include <QInputDialog>
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
        QMessageBox::critical(Parent(), caption_, text, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
    return answer == QMessageBox::Retry ? PromptAnswer::Retry : PromptAnswer::Cancel;
}

PromptAnswer MessagePrompts::askOkCancel(const QString& text)
{
    const auto answer =
        QMessageBox::critical(Parent(), caption_, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    return answer == QMessageBox::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

void MessagePrompts::beep()
{
    QApplication::beep();
}

void MessagePrompts::about(const QString& caption, const QString& text)
{
    // Its lines are separated by carriage returns alone, which a Qt label does not break on.
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::Question, caption, shown, QMessageBox::Ok, Parent());
    box.exec();
}

std::optional<QString> MessagePrompts::askText(const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(Parent(), caption_, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

PromptAnswer MessagePrompts::ask(const QString& text, PromptButtons buttons, PromptIcon icon, int defaultButton)
{
    QList<QMessageBox::StandardButton> order;
    switch (buttons) {
    case PromptButtons::Ok: order = {QMessageBox::Ok}; break;
    case PromptButtons::OkCancel: order = {QMessageBox::Ok, QMessageBox::Cancel}; break;
    case PromptButtons::YesNo: order = {QMessageBox::Yes, QMessageBox::No}; break;
    case PromptButtons::YesNoCancel: order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    }
    QMessageBox::Icon shown = QMessageBox::NoIcon;
    switch (icon) {
    case PromptIcon::None: break;
    case PromptIcon::Information: shown = QMessageBox::Information; break;
    case PromptIcon::Question: shown = QMessageBox::Question; break;
    case PromptIcon::Error: shown = QMessageBox::Critical; break;
    }
    QMessageBox::StandardButtons set;
    for (QMessageBox::StandardButton b : order)
        set |= b;
    QMessageBox box(shown, caption_, text, set, Parent());
    box.setDefaultButton(order.value(defaultButton - 1, order.front()));
    // The window's close button answers with the last button: Cancel, or No.
    box.setEscapeButton(order.back());
    switch (box.exec()) {
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Ok: return PromptAnswer::Ok;
    default: return PromptAnswer::Cancel;
    }
}

} // namespace parvo
