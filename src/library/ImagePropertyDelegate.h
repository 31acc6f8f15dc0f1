#pragma once

#include <QString>
#include <QVariant>

// Names of the per-image properties.
namespace ImagePropertyKeys {
// The zoom factor the photo viewer last showed a picture at (a float number).
constexpr const char ZoomFactor[] = "LumoImageZoomFactor";
} // namespace ImagePropertyKeys

// A store of named values per image. The photo viewer holds its store through this interface;
// `identify` names the image (the viewer uses the picture's path).
class ImagePropertyDelegate {
public:
    virtual ~ImagePropertyDelegate() = default;

    // The value stored for `key` of image `identify`, or an invalid QVariant.
    virtual QVariant valueForKey(const QString &key, const QString &identify) const = 0;
    // Stores `value` for `key` of image `identify`.
    virtual void setValue(const QVariant &value, const QString &key, const QString &identify) = 0;
};
