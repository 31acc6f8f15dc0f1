#include "ui/review/ReviewTexts.h"

#include "library/FileItem.h"
#include "library/LumoPhotoList.h"

#include <QFileInfo>
#include <QKeySequence>

namespace {

const QString Separator = QStringLiteral("  \u00b7  ");

} // namespace

QString ReviewTexts::place(const QString &name, int row, int count, int selected)
{
    QStringList parts;
    if (!name.isEmpty() && row >= 0 && row < count)
        parts << name << tr("%1 of %2").arg(row + 1).arg(count);
    if (selected > 1)
        parts << tr("%n selected", nullptr, selected);
    return parts.join(Separator);
}

QString ReviewTexts::emptyTitle()
{
    return tr("No photos yet");
}

QString ReviewTexts::emptyHint()
{
    // Taking a photo is a camera mode command: the hint says how to get there first.
    return tr("Switch to Camera mode (%1), then press the camera's snapshot button or choose File \u25b8 "
              "Take "
              "Photo (%2).")
        .arg(QKeySequence(Qt::CTRL | Qt::Key_1).toString(QKeySequence::NativeText),
             QKeySequence(Qt::Key_Return).toString(QKeySequence::NativeText));
}

QString ReviewTexts::trashQuestion(const QStringList &paths)
{
    if (paths.isEmpty())
        return {};
    if (paths.size() == 1)
        return tr("Move \u201c%1\u201d to the trash?").arg(QFileInfo(paths.first()).fileName());
    int recordings = 0;
    for (const QString &path : paths)
        recordings += LumoPhotoList::typeOfName(QFileInfo(path).fileName()) == FileItem::Movie ? 1 : 0;
    const int photos = int(paths.size()) - recordings;
    if (recordings == 0)
        return tr("Move %n photos to the trash?", nullptr, photos);
    if (photos == 0)
        return tr("Move %n recordings to the trash?", nullptr, recordings);
    // One of either is spelled out, so the untranslated English reads right too.
    const QString photoCount = photos == 1 ? tr("1 photo") : tr("%n photos", nullptr, photos);
    const QString recordingCount =
        recordings == 1 ? tr("1 recording") : tr("%n recordings", nullptr, recordings);
    return tr("Move %1 and %2 to the trash?").arg(photoCount, recordingCount);
}

QString ReviewTexts::trashDetail(int count)
{
    return count == 1 ? tr("It can be put back from the trash.") : tr("They can be put back from the trash.");
}
