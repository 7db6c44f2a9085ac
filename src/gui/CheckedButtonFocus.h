#pragma once

#include <QObject>

class QButtonGroup;
class QWidget;

namespace quorvel {

// Tab into a group of mode buttons lands on the one pressed down, as it does in a group of radio
// buttons: landing on another, Space would change the mode on the way through.
class CheckedButtonFocus : public QObject {
    Q_OBJECT

public:
    // Watches the group's buttons; lives as long as `group`, its parent.
    explicit CheckedButtonFocus(QButtonGroup& group);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Gives the focus to the next control of the window outside the group.
    void passOn(QWidget* from, bool forward);

    QButtonGroup& group_;
    bool fromGroup_ = false; // the last focus left one button for another of the group
};

} // namespace quorvel
