#include "zip/TProgressForm.h"

#include "app/StringTable.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace parvo {

namespace {
constexpr int ClientWidth = 300;
constexpr int ClientHeight = 100;
constexpr int LabelWidth = 280;
} // namespace

TProgressForm::TProgressForm(QWidget* owner, const QString& title, std::function<void()> cancel)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , onCancel_(std::move(cancel))
{
    setWindowTitle(title);
    // While an engine works nothing else of the program may start another.
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(ClientWidth, ClientHeight);
    label_ = new QLabel(Str(65306), this);
    label_->setGeometry(0, 15, LabelWidth, label_->sizeHint().height());
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    bar_->setGeometry(0, 35, LabelWidth, 16);
    cancel_ = new QPushButton(Str(65307), this);
    cancel_->setDefault(true);
    cancel_->resize(75, 25);
    cancel_->move((ClientWidth - cancel_->width()) / 2, 60);
    CentreHorizontally(label_);
    CentreHorizontally(bar_);
    connect(cancel_, &QPushButton::clicked, this, &TProgressForm::reject);
    if (owner) {
        const QRect over = owner->window()->frameGeometry();
        move(over.center() - QPoint(ClientWidth / 2, ClientHeight / 2));
    }
}

std::unique_ptr<ZipProgressView> TProgressForm::Create(QWidget* owner, const QString& title, std::function<void()> cancel)
{
    return std::make_unique<TProgressForm>(owner, title, std::move(cancel));
}

void TProgressForm::CentreHorizontally(QWidget* w)
{
    w->move((ClientWidth - w->width()) / 2, w->y());
}

void TProgressForm::Show()
{
    show();
    raise();
}

void TProgressForm::Hide()
{
    hide();
}

void TProgressForm::SetFileName(const QString& name)
{
    const QFontMetrics fm(label_->font());
    const QString shown = fm.elidedText(name, Qt::ElideMiddle, LabelWidth);
    label_->setText(shown);
    label_->resize(fm.horizontalAdvance(shown) + 1, label_->height());
    CentreHorizontally(label_);
}

void TProgressForm::SetMaximum(qint64 total)
{
    shift_ = 0;
    while ((total >> shift_) > std::numeric_limits<int>::max())
        ++shift_;
    bar_->setRange(0, int(total >> shift_));
    bar_->setValue(0);
}

void TProgressForm::SetPosition(qint64 done)
{
    bar_->setValue(int(std::min<qint64>(done >> shift_, bar_->maximum())));
}

void TProgressForm::reject()
{
    hide();
    if (onCancel_)
        onCancel_();
}

} // namespace parvo
