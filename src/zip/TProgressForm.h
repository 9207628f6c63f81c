#pragma once
// The zip wrapper's small progress window: the file being worked on, a progress bar and
// a Cancel button, over the bar, on top of other windows.

#include "zip/TZip.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace parvo {

class TProgressForm : public QDialog, public ZipProgressView {
    Q_OBJECT
public:
    // `cancel` runs when the user presses Cancel (the window then hides itself).
    TProgressForm(QWidget* owner, const QString& title, std::function<void()> cancel);
    static std::unique_ptr<ZipProgressView> Create(QWidget* owner, const QString& title, std::function<void()> cancel);

    void Show() override;
    void Hide() override;
    void SetFileName(const QString& name) override;
    void SetMaximum(qint64 total) override;
    void SetPosition(qint64 done) override;

    QLabel* Label() const { return label_; }
    QProgressBar* Bar() const { return bar_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    void reject() override;

private:
    void CentreHorizontally(QWidget* w);

    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    std::function<void()> onCancel_;
    // The bar's range is an int: large totals are shown in coarser steps.
    int shift_ = 0;
};

} // namespace parvo
