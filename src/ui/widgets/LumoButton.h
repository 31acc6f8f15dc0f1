#pragma once

#include <QPushButton>

// A push button that dims to half opacity while the pointer is over it. Main thread.
class LumoButton : public QPushButton {
    Q_OBJECT
public:
    explicit LumoButton(QWidget *parent = nullptr);

    // Forgets the hover state: full opacity again. For a button moved to another container,
    // which may never see the leave event of its old place.
    void resetTrack();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
};
