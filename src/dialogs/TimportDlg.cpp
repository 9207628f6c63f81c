#include "dialogs/TimportDlg.h"

#include "app/StringTable.h"
#include "dialogs/EditorRowsModel.h"
#include "dialogs/OpenFileDialog.h"
#include "platform/Prompts.h"
#include "widgets/DialogFont.h"
#include "widgets/GradientTitle.h"
#include "widgets/TLinkLabel.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeView>

namespace parvo {

TimportDlg::TimportDlg(ImportDialogServices services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , services_(std::move(services))
{
    setWindowTitle(Str(200) + QStringLiteral(" [ ") + services_.DisplayTitle + QStringLiteral(" ]"));
    setFixedSize(392, 273);
    UseDialogFont(this);

    Title = new GradientTitle(this);
    Title->setGeometry(8, 8, 376, 26);

    Pages = new QStackedWidget(this);
    Pages->setGeometry(8, 40, 376, 170);

    auto* s0 = new QWidget;
    (new QLabel(Str(202), s0))->setGeometry(0, 4, 376, 18);
    Edit1 = new QLineEdit(s0);
    Edit1->setGeometry(0, 24, 290, 26);
    BrowseBtn = new QPushButton(Str(141), s0);
    BrowseBtn->setGeometry(296, 24, 80, 26);
    BrowseBtn->setAutoDefault(false);
    connect(BrowseBtn, &QPushButton::clicked, this, &TimportDlg::BrowseClick);
    auto* note = new QLabel(Str(500) + QLatin1Char('\n') + Str(511), s0);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setGeometry(0, 62, 376, 100);
    Pages->addWidget(s0);

    auto* s1 = new QWidget;
    (new QLabel(Str(203), s1))->setGeometry(0, 0, 376, 18);
    model_ = new EditorRowsModel(result_.rows, {Str(205), Str(206)}, this);
    ImportList = new QTreeView(s1);
    ImportList->setModel(model_);
    ImportList->setGeometry(0, 20, 376, 106);
    ImportList->setRootIsDecorated(false);
    ImportList->setUniformRowHeights(true);
    ImportList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ImportList->setSelectionMode(QAbstractItemView::NoSelection);
    ImportList->header()->setSectionsClickable(false);
    ImportList->setColumnWidth(0, 163);
    ImportList->setColumnWidth(1, 162);
    QPalette grey = ImportList->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window));
    ImportList->setPalette(grey);
    auto* finish = new QLabel(Str(204), s1);
    finish->setWordWrap(true);
    finish->setGeometry(0, 128, 376, 18);
    Skipped = new QLabel(s1);
    Skipped->setWordWrap(true);
    Skipped->setGeometry(0, 146, 376, 24);
    Pages->addWidget(s1);

    auto* link = new TLinkLabel(this);
    link->setText(services_.WebAddress);
    link->setShell(&services_.shell);
    link->setGeometry(8, 214, 376, 18);

    BackBtn = new QPushButton(Str(45), this);
    BackBtn->setGeometry(140, 240, 80, 26);
    BackBtn->setAutoDefault(false);
    connect(BackBtn, &QPushButton::clicked, this, &TimportDlg::BackBtnClick);
    OKBtn = new QPushButton(this);
    OKBtn->setGeometry(226, 240, 80, 26);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TimportDlg::OKBtnClick);
    CancelBtn = new QPushButton(Str(140), this);
    CancelBtn->setGeometry(312, 240, 72, 26);
    CancelBtn->setAutoDefault(false);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    ShowStep1();
}

TimportDlg::~TimportDlg()
{
    StopReading();
}

void TimportDlg::ShowStep1()
{
    step2_ = false;
    Pages->setCurrentIndex(0);
    BackBtn->setEnabled(false);
    Title->setText(Str(43));
    OKBtn->setText(Str(46));
    OKBtn->setEnabled(true);
}

void TimportDlg::ShowStep2()
{
    step2_ = true;
    Pages->setCurrentIndex(1);
    BackBtn->setEnabled(true);
    Title->setText(Str(44));
    OKBtn->setText(Str(47));
    OKBtn->setEnabled(true);
}

void TimportDlg::BackBtnClick()
{
    ShowStep1();
}

void TimportDlg::BrowseClick()
{
    const QString file = services_.chooseFile ? services_.chooseFile() : ChooseFileToOpen(this, Str(201), Str(142));
    if (!file.isEmpty())
        Edit1->setText(file);
}

void TimportDlg::OKBtnClick()
{
    if (step2_) {
        accept();
        return;
    }
    const QString path = Edit1->text();
    if (!IsImportFile(path)) {
        services_.prompts.message(Str(48));
        return;
    }
    StartReading(path);
}

void TimportDlg::StartReading(const QString& path)
{
    StopReading();
    // A file chosen by mistake may be large: it is read off the window's thread, and the
    // wizard stays responsive (cancel still works) until it is done.
    OKBtn->setEnabled(false);
    Title->setText(Str(284));
    cancel_ = false;
    reader_ = std::thread([this, path] {
        ImportResult result = ReadImportFile(path, &cancel_);
        QMetaObject::invokeMethod(this, [this, r = std::move(result)]() mutable { ReadingDone(std::move(r)); },
                                  Qt::QueuedConnection);
    });
}

void TimportDlg::StopReading()
{
    cancel_ = true;
    if (reader_.joinable())
        reader_.join();
}

void TimportDlg::ReadingDone(ImportResult result)
{
    StopReading();
    result_ = std::move(result);
    model_->reset();
    QStringList skipped;
    if (result_.unreadBytes > 0)
        skipped.append(Str(282).replace(QStringLiteral("%d"), QString::number(kImportReadLimit / (1024 * 1024))));
    if (result_.skippedLines > 0)
        skipped.append(Str(283).replace(QStringLiteral("%d"), QString::number(result_.skippedLines)));
    Skipped->setText(skipped.join(QLatin1Char(' ')));
    ShowStep2();
    emit fileRead();
}

std::optional<QList<EditorRow>> ImportAddresses(ImportDialogServices services, QWidget* parent)
{
    TimportDlg wizard(std::move(services), parent);
    wizard.Edit1->clear();
    if (wizard.exec() != QDialog::Accepted)
        return std::nullopt;
    return wizard.Rows();
}

} // namespace parvo
