#pragma once
// The favourite-folder window: the program's second top-level window, with a taskbar
// entry of its own. It lists the user's favourite folders (editable) or the system's
// special folders (read-only), opens a listed folder, and takes files dropped on a
// listed folder to copy, move, compress or extract them there. Created hidden with the
// bar; closing it only hides it.

#include "bar/TForm1.h"
#include "dialogs/PvfolderList.h"
#include "settings/BarSettings.h"
#include "widgets/ImageStrip.h"

#include <QFrame>
#include <QWidget>

#include <optional>
#include <utility>

namespace parvo {

class PathLabel;
class TDropFileTarget;
class TLinkLabel;
class TListView;
class TPlumBut;

class TPvfolder : public QWidget {
    Q_OBJECT
public:
    TPvfolder(TForm1& form1, const BarServices& services);
    ~TPvfolder() override;

    // Builds the window, hidden, with its stored place and view.
    void FormCreate();
    // Shows the window in its remembered state and selects `view`, reloading it.
    void ShowPvfolderWindow(PvfolderView view);
    // The list's style: 0 large icons, 1 small icons, 2 list, 3 details.
    void SetViewStyle(int style);
    int ViewStyle() const;

    // Appends a row to the list shown.
    void AddItem(const QString& name, const QString& path, int image);
    bool IsListed(const QString& path) const;
    void LoadImageLists();

    // The files of the last drop on the list, for the copy / move dialog.
    TDropFileTarget* DropFileTarget1 = nullptr;
    // The row's folder during a drag over the list, NoTargetMarker over empty space.
    QString DropDestination;

    QFrame* Panel1;
    TPlumBut *btnwin, *btne, *btnview, *btnadd, *btndel, *btned, *btnhelp;
    QFrame *Bevel1, *Bevel2, *Bevel3;
    TListView* List1;
    QWidget* status;
    TPlumBut* btninternet;
    TLinkLabel* url1; // the licensee's web address: a click opens it
    PathLabel* statusText; // status panel 2
    ImageStrip PvFImg;

    // The status panel's text: paths and the outcome of every action.
    QString StatusText() const;
    void SetStatusText(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateChildren();
    void Relayout();
    void FormResize();
    void FormClose();
    void FormDestroy();
    void ApplyPlacement();

    void btnwinClick();
    void btneClick();
    void btnaddClick();
    void btndelClick();
    void btnedClick();
    void btnhelpClick();
    void List1Change();
    void List1ItemActivate();
    void List1KeyDown(int key);
    void List1MouseMove(QPoint point, bool free);
    Qt::DropAction DropFileTarget1DragOver(QPoint point, Qt::DropAction proposed);
    void DropFileTarget1Leave();
    void DropFileTarget1Drop(Qt::DropAction effect);

    // Shows the rows of the list model.
    void ShowRows();
    // The add/edit dialog for a favourite folder: the name and path given, or nothing
    // when cancelled.
    std::optional<std::pair<QString, QString>> AskFolder(int mode, const QString& name, const QString& path);
    void Answer(const PvfolderReply& reply);
    void BringToFront();

    TForm1& form1_;
    BarServices services_;
    PvfolderList rows_;
    PvfolderPlacement placement_;
    int Tag = 0; // 1 when last seen in the normal state, 0 when maximised
    bool created_ = false;
};

} // namespace parvo
