#include "fw/window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "fw/inputgate.h"
#include "fw/menu.h"
#include "fw/placement.h"

namespace fw {
namespace {
std::function<void(Window*)>& modalHook() {
    static std::function<void(Window*)> h;
    return h;
}
QList<QPointer<Window>>& closedWindows() {
    static QList<QPointer<Window>> list;
    return list;
}
std::function<QMenuBar*(QWidget*)>& menuBarFactory() {
    static std::function<QMenuBar*(QWidget*)> f;
    return f;
}
QList<Window*>& openWindows() {
    static QList<Window*> list;
    return list;
}
void destroyClosed() {
    const auto list = std::exchange(closedWindows(), {});
    // Deferred: the handler that closed it may still be returning through Qt's own code.
    for (const auto& w : list)
        if (w) w->deleteLater();
}
const bool registered = [] {
    onIdle(destroyClosed);
    return true;
}();
}  // namespace

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (personGate && !personGate()) return;
        Push();
    });
}

namespace {
// A cell editor keeps its text to itself until Return or a change of focus, and the buttons take
// no focus: the window's open editor is committed and closed as Return would.
void commitOpenEditor(QWidget* window) {
    QWidget* focus = window->focusWidget();
    for (QWidget* editor = focus; editor && editor->parentWidget(); editor = editor->parentWidget()) {
        auto* view = qobject_cast<QAbstractItemView*>(editor->parentWidget()->parentWidget());
        if (!view || view->viewport() != editor->parentWidget()) continue;
        Q_EMIT view->itemDelegate()->commitData(editor);
        Q_EMIT view->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
        return;
    }
}
}  // namespace

void PushButton::Push() {
    if (!isEnabled()) return;
    HandlerScope scope;
    commitOpenEditor(window());
    if (action) action();
}

Window::Window(QWidget* parent) : QWidget(parent, Qt::Window) {
    Q_UNUSED(registered);
    watchPersonInput();
    installInputGate();
    openWindows().append(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    content_ = new QWidget(this);
    layout->addWidget(content_);
}

void Window::setContentSize(int width, int height) {
    designSize_ = QSize(width, height);
    content_->setMinimumSize(width, height);
    resize(width, height + (layout()->menuBar() ? layout()->menuBar()->sizeHint().height() : 0));
}

void Window::installMenuBar() {
    if (!menuBarFactory() || layout()->menuBar()) return;
    if (QMenuBar* bar = menuBarFactory()(this)) layout()->setMenuBar(bar);
}

void Window::setMenuBarFactory(std::function<QMenuBar*(QWidget*)> factory) {
    menuBarFactory() = std::move(factory);
}

Window::~Window() { openWindows().removeAll(this); }

QList<Window*> Window::allOpen() {
    QList<Window*> result;
    for (Window* w : openWindows())
        if (!w->closed_) result.append(w);
    return result;
}

void Window::build() {
    createControls();
    if (!layout()->menuBar()) addKeysOfEveryWindow(this);
    HandlerScope scope;
    Open();
}

namespace {
void bringToFront(QWidget* w) {
    // The offscreen desktop has no stacking, but it moves the keyboard as a window manager would.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->raise();
    if (!w->testAttribute(Qt::WA_ShowWithoutActivating)) w->activateWindow();
}
}  // namespace

void Window::Show() {
    // A window manager places a window mapped again as it would a new one, unless told where.
    if (hiddenAt_.isValid() && !isVisible()) {
        const QRect at = hiddenAt_;
        resize(at.size());
        placeAt(at.topLeft());
        // A move in code to where Qt believes it is tells the platform nothing, and the window
        // manager would place the window as it likes.
        if (windowHandle()) windowHandle()->setPosition(geometry().topLeft());
    }
    show();
    bringToFront(this);
}

void Window::ShowModal() {
    if (closed_) return;
    if (inModal_) {  // already up: a menu command over it asks for it again, so it comes forward
        bringToFront(this);
        return;
    }
    HandlerScope scope;  // the window stays valid, and deferred work waits, until it is closed
    ModalScope modal;    // its own controls take a person's input
    // Transient for the window it stands over, so that a window manager keeps it above that one.
    QWidget* owner = dialogOwner(standsOver());
    winId();
    windowHandle()->setTransientParent(owner ? owner->windowHandle() : nullptr);
    setWindowModality(Qt::ApplicationModal);
    // A dialog comes up over the window the person acted in (the screen's middle at start).
    if (!placedByCaller_) centreOver(actingWindow(this));
    QPointer<Window> self(this);
    QEventLoop loop;
    quitModal_ = [&loop] { loop.quit(); };
    inModal_ = true;
    show();
    bringToFront(this);
    if (modalHook()) {
        auto hook = modalHook();
        QTimer::singleShot(0, this, [self, hook] {
            if (self && !self->closed_) hook(self);
        });
    }
    if (isVisible()) loop.exec();
    if (self) {
        self->inModal_ = false;
        self->quitModal_ = nullptr;
        self->setWindowModality(Qt::NonModal);
    }
}

void Window::Close() {
    if (closed_) return;
    closed_ = true;
    closing();
    hide();
    if (handlerDepth() == 0 && !inModal_)
        deleteLater();
    else
        closedWindows().append(this);
}

void Window::setButtonsTakeFocus(bool on) {
    // Tab, not a click, gives a button the focus; Return then presses the focused button.
    for (PushButton* b : findChildren<PushButton*>()) {
        b->setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
        b->setAutoDefault(on);
    }
}

void Window::setModalHook(std::function<void(Window*)> hook) { modalHook() = std::move(hook); }

void Window::keyPressEvent(QKeyEvent* e) {
    // No handler scope of its own: the buttons it presses open theirs. Keys typed while a handler
    // runs do not get here (fw/inputgate.h).
    if (KeyDown(e->text())) return;
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && defaultButton_ &&
        defaultButton_->isVisible()) {
        if (!defaultButton_->personGate || defaultButton_->personGate()) defaultButton_->Push();
        return;
    }
    if (e->key() == Qt::Key_Escape && cancelButton_ && cancelButton_->isVisible()) {
        cancelButton_->Push();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Window::closeEvent(QCloseEvent* e) {
    // The close box closes the window for good; the accessor then makes a new one.
    e->accept();
    Close();
}

void Window::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (!e->spontaneous()) hiddenAt_ = QRect(pos(), size());
    if (quitModal_) quitModal_();
}

}  // namespace fw
