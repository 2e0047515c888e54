#pragma once
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "fw/events.h"

class QMenuBar;

namespace fw {

// A push button of the game. Push() commits a name being edited in a list of its window, then
// runs its action before it returns; it does nothing while the button is disabled. A person's
// click runs the same action, unless the button's gate says that a person may not act now. The
// button takes no keyboard focus unless its window lets buttons take it
// (Window::setButtonsTakeFocus), so Space and Return reach the window's own keys.
class PushButton : public QPushButton {
    Q_OBJECT
  public:
    explicit PushButton(const QString& caption, QWidget* parent = nullptr);

    std::function<void()> action;
    std::function<bool()> personGate;  // empty: a person may always press

    void Push();
    QString Caption() const { return text(); }
    void setCaption(const QString& c) { setText(c); }
};

// A window of the game. Created hidden through its accessor (Window::get<W>()), which builds its
// controls and raises Open. Close() hides it and takes it out of its accessor at once; the object
// is destroyed only after every running handler has returned.
class Window : public QWidget {
    Q_OBJECT
  public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    // The open window of class W, created (hidden) when none is open.
    template <class W>
    static W* get() {
        static QPointer<W> open;
        if (!open || open->closed_) {
            open = new W();
            open->build();
        }
        return open;
    }
    // The open window of class W without creating one.
    template <class W>
    static W* ifOpen() {
        for (QWidget* w : allOpen())
            if (auto* t = qobject_cast<W*>(w)) return t;
        return nullptr;
    }
    static QList<Window*> allOpen();

    // Shows the window; one that was hidden comes back at the spot and size it had then.
    void Show();
    void ShowModal();  // returns when the window has been closed or hidden
    void Close();
    bool isClosed() const { return closed_; }
    bool inModalLoop() const { return inModal_; }  // ShowModal is running for it

    // The default button is pressed by Return and Enter; the cancel button by Escape.
    void setDefaultButton(PushButton* b) { defaultButton_ = b; }
    void setCancelButton(PushButton* b) { cancelButton_ = b; }
    PushButton* defaultButton() const { return defaultButton_; }

    // The area below the menu bar in which the controls stand at their design-time places.
    QWidget* content() const { return content_; }
    // Fixes the content area's size; a resizable window may grow within the given limits.
    void setContentSize(int width, int height);
    // Gives the window the application's menu bar (when the application has set one up).
    void installMenuBar();
    static void setMenuBarFactory(std::function<QMenuBar*(QWidget* window)> factory);

    // A game window drops a person's input while one of the game's handlers runs (fw/inputgate.h);
    // a window that is no part of the game (the help viewer) returns false and stays responsive.
    virtual bool dropsInputWhileBusy() const { return true; }

    // Enables the menu items this window serves while it is the active window; the menu bar asks
    // the application first, then the active window.
    virtual void EnableMenuItems() {}

    // Tests answer modal windows: the hook runs from the event loop once the window is up.
    static void setModalHook(std::function<void(Window*)> hook);

    // Binds a control to edges of its parent (the content area or a group box): on every resize
    // of the parent, a locked edge keeps the distance it had when lock() was called; a control
    // locked on both sides of an axis stretches, one locked right or bottom only moves. Call it
    // once the control and its parent stand at their design places, after setContentSize; e.g.
    // lock(findButton, false, false, true, true) keeps a button in the bottom right corner.
    void lock(QWidget* control, bool left, bool top, bool right, bool bottom);
    // After code has moved or resized a locked control: its locked edges keep the distances they
    // have now (a split moved between two columns stays where it was put).
    void relock(QWidget* control);
    // Runs after the controls locked to `parent` have followed a resize of it.
    virtual void lockedControlsFollowed(QWidget* parent) { Q_UNUSED(parent); }
    // Puts the window's frame at a fixed spot of the desktop, moved onto the screen's available
    // area when it would not fit there (checked again once the frame's size is known).
    void placeAt(const QPoint& topLeft);
    // Centres the window over another one (or over the screen for none), kept on the screen.
    void centreOver(const QWidget* other);
    // Whether Tab reaches the window's push buttons (a dialog) or they take no focus (the main
    // window, whose Space and Return keys play the game).
    void setButtonsTakeFocus(bool on);

  protected:
    // The window that this one, shown modally while no other modal window is up, is transient for
    // (fw::dialogOwner); none by default. With a modal window up, it is that one.
    virtual QWidget* standsOver() { return nullptr; }
    virtual void createControls() {}
    virtual void Open() {}
    // Runs once as the window closes, whether it was ever shown or not, before it hides.
    virtual void closing() {}
    // A key typed in the window; true consumes it.
    virtual bool KeyDown(const QString& key) {
        Q_UNUSED(key);
        return false;
    }
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void build();
    QWidget* content_ = nullptr;
    QSize designSize_;             // of the content area, as setContentSize gave it
    bool placedByCaller_ = false;  // the window has its spot; ShowModal leaves it there
    QRect hiddenAt_;               // its frame's top-left corner and its size when last hidden
    bool closed_ = false;
    bool inModal_ = false;
    QPointer<PushButton> defaultButton_;
    QPointer<PushButton> cancelButton_;
    std::function<void()> quitModal_;
};

}  // namespace fw
