#pragma once

#include <QWidget>

// The black background behind the live picture. Main thread.
class LumoCameraView : public QWidget {
    Q_OBJECT
public:
    explicit LumoCameraView(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
