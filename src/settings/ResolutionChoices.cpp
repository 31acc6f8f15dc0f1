#include "ResolutionChoices.h"

#include "Conversions.h"
#include "device/LumoCamera.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr int OutputTableEntries = 6;
constexpr QSize DefaultSize(1280, 960);

qint64 area(const QSize &size)
{
    return qint64(size.width()) * size.height();
}

double aspect(const QSize &size)
{
    return double(size.width()) / size.height();
}

} // namespace

ResolutionChoices ResolutionChoices::forCamera(const LumoCamera *camera)
{
    if (!camera || camera->hasOutputSizeTable())
        return outputTable();
    QList<QSize> sizes;
    for (const LumoCamera::FrameMode &mode : camera->frameModes())
        sizes << mode.size;
    // A camera that does not say what it streams is offered the table's sizes, which the
    // capture produces by scaling; its choice is still kept as a size.
    ResolutionChoices choices = ofSizes(sizes);
    if (choices.isEmpty())
        choices.sizes_ = outputTable().sizes_;
    return choices;
}

ResolutionChoices ResolutionChoices::outputTable()
{
    ResolutionChoices choices;
    choices.keptByIndex_ = true;
    for (int i = 0; i < OutputTableEntries; ++i)
        choices.sizes_ << toPhotoOutputSize(i).toSize();
    return choices;
}

ResolutionChoices ResolutionChoices::ofSizes(const QList<QSize> &sizes)
{
    ResolutionChoices choices;
    for (const QSize &size : sizes) {
        if (!size.isEmpty() && !choices.sizes_.contains(size))
            choices.sizes_ << size;
    }
    std::sort(choices.sizes_.begin(), choices.sizes_.end(), [](const QSize &a, const QSize &b) {
        return area(a) != area(b) ? area(a) > area(b) : a.width() > b.width();
    });
    return choices;
}

QString ResolutionChoices::title(const QSize &size)
{
    return QStringLiteral("%1×%2").arg(size.width()).arg(size.height());
}

QStringList ResolutionChoices::titles() const
{
    QStringList titles;
    for (const QSize &size : sizes_)
        titles << title(size);
    return titles;
}

QSize ResolutionChoices::nearest(const QSize &wanted) const
{
    if (sizes_.isEmpty() || sizes_.contains(wanted))
        return sizes_.isEmpty() ? QSize() : wanted;
    if (wanted.isEmpty())
        return defaultSize();
    const auto sameShape = [&](const QSize &size) {
        return std::abs(aspect(size) / aspect(wanted) - 1) < 0.01;
    };
    const bool anySameShape = std::any_of(sizes_.begin(), sizes_.end(), sameShape);
    QSize best;
    double bestDistance = 0;
    // Largest first, so that of two equally close sizes the larger stays.
    for (const QSize &size : sizes_) {
        if (anySameShape && !sameShape(size))
            continue;
        const double distance = std::abs(std::log(double(area(size)) / double(area(wanted))));
        if (!best.isValid() || distance < bestDistance) {
            best = size;
            bestDistance = distance;
        }
    }
    return best;
}

QSize ResolutionChoices::defaultSize() const
{
    return nearest(DefaultSize);
}
