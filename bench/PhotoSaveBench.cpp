// Saving a photo must cost little more than encoding it: the thumbnail, the EXIF pass and the
// atomic write (with its flush to the disk) are measured together against the photo's JPEG
// encode alone, at every frame size. The goal is in CPU time: the wall time also holds the
// wait for the disk, which BM_DiskFlush shows on its own (the photo's bytes written into a
// new file of the same folder and flushed with fdatasync).

#include "BenchPages.h"
#include "BenchTable.h"
#include "core/UserDefaults.h"
#include "photos/PhotoEncoder.h"
#include "photos/PhotoWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

void sizes(benchmark::internal::Benchmark *b)
{
    for (int width : {640, 1280, 1600, 2592})
        b->Arg(width);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_PhotoEncodeBaseline(benchmark::State &state)
{
    const QImage frame = BenchPages::documentFrame(int(state.range(0)));
    qint64 size = 0;
    for (auto _ : state) {
        QString error;
        const QByteArray jpeg = PhotoEncoder::encodeJpeg(frame, &error);
        if (jpeg.isEmpty()) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        size = jpeg.size();
    }
    state.counters["bytes"] = double(size);
}
BENCHMARK(BM_PhotoEncodeBaseline)->Apply(sizes);

void BM_PhotoSave(benchmark::State &state)
{
    const QImage frame = BenchPages::documentFrame(int(state.range(0)));
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("Arvo.conf")));
    PhotoWriter writer(&defaults);
    writer.setSettings({dir.path(), false, {}});
    // The photos stay until the end, as a user's do: removing each one in the loop would put
    // its freed blocks into the journal commit of the next photo's flush.
    QString last;
    for (auto _ : state) {
        const PhotoResult result = writer.save(frame, QStringLiteral("Arvoscope"));
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
        last = result.path;
    }
    state.counters["bytes"] = double(QFileInfo(last).size());
}
BENCHMARK(BM_PhotoSave)->Apply(sizes);

void BM_DiskFlush(benchmark::State &state)
{
    const QByteArray bytes = PhotoEncoder::encodeJpeg(BenchPages::documentFrame(int(state.range(0))));
    QTemporaryDir dir;
    int count = 0;
    for (auto _ : state) {
        const QByteArray name = QFile::encodeName(dir.filePath(QString::number(++count)));
        const int fd = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size()
            || ::fdatasync(fd) != 0) {
            state.SkipWithError("cannot write");
            if (fd >= 0)
                ::close(fd);
            break;
        }
        ::close(fd);
    }
}
BENCHMARK(BM_DiskFlush)->Apply(sizes);

const bool rows = [] {
    for (const char *width : {"640", "1280", "1600", "2592"}) {
        const std::string arg = std::string("/") + width + "/real_time";
        BenchTable::addRow("BM_PhotoSave" + arg, "BM_PhotoEncodeBaseline" + arg,
                           std::string(width) == "640" ? "cpu <= 2.0" : "cpu <= 1.30");
        BenchTable::addRow("BM_DiskFlush" + arg, "BM_PhotoEncodeBaseline" + arg, "-");
    }
    return true;
}();

} // namespace
