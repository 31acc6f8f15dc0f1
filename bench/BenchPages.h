#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// The pictures the benchmarks work on, made once per size and run.
namespace BenchPages {

// A page as the camera sees it (the virtual camera's synthetic page), JPEG-compressed as cameras
// do: 4:2:2, high quality.
const QByteArray &cameraJpeg(const QSize &size);

// The same page as an uncompressed YUYV frame (4:2:2, two bytes a pixel, no padding).
const QByteArray &cameraYuyv(const QSize &size);

// A printed page as a photo shows it: paper with a little shading, lines of dark text, a marker
// stroke and a coloured figure, laid out for a 1280 x 960 frame and scaled to `width` (4:3).
QImage documentFrame(int width);

} // namespace BenchPages
