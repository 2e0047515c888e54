#pragma once
#include <QCursor>
#include <memory>

// The application's own mouse cursor. While it is set it shows over every window and control,
// whatever cursor they have; windows and controls keep their own (QWidget::setCursor) beneath it.
namespace fw {

// Null: the application has no cursor of its own. Setting the cursor already shown does nothing.
void setAppMouseCursor(const std::shared_ptr<QCursor>& cursor);
// The application's cursor, or null.
const QCursor* appMouseCursor();

// Whether two cursors look the same: shape, hot spot and picture.
bool sameCursor(const QCursor& a, const QCursor& b);

}  // namespace fw
