#include "library/PhotoTrash.h"

#include "core/LumoLog.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

TrashResult movePhotoToTrash(const QString &path)
{
    TrashResult result;
    QFile file(path);
    if (!file.moveToTrash()) {
        result.error =
            QCoreApplication::translate("PhotoTrash", "The photo could not be moved to the trash: %1")
                .arg(file.errorString());
        LUMO_LOG("%s not trashed: %s", qPrintable(path), qPrintable(file.errorString()));
        return result;
    }
    result.ok = true;
    result.trashedPath = file.fileName();
    return result;
}
