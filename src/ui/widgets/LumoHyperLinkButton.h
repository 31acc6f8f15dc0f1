#pragma once

#include <QCursor>
#include <QPushButton>

#include <optional>

// A button that looks like a web link: its title centred, underlined and blue, and a pointing
// hand over it unless another cursor has been set. Main thread.
class LumoHyperLinkButton : public QPushButton {
    Q_OBJECT
public:
    explicit LumoHyperLinkButton(QWidget *parent = nullptr);

    QCursor linkCursor() const;
    void setLinkCursor(const QCursor &cursor);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<QCursor> cursor_;
};
