#include "help/helpwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>

#include "base/fonts.h"
#include "fw/canvas.h"
#include "fw/clock.h"
#include "fw/cursors.h"
#include "fw/editfield.h"
#include "fw/events.h"
#include "fw/listbox.h"
#include "fw/text.h"

// Puts a control at its place and locks it to the edges named in `locks` ("LTRB" in any order).
template <class W>
W* helpWindow::place(W* w, const char* name, QRect at, const char* locks) {
    w->setObjectName(QLatin1String(name));
    w->setGeometry(at);
    const QString edges = QLatin1String(locks);
    lock(w, edges.contains(u'L'), edges.contains(u'T'), edges.contains(u'R'), edges.contains(u'B'));
    return w;
}

helpWindow::Label::Label(int index, QWidget* parent) : QPushButton(parent), index_(index) {
    setFocusPolicy(Qt::NoFocus);
    setFont(QApplication::font());
    // A flat header: the caption flush left, 5 pixels in.
    setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding-left: 5px; }"));
}

void helpWindow::createControls() {
    setWindowTitle(QStringLiteral("Help Window"));
    installMenuBar();
    setContentSize(575, 390);
    content()->setMinimumSize(400, 300);
    content()->setMaximumSize(32000, 32000);

    topicsList = place(new fw::ListBox(content()), "topicsList", {13, 30, 140, 285}, "LTB");
    topicsList->setFont(fonts::geneva());
    topicsList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    topicsList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    helpField = place(new fw::EditField(content()), "helpField", {168, 30, 395, 285}, "LTRB");
    helpField->setFont(fonts::geneva());
    helpField->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    helpField->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpField->setTabChangesFocus(true);
    // The builder colours the text itself, so the field keeps black on white whatever the theme.
    QPalette p = helpField->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    helpField->setPalette(p);

    GroupBox1 = place(new QGroupBox(QStringLiteral("Search Help"), content()), "GroupBox1",
                      {13, 319, 550, 55}, "LRB");
    findEdit = place(new QLineEdit(content()), "findEdit", {20, 342, 400, 22}, "LRB");
    findEdit->setFont(fonts::geneva());
    findButton =
        place(new fw::PushButton(QStringLiteral("Find"), content()), "findButton", {433, 342, 118, 20}, "RB");
    setDefaultButton(findButton);

    moveBar = place(new fw::Canvas(content()), "moveBar", {154, 30, 12, 285}, "LTB");
    pictCanvas = place(new fw::Canvas(content()), "pictCanvas", {344, 8, 117, 69}, "LTRB");
    pictCanvas->setVisible(false);

    LabelArray[1] = place(new Label(1, content()), "Label", {168, 4, 395, 22}, "LTR");
    LabelArray[1]->setText(QStringLiteral("Help Text"));
    LabelArray[0] = place(new Label(0, content()), "Label", {13, 4, 140, 22}, "LT");
    LabelArray[0]->setText(QStringLiteral("Topics"));

    bindEvents();
}

namespace {
// A handler of the window, run in a handler scope: a close meanwhile waits for it to return, and
// the game's input met in its loop yields is not acted upon inside it.
template <class R, class... A>
auto scoped(helpWindow* w, R (helpWindow::*handler)(A...)) {
    return [w, handler](A... a) -> R {
        fw::HandlerScope scope;
        return (w->*handler)(a...);
    };
}
}  // namespace

