#pragma once
#include <QColor>
#include <QTextCharFormat>
#include <functional>

#include "fw/textedit.h"

namespace fw {

// A styled, multi-line text field. Text goes in at the insertion point with the selection's
// styles (a style set on an empty selection applies to the text inserted next). Its text uses
// CR (Chr(13)) as line end; a Chr(0) shows as nothing, no glyph and no width, yet counts as one
// character, so positions in the text stay those of the field. Style data saved with
// TextStyleData and given back with SetTextAndStyle restores text and styles exactly.
class EditField : public TextEdit {
    Q_OBJECT
  public:
    explicit EditField(QWidget* parent = nullptr);

    QString Text() const;
    void setText(const QString& text);
    int SelStart() const;
    void setSelStart(int position);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString& text);

    void setSelBold(bool on);
    void setSelItalic(bool on);
    void setSelUnderline(bool on);
    QColor SelTextColor() const;
    void setSelTextColor(const QColor& color);

    QString TextStyleData() const;
    void SetTextAndStyle(const QString& text, const QString& styleData);

    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    // The 0-based character position nearest to a point of the field (x, y in field coordinates).
    int CharPosAtXY(int x, int y) const;
    // Lines as shown, wrapped lines counted each, from 0: the line holding a 0-based character
    // position, and the first line visible in the field (setting it scrolls that line to the top,
    // as far as the scroll bar reaches).
    int LineNumAtCharPos(int position) const;
    int ScrollPosition() const;
    void setScrollPosition(int line);

    // Keys typed into the field ("a", Chr(13), arrows as Chr(28) left .. Chr(31) down); true
    // consumes the key and the field does not handle it.
    std::function<bool(const QString& key)> keyDown;
    // Mouse events in field coordinates. mouseDown returning true claims the click: mouseUp then
    // follows for it. Either way the press also reaches the text (insertion point, selection).
    std::function<bool(int x, int y)> mouseDown;
    std::function<void(int x, int y)> mouseMove;
    std::function<void(int x, int y)> mouseUp;
    std::function<void()> mouseExit;

    // The key text a field hands to keyDown for a Qt key event.
    static QString keyText(const QKeyEvent* e);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    QMimeData* createMimeDataFromSelection() const override;

  private:
    QTextCharFormat insertFormat() const;
    void mergeSelFormat(const QTextCharFormat& change);
    bool pressClaimed_ = false;
};

}  // namespace fw
