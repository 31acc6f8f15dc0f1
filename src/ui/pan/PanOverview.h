#pragma once

#include <QRectF>
#include <QWidget>

// The small outline of the whole page with the part the zoom shows marked on it, laid over a
// corner of the picture while the zoomed part moves. It takes no pointer input. Main thread.
class PanOverview : public QWidget {
    Q_OBJECT
public:
    explicit PanOverview(QWidget *parent = nullptr);

    // The shown part, in this widget's coordinates (the page fills the widget).
    void setShownPart(const QRectF &part);
    QRectF shownPart() const { return part_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF part_;
};
