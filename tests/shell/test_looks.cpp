#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include "fw/dialogs.h"
#include "fw/placement.h"
#include "shell/aboutwindow.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "shell/menu.h"
#include "shell/menuholderwindow.h"
#include "tests/shell/test_turnsupport.h"

using namespace globalsModule;
using namespace turns;

namespace {
// Sets the application's palette or font for one test and puts the old one back after it.
class DesktopLook {
  public:
    DesktopLook() : palette_(QApplication::palette()), font_(QApplication::font()) {}
    ~DesktopLook() {
        for (fw::Window* w : fw::Window::allOpen()) w->Close();
        testing::drain(3);
        QApplication::setPalette(palette_);
        QApplication::setFont(font_);
    }

  private:
    QPalette palette_;
    QFont font_;
};

QPalette darkPalette() {
    QPalette p = QApplication::palette();
    p.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    p.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    return p;
}

// Whether a list heading is drawn whole in its column (the style cuts it to the inner width).
bool headingWhole(QTreeWidget* t, int c) {
    const int margin = t->header()->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, t->header());
    const QString text = t->headerItem()->text(c);
    return QFontMetrics(t->header()->font())
               .elidedText(text, Qt::ElideRight, t->columnWidth(c) - 2 * margin) == text;
}

bool cellWhole(QTreeWidget* t, int c, const QString& text) {
    const int margin = t->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t) + 1;
    return QFontMetrics(t->font()).horizontalAdvance(text) <= t->columnWidth(c) - 2 * margin;
}

// The centre of a window's frame, within a pixel or two of `other`'s.
bool centredOn(const QWidget* w, const QWidget* other) {
    return (w->frameGeometry().center() - other->frameGeometry().center()).manhattanLength() <= 2;
}
}  // namespace