void helpWindow::bindEvents() {
    topicsList->gotFocus = scoped(this, &helpWindow::topicsList_GotFocus);
    topicsList->doubleClick = scoped(this, &helpWindow::topicsList_DoubleClick);
    topicsList->expandRow = scoped(this, &helpWindow::topicsList_ExpandRow);
    topicsList->keyDown = scoped(this, &helpWindow::topicsList_KeyDown);
    topicsList->change = scoped(this, &helpWindow::topicsList_Change);
    // Return typed into the help text presses "Find" too: a search walks on from the text's selection.
    helpField->keyDown = [this, keys = scoped(this, &helpWindow::helpField_KeyDown)](const QString& key) {
        if (key != fw::Chr(13)) return keys(key);
        findButton->Push();
        return true;
    };
    helpField->mouseMove = scoped(this, &helpWindow::helpField_MouseMove);
    helpField->mouseUp = scoped(this, &helpWindow::helpField_MouseUp);
    helpField->mouseExit = scoped(this, &helpWindow::helpField_MouseExit);
    helpField->mouseDown = scoped(this, &helpWindow::helpField_MouseDown);
    connect(findEdit, &QLineEdit::textChanged, this, scoped(this, &helpWindow::findEdit_TextChange));
    findEdit_TextChange();                                 // nothing to find yet: the button starts disabled
    findButton->action = [this] { findButton_Action(); };  // Push opens the scope itself
    moveBar->mouseDrag = scoped(this, &helpWindow::moveBar_MouseDrag);
    moveBar->mouseUp = scoped(this, &helpWindow::moveBar_MouseUp);
    moveBar->mouseEnter = scoped(this, &helpWindow::moveBar_MouseEnter);
    moveBar->mouseExit = scoped(this, &helpWindow::moveBar_MouseExit);
    moveBar->mouseDown = scoped(this, &helpWindow::moveBar_MouseDown);
    moveBar->paint = [this](QPainter& g) { moveBar_Paint(g); };
}

void helpWindow::Open() { moveBar_Open(); }

bool helpWindow::CancelClose(bool appQuitting) {
    if (appQuitting) return false;
    hide();
    fw::setAppMouseCursor(nullptr);  // a hand left over a link would stay on every window
    return true;
}

void helpWindow::closeEvent(QCloseEvent* e) {
    if (CancelClose(QCoreApplication::closingDown())) {
        e->ignore();
        return;
    }
    fw::Window::closeEvent(e);
}

void helpWindow::lockedControlsFollowed(QWidget* parent) {
    // A split near the right edge of a narrowing window would leave the text column no room.
    if (parent == content()) keepSplitInLimits();
}

void helpWindow::helpShow(const QString& manual) {
    if (helpText.ubound() == 0) helpInit(manual);
    Show();
}

void helpWindow::helpInit(const QString& manual) {
    helpDefaults();
    QString body = helpExtractBody(manual);
    body = helpReplaceMain(body);
    helpDivideBody(body);
    helpDisplayTopics();
    helpField->setVisible(false);
    helpParseHTML();
    helpField->setVisible(true);
    topicsList->setListIndex(0);
}

void helpWindow::helpDefaults() {
    helpLinkColor = QColor(22, 117, 51);
    helpURLColor = QColor(0, 0, 255);
    helpURL.redim(0, 0);
    helpURLPos.redim(0, 0);
    helpURLlen.redim(0, 0);
    helpText.redim(0);
    helpStyle.redim(0);
    helpTopic.redim(0);
    helpIndent.redim(0);
    topicIndex_.clear();
    findEdit->setText(QString());
    helpField->SetFocus();
}

void helpWindow::helpShowTopic(const QString& name) {
    const int i = helpReturnIndex(name);
    if (i == -1) {
        helpField->setText(QString());
        return;
    }
    helpField->SetTextAndStyle(helpText[i], helpStyle[i]);
    helpField->setSelStart(0);
    if (!fw::textEquals(topicsList->Text(), helpTopic[i])) helpSelectTopic(helpTopic[i]);
}

int helpWindow::helpReturnIndex(const QString& name) {
    if (name.isEmpty()) return -1;
    const int i = topicIndex_.value(name.toCaseFolded(), -1);
    return i <= helpTopic.ubound() ? i : -1;
}

int helpWindow::helpReturnTopURL(int topic) {
    for (int k = 1; k <= helpMaxURLs; ++k)
        if (helpURL(topic, k).isEmpty()) return k;
    return helpMaxURLs;
}
