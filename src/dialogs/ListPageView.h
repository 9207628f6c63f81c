#pragma once
// A list page of the options dialog on screen: its title, the list view with the up and
// down arrows at its right, the buttons under it and its note. Every button and drop
// hands its work to the page's ListPage and shows the rows it leaves.

#include "dialogs/ListPage.h"

#include <QWidget>
#include <climits>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace parvo {

class EditorRowsModel;
class ImageStrip;
class ListEditorView;
class Prompts;

// What a list page asks the user. The program fills these with its dialogs; tests
// answer for the user.
struct ListPageQuestions {
    // The add/edit dialog in `mode` (0 add web page, 3 edit web page, 2 add e-mail
    // address, 5 edit e-mail address) starting from `start`; nothing when cancelled.
    std::function<std::optional<EditorRow>(int mode, const EditorRow& start)> editEntry;
    // The program or document to put on the bar; empty when cancelled.
    std::function<QString()> chooseProgram;
    // The rows of the e-mail import wizard; nothing when cancelled.
    std::function<std::optional<QList<EditorRow>>()> importAddresses;
    // The rename box of the program page.
    Prompts* prompts = nullptr;
};

class ListPageView : public QWidget {
    Q_OBJECT
public:
    // `page` is read and changed by this view only; its rows are shown as they are now.
    ListPageView(ListPage& page, ListPageQuestions questions, const ImageStrip& pictures, QWidget* parent);

    // Places the controls in the view's width.
    void LayOut();
    // Reads the list, once, and shows its rows: when the page first shows, or when the
    // user acts on it before.
    void EnsureLoaded();
    // The page's add: a program chosen in a file dialog, or a new entry in the add dialog.
    void AddClick();
    void EditClick();   // web links and e-mail addresses
    void RenameClick(); // programs
    void DeleteClick();
    void UpClick();
    void DownClick();
    void ImportClick(); // e-mail addresses

    ListEditorView* view() const { return view_; }
    // The link label's place under the note (web links only).
    QRect linkPlace() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The rows changed, those from `first` to `last` when their number stayed the same;
    // `select` is the row to select, none to keep the selection.
    void Changed(std::optional<int> select, int first = 0, int last = INT_MAX);
    void RowDropped(int dragged, int onto);
    void FilesDropped(const QStringList& paths);
    void AddButton(int textId, int pictureCell, const ImageStrip& pictures, void (ListPageView::*click)());

    ListPage& page_;
    ListPageQuestions ask_;
    EditorRowsModel* model_ = nullptr;
    ListEditorView* view_ = nullptr;
    QList<QPushButton*> buttons_; // the two arrows, then the buttons under the list
    QLabel* title_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace parvo
