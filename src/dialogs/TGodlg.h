#pragma once
// The GO! dialog: four ways to open something, each with its input and GO! button (a web
// address, an Internet search, a local file or folder, the edition's home page), and the
// animated banner whose click opens the banner's link. The dialog only records the way
// chosen, in its tag, and keeps the inputs; the GO! button's handler fills it before it
// is shown and carries the way out afterwards.

#include "dialogs/FolderNameCompletion.h"
#include "menus/GoDispatch.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMovie;
class QPushButton;

namespace parvo {

class ImageStrip;
class TLinkLabel;
class TPlumBut;

class TGodlg : public QDialog {
    Q_OBJECT
public:
    // `goImg` is the bar's glyph strip (the GO! buttons show its cell 23); `menuKey` is
    // the bar's menu key, which the dialog sets to "Slinks"; `names` turns drive letters
    // and "~" into folders for the local path's completion.
    TGodlg(const ImageStrip& goImg, QString& menuKey, LocalNames names, QWidget* parent = nullptr);
    ~TGodlg() override;

    // The way chosen (GoWay); 0 until one is.
    int tag() const { return tag_; }
    // The texts of the two combo boxes as of their last change.
    const QString& webConfirmed() const { return webConfirmed_; }
    const QString& searchConfirmed() const { return searchConfirmed_; }
    // Everything the handler needs after OK.
    GoChoice choice() const;

    // The lists the two combo boxes offer and complete from.
    void setWebItems(const QStringList& items);
    void setSearchItems(const QStringList& items);
    // Shows the search row, or hides it for an edition without a search.
    void setSearchRowVisible(bool visible);
    // The animated banner, at `left` and at its own size; false when its frames cannot
    // be decoded.
    bool setBanner(const QByteArray& gif, int left);
    // Puts the focus into the search box or the address box.
    void focusInput(bool search);

    QLabel* Label3;     // the home label, bold
    QLabel* Image3;     // the banner
    QLabel* Label1;     // "Vai su una pagina Web in Internet:"
    QLabel* Label6;     // the web scheme in front of the address box
    QComboBox* webcombo;
    TPlumBut* go1;
    QLabel* Label8;     // the completion note
    QLabel* Label7;     // "Visita questo sito:"
    TLinkLabel* go3;    // the home address
    QLabel* Label4;     // "Search the Internet:"
    QComboBox* searchedit;
    TPlumBut* go4;
    QLabel* Label10;
    QLabel* Label2;     // "Avvia un file locale o una cartella:"
    QLineEdit* LocalEdit;
    TPlumBut* go2;
    QLabel* Label9;
    QLabel* Label5;     // the ENTER note; its hint is the banner's link
    QPushButton* Button1; // "&Annulla"
    QLabel *Image1, *Image2, *Image4;
    QFrame *Bevel1, *Bevel2, *Bevel3, *Bevel4, *Bevel5;

    // The completion of LocalEdit, for tests that wait for it.
    FolderNameCompleter* localCompleter() const { return completer_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate(const ImageStrip& goImg, QString& menuKey);
    void Choose(int way);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool InputKey(QObject* input, int key);
    void MarkFocused(QObject* input);
    void LocalEditChange(const QString& text);
    void LocalCompleted(const QString& text, const QString& suffix);

    int tag_ = GoNothing;
    QString webConfirmed_;
    QString searchConfirmed_;
    // The last key typed in LocalEdit: a deletion completes nothing.
    int LastLocalKey = 0;
    FolderNameCompleter* completer_;
    QMovie* banner_ = nullptr;
};

} // namespace parvo