// What a player sees: colours on a dark desktop, room for texts, icons, focus and placement.
class WindowLooksTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void darkDesktop_captionsTakeItsTextColourAndPaintedAreasKeepTheirs() {
        DesktopLook restore;
        QApplication::setPalette(darkPalette());
        const QColor light(0xee, 0xee, 0xee);
        gameWindow* m = gw();
        QCOMPARE(m->Label[0]->palette().color(QPalette::WindowText), light);
        QCOMPARE(m->Label[1]->palette().color(QPalette::WindowText), light);
        QCOMPARE(m->debug->palette().color(QPalette::WindowText), light);
        playerListWindow* p = playerListWindow::get();
        QCOMPARE(p->StaticText1->palette().color(QPalette::WindowText), light);
        QVERIFY(!p->StaticText1->autoFillBackground());  // no light box behind the caption
        // The history field paints its own white, and the about box its picture: black stays on both.
        QCOMPARE(p->status->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(p->status->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(aboutWindow::get()->versionStatic->palette().color(QPalette::WindowText), QColor(Qt::black));
    }

    void largeDesktopFont_cutsNoHeadingKindOrCaption() {
        DesktopLook restore;
        QFont big = QApplication::font();
        big.setPointSize(13);
        QApplication::setFont(big);

        playerListWindow* p = playerListWindow::get();
        p->Show();
        testing::drain(2);
        QTreeWidget* t = p->ListBox1;
        int total = 0;
        for (int c = 0; c < 4; ++c) {
            QVERIFY2(headingWhole(t, c), qPrintable(t->headerItem()->text(c)));
            total += t->columnWidth(c);
        }
        QVERIFY(total <= t->viewport()->width());  // the last column is not pushed out of sight
        p->resize(500, p->height());
        testing::drain(1);
        QVERIFY(qAbs(t->columnWidth(0) - t->viewport()->width() * 30 / 100) <= 2);  // room again for 30 %

        gameSettingsWindow* d = gameSettingsWindow::get();
        QTreeWidget* list = d->playerListBox;
        for (int c = 0; c < 3; ++c) QVERIFY2(headingWhole(list, c), qPrintable(list->headerItem()->text(c)));
        for (int k = 0; k < d->playerKindPopup->count(); ++k)
            QVERIFY2(cellWhole(list, 2, d->playerKindPopup->itemText(k)),
                     qPrintable(d->playerKindPopup->itemText(k)));
        QVERIFY(list->columnWidth(0) + list->columnWidth(1) + list->columnWidth(2) <=
                list->viewport()->width());

        gameWindow* m = gw();
        for (QWidget* w : {static_cast<QWidget*>(m->Label[0]), static_cast<QWidget*>(m->Label[1]),
                           static_cast<QWidget*>(m->stopButton), static_cast<QWidget*>(p->StaticText1)})
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
        QVERIFY(m->stopButton->geometry().right() < m->rollButton->x());
        QVERIFY(m->saveAllButton->geometry().right() <= m->debug->x());
    }

    void newGameDialog_captionsStandWholeBesideTheirControls() {
        DesktopLook restore;
        for (int points : {11, 13}) {
            QFont f = QApplication::font();
            f.setPointSize(points);
            QApplication::setFont(f);
            gameSettingsWindow* d = gameSettingsWindow::get();
            QWidget* c = d->content();
            const QList<QWidget*> controls = {d->playerListBox, d->nameField, d->playerKindPopup,
                                              d->addButton, d->roundSizePopup};
            for (QLabel* l : d->Label) {
                const QString what = QStringLiteral("%1 at %2 pt").arg(l->text()).arg(points);
                QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->width(),
                         qPrintable(what));
                const QRect caption(l->mapTo(c, QPoint()), l->size());
                for (QWidget* w : controls)
                    QVERIFY2(!caption.intersects(QRect(w->mapTo(c, QPoint()), w->size())), qPrintable(what));
            }
            // Every control stays whole inside its group and the dialog.
            for (QWidget* w : controls)
                QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(w->objectName()));
            QVERIFY(c->rect().contains(d->GroupBox1->geometry()));
            QVERIFY(c->rect().contains(d->okayButton->geometry()));
            d->Close();
            testing::drain(3);
        }
    }

    void windows_carryTheGameIcon() {
        setUpApplication();
        fw::Window::setMenuBarFactory(nullptr);
        for (QWidget* w : QList<QWidget*>{gw(), playerListWindow::get(), gameSettingsWindow::get(),
                                          aboutWindow::get(), menuHolderWindow::get()}) {
            const QIcon icon = w->windowIcon();
            QVERIFY2(!icon.isNull(), w->metaObject()->className());
            QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(64, 64), QSize(128, 128)}));
        }
    }

    void mainWindow_offersNoMaximizeAndNoResize() {
        gameWindow* m = gw();
        m->Show();
        QVERIFY(!m->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(m->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(m->minimumSize(), m->maximumSize());
        // What the window manager is told.
        QVERIFY(!m->windowHandle()->flags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(m->windowHandle()->minimumSize(), m->windowHandle()->maximumSize());
        QCOMPARE(m->content()->size(), QSize(600, 459));
        QCOMPARE(m->playingSurface->geometry(), QRect(11, 28, 579, 381));
    }

    void smallScreen_bringsFixedSpotsOntoItsArea() {
        fw::Window::setMenuBarFactory([](QWidget* w) { return Menu::get()->makeMenuBar(w); });
        const auto noMenuBars = qScopeGuard([] { fw::Window::setMenuBarFactory(nullptr); });
        // 1600 x 1000 pixels at a scale of 2, less a panel at the top.
        const QRect area(0, 24, 800, 476);
        fw::setAvailableAreaForTests(area);
        newGame({{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}}, 1000, 1);
        gameWindow* m = gw();
        playerListWindow* p = playerListWindow::get();
        m->Show();
        p->Show();
        testing::drain(3);
        QVERIFY(m->layout()->menuBar());
        QCOMPARE(m->x(), 8);  // only as far as needed
        QVERIFY(area.contains(p->frameGeometry()));
        QCOMPARE(p->y(), m->y());
        const int rollBottom = m->rollButton->mapTo(m, m->rollButton->rect().bottomRight()).y() + m->y();
        if (m->frameGeometry().height() <= area.height()) {
            QVERIFY(area.contains(m->frameGeometry()));
            QVERIFY(rollBottom <= area.bottom());
        } else {
            // Taller than the area (a fixed size): its title bar stays on it, so it can be moved.
            QCOMPARE(m->frameGeometry().top(), area.top());
            QVERIFY(m->frameGeometry().left() >= area.left() && m->frameGeometry().right() <= area.right());
        }
        // The dialogs come up over the window the person acted in, whole on the area too.
        for (QWidget* opener : QList<QWidget*>{m, p}) {
            QTest::mouseClick(opener, Qt::LeftButton, {}, QPoint(5, 5));
            QStringList outside;
            fw::Window::setModalHook([&](fw::Window* w) {
                testing::drain(3);
                if (!area.contains(w->frameGeometry())) outside << w->windowTitle();
                w->Close();
            });
            App()->_AppleAbout_Action();
            gameSettingsWindow::get()->ShowModal();
            fw::Window::setModalHook(nullptr);
            QVERIFY2(outside.isEmpty(), qPrintable(outside.join(u',')));
        }
    }

    void aboutBox_comesUpOverItsOpenerAndGoesByKeys() {
        newGame({{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}}, 1000, 1);
        for (QWidget* opener : QList<QWidget*>{gw(), playerListWindow::get()}) {
            for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space}) {
                QTest::mouseClick(opener, Qt::LeftButton, {}, QPoint(5, 5));  // the person acts there
                bool centred = false;
                fw::Window::setModalHook([&](fw::Window* w) {
                    centred = centredOn(w, opener);
                    QTest::keyClick(w, Qt::Key(key));
                });
                App()->_AppleAbout_Action();
                QVERIFY(centred);
                QVERIFY(!fw::Window::ifOpen<aboutWindow>());
            }
        }
        fw::Window::setModalHook(nullptr);
        aboutWindow* box = aboutWindow::get();
        QTest::keyClick(box, Qt::Key_A);  // any other key leaves it open
        QVERIFY(!box->isClosed());
    }

    void message_opensOverTheWindowThePersonActedIn() {
        newGame({{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}}, 1000, 1);
        playerListWindow::get()->activateWindow();  // shown last: the active window before the click
        testing::forceFaces({1, 5, 2, 3, 3, 6});
        QTest::keyClick(gw(), Qt::Key_Return);
        fw::setDialogResponder(nullptr);
        QWidget* parent = nullptr;
        QWindow* owner = nullptr;  // kept above it by a window manager
        bool over = false;
        QString text;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                parent = box->parentWidget();
                owner = box->windowHandle()->transientParent();
                over = gw()->frameGeometry().contains(box->frameGeometry().center());
                text = box->text();
                box->accept();
            }
        });
        clickDie(3);  // a 2: it scores nothing
        QCOMPARE(text, QStringLiteral("You may only move dice that contain points."));
        QCOMPARE(parent, gw());
        QCOMPARE(owner, gw()->windowHandle());
        QVERIFY(over);
    }

    void scoreTable_keepsThePlayerOnTurnInSight() {
        Roster many;
        for (int i = 1; i <= 20; ++i) many.push_back({QStringLiteral("P%1").arg(i), 0});
        seatPlayers(many, 1000);
        playerListWindow* p = playerListWindow::get();
        p->Show();
        QTreeWidget* t = p->ListBox1;
        for (int onTurn : {17, 3, 20}) {
            gCurrentPlayer = onTurn;
            p->updateScores();
            const QRect shown = t->visualItemRect(t->topLevelItem(onTurn - 1));
            QVERIFY2(t->viewport()->rect().contains(shown), qPrintable(QString::number(onTurn)));
        }
    }

    void newGameDialog_startsInTheNameFieldAndTabReachesEveryControl() {
        gameSettingsWindow* d = gameSettingsWindow::get();
        d->Show();
        testing::drain(2);
        QCOMPARE(QApplication::focusWidget(), d->nameField);
        for (const char* name : {"Ann", "Bob"}) {
            d->nameField->setText(QLatin1String(name));
            d->addButton->Push();
        }
        d->nameField->setText(QStringLiteral("Cy"));  // every button enabled
        QSet<QWidget*> reached;
        for (int i = 0; i < 10; ++i) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        const QSet<QWidget*> all = {d->playerListBox,  d->nameField,    d->playerKindPopup, d->addButton,
                                    d->roundSizePopup, d->cancelButton, d->okayButton};
        QCOMPARE(reached, all);
        QCOMPARE(d->playerListBox->topLevelItemCount(), 2);  // Tab pressed nothing
        // Space presses the focused button, and so does Return: not the default "Start Game".
        d->addButton->setFocus(Qt::TabFocusReason);
        QTest::keyClick(d->addButton, Qt::Key_Space);
        QCOMPARE(d->playerListBox->topLevelItemCount(), 3);
        d->cancelButton->setFocus(Qt::TabFocusReason);
        QTest::keyClick(d->cancelButton, Qt::Key_Return);
        QVERIFY(d->isClosed());
        QVERIFY(!fw::Window::ifOpen<gameWindow>());  // no game started
        // The main window's buttons stay out of the way of its Space and Return keys.
        QCOMPARE(gw()->rollButton->focusPolicy(), Qt::NoFocus);
        QCOMPARE(gw()->saveAllButton->focusPolicy(), Qt::NoFocus);
    }
};

ZORVIK_TEST(WindowLooksTest)
#include "test_looks.moc"
