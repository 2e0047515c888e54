#pragma once
#include "fw/httpsocket.h"
#include "fw/window.h"

class QLabel;
class QProgressBar;
class hp;

// The update check: fetches the version-description file when it opens, then says that the
// running version is current, offers the new one, or reports the failed exchange with its code.
// Closing the window (Cancel, the close box, quitting) ends the exchange at once, silently.
class updateWindow : public fw::Window {
    Q_OBJECT
  public:
    static updateWindow* get() { return fw::Window::get<updateWindow>(); }

    // Returns when the window has closed. A modal loop ended by quitting closes it as well.
    void ShowModal();

    // A check made without being asked: a current version then closes the window without a
    // message. The program makes none, so the message always shows.
    bool automaticCheck = false;

    QLabel* StaticText1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    ::hp* hp = nullptr;
    fw::PushButton* PushButton1 = nullptr;  // "Cancel"

    void hp_PageReceived(const QString& url, int httpStatus, const fw::InternetHeaders& headers,
                         const QString& content);
    void hp_Error(int code);
    void PushButton1_Action();
    void askUpgrade(const QString& newVersion, const QString& description, const QString& downloadURL,
                    bool isFree);

    // The reader of the version-description file: a plain text search, not a parser.
    //   returnValue("<Free>Yes</Free>", "Free")         -> "Yes"
    //   returnValue("<Free> Yes </Free>", "Free")       -> " Yes "
    //   returnValue("<a><b>1</b></a>", "a")             -> "<b>1</b>"
    //   returnValue("<v>1</v><v>2</v>", "v")            -> "1" (the first element counts)
    //   returnValue("no tags", "v"), ("<v>1", "v")      -> "" (a missing tag gives the empty text)
    static QString startTag(const QString& name);
    static QString endTag(const QString& name);
    static QString returnValue(const QString& content, const QString& name);

  protected:
    QWidget* standsOver() override;
    void createControls() override;
    void Open() override;
    void closing() override;

  private:
    bool isCurrent(const QString& version) const;
};
