#pragma once

#include "LumoButton.h"

#include <QIcon>

// An image button that swaps to its alternate picture while the pointer is over it, instead of
// dimming. The pictures come in named pairs: "Review-Down" shows normally, "Review-Up" under the
// pointer. Main thread.
class LumoAlterButton : public LumoButton {
    Q_OBJECT
public:
    explicit LumoAlterButton(QWidget *parent = nullptr);

    // Takes the normal picture by name and its pair: every "Down" in the name becomes "Up".
    void setImageName(const QString &name);
    QIcon upImage() const { return upImage_; }
    QIcon downImage() const { return downImage_; }

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QIcon upImage_;   // shown normally
    QIcon downImage_; // shown under the pointer
};
