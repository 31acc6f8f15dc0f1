#pragma once

#include "Stroke.h"

#include <QObject>
#include <QSize>
#include <QVector>

class QUndoStack;

// The drawing over the picture: its strokes in picture coordinates, in the order drawn, and the
// undo history of every change (adding, erasing, clearing). Main thread.
class DrawingModel : public QObject {
    Q_OBJECT
public:
    explicit DrawingModel(QObject *parent = nullptr);
    ~DrawingModel() override;

    const QVector<Stroke> &strokes() const { return strokes_; }
    bool isEmpty() const { return strokes_.isEmpty(); }
    // Counts changes, so a painter can tell its cached drawing is out of date.
    quint64 revision() const { return revision_; }
    QUndoStack *undoStack() const { return undoStack_; }

    // The frame size the strokes' coordinates refer to: that of the first stroke's frame.
    QSize pictureSize() const { return pictureSize_; }
    void setPictureSize(const QSize &size);

    // Each an undoable step.
    void add(const Stroke &stroke);
    void erase(const QVector<int> &indices);
    void clear();

    // The index of the newest stroke within `radius` of `point` (picture coordinates), or -1.
    int strokeAt(const QPointF &point, qreal radius) const;

signals:
    void changed();

private:
    class Change;
    friend class Change;
    void insert(int index, const Stroke &stroke);
    void remove(int index);
    void touch();

    QVector<Stroke> strokes_;
    QUndoStack *undoStack_;
    QSize pictureSize_;
    quint64 revision_ = 0;
};
