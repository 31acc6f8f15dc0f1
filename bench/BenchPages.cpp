#include "BenchPages.h"

#include "capture/virtual/SyntheticPage.h"

#include <QLinearGradient>
#include <QPainter>

#include <map>

#include <libyuv/convert_from_argb.h>
#include <turbojpeg.h>

namespace BenchPages {

namespace {

QImage cameraPage(const QSize &size)
{
    QImage page;
    SyntheticPage(size, QStringLiteral("benchmark")).renderFrame(1, page);
    return page;
}

} // namespace

const QByteArray &cameraJpeg(const QSize &size)
{
    static std::map<std::pair<int, int>, QByteArray> cache;
    QByteArray &jpeg = cache[{size.width(), size.height()}];
    if (jpeg.isEmpty()) {
        const QImage page = cameraPage(size);
        tjhandle encoder = tjInitCompress();
        unsigned char *data = nullptr;
        unsigned long length = 0;
        tjCompress2(encoder, page.constBits(), page.width(), int(page.bytesPerLine()), page.height(),
                    TJPF_BGRX, &data, &length, TJSAMP_422, 90, 0);
        jpeg = QByteArray(reinterpret_cast<const char *>(data), qsizetype(length));
        tjFree(data);
        tjDestroy(encoder);
    }
    return jpeg;
}

const QByteArray &cameraYuyv(const QSize &size)
{
    static std::map<std::pair<int, int>, QByteArray> cache;
    QByteArray &yuyv = cache[{size.width(), size.height()}];
    if (yuyv.isEmpty()) {
        const QImage page = cameraPage(size);
        yuyv.resize(qsizetype(size.width()) * 2 * size.height());
        libyuv::ARGBToYUY2(page.constBits(), int(page.bytesPerLine()),
                           reinterpret_cast<uint8_t *>(yuyv.data()), size.width() * 2, size.width(),
                           size.height());
    }
    return yuyv;
}

QImage documentFrame(int width)
{
    const QSize size(width, width * 3 / 4);
    QImage image(size, QImage::Format_RGB32);
    QLinearGradient paper(0, 0, size.width(), size.height());
    paper.setColorAt(0, QColor(246, 244, 238));
    paper.setColorAt(1, QColor(222, 220, 212));
    QPainter p(&image);
    p.fillRect(image.rect(), paper);
    p.scale(width / 1280.0, width / 1280.0);
    p.setPen(QColor(30, 30, 40));
    QFont font;
    font.setPixelSize(18);
    p.setFont(font);
    for (int line = 0; line < 34; ++line)
        p.drawText(
            90, 80 + line * 24,
            QStringLiteral("Line %1: the quick brown fox jumps over the lazy dog 0123456789").arg(line));
    p.fillRect(QRect(86, 246, 620, 22), QColor(255, 235, 40, 110));
    p.setBrush(QColor(40, 110, 200));
    p.drawEllipse(QRect(900, 600, 260, 200));
    return image;
}

} // namespace BenchPages
