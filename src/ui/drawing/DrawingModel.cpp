#include "DrawingModel.h"

#include <QUndoStack>

#include <algorithm>
#include <numeric>

// Strokes put in (or taken out) at their indices; undone the other way round.
class DrawingModel::Change : public QUndoCommand {
public:
    Change(DrawingModel *model, const QString &text, QVector<QPair<int, Stroke>> items, bool inserts)
        : QUndoCommand(text), model_(model), items_(std::move(items)), inserts_(inserts)
    {
        std::sort(items_.begin(), items_.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; });
    }
    void redo() override { apply(inserts_); }
    void undo() override { apply(!inserts_); }

private:
    void apply(bool insert)
    {
        if (insert) {
            for (const auto &[index, stroke] : items_)
                model_->insert(index, stroke);
        } else {
            for (auto it = items_.rbegin(); it != items_.rend(); ++it)
                model_->remove(it->first);
        }
        model_->touch();
    }

    DrawingModel *model_;
    QVector<QPair<int, Stroke>> items_;
    bool inserts_;
};

DrawingModel::DrawingModel(QObject *parent) : QObject(parent), undoStack_(new QUndoStack(this)) {}

DrawingModel::~DrawingModel()
{
    // The commands refer to the model: they go first.
    delete undoStack_;
}

void DrawingModel::setPictureSize(const QSize &size)
{
    pictureSize_ = size;
}

void DrawingModel::add(const Stroke &stroke)
{
    undoStack_->push(new Change(this, tr("Draw"), {{int(strokes_.size()), stroke}}, true));
}

void DrawingModel::erase(const QVector<int> &indices)
{
    QVector<QPair<int, Stroke>> items;
    for (int index : indices)
        if (index >= 0 && index < strokes_.size()
            && std::none_of(items.begin(), items.end(),
                            [index](const auto &item) { return item.first == index; }))
            items.append({index, strokes_[index]});
    if (!items.isEmpty())
        undoStack_->push(new Change(this, tr("Erase"), items, false));
}

void DrawingModel::clear()
{
    QVector<int> all(strokes_.size());
    std::iota(all.begin(), all.end(), 0);
    if (all.isEmpty())
        return;
    QVector<QPair<int, Stroke>> items;
    for (int index : all)
        items.append({index, strokes_[index]});
    undoStack_->push(new Change(this, tr("Clear Drawing"), items, false));
}

int DrawingModel::strokeAt(const QPointF &point, qreal radius) const
{
    for (int i = int(strokes_.size()) - 1; i >= 0; --i)
        if (strokes_[i].hits(point, radius))
            return i;
    return -1;
}

void DrawingModel::insert(int index, const Stroke &stroke)
{
    strokes_.insert(index, stroke);
}

void DrawingModel::remove(int index)
{
    strokes_.remove(index);
}

void DrawingModel::touch()
{
    ++revision_;
    emit changed();
}
