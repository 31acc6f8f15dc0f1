#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The poster frames of the movies in the library: a frame from about a second in, with the
// movie's length written in a corner, read with GStreamer.
//
// Pure functions, safe on any thread: each call builds and tears down its own pipeline, and
// waits for it a bounded time, so a damaged file costs at most that wait and never hangs a
// thumbnail thread.
namespace MoviePoster {

// How far in the poster frame is taken; a shorter movie shows its first frame.
constexpr qint64 PosterOffsetMs = 1000;
// The longest a pipeline is waited for at each step (starting, seeking) before the file is
// given up as unreadable.
constexpr int StepTimeoutMs = 5000;

struct Frame {
    QImage image;           // Format_RGB32 at the movie's size; null when nothing could be read
    qint64 durationMs = -1; // -1 when the file does not tell
};

// The poster frame of the movie at `path`, at its full size. A missing, empty, damaged or
// sound-only file gives a null image.
Frame readFrame(const QString &path);

// Whether the MP4 or QuickTime file at `path` has its movie header at the top level, where
// players look for it. A file cut short before its header was written (a copy broken off, a
// recording whose end was never written) has none and cannot be played.
bool hasMovieHeader(const QString &path);

// A length as a player shows it: "0:42", "12:05", "1:02:03"; whole seconds, rounded to the
// nearest. Empty for a negative length.
QString durationText(qint64 ms);

// `frame` fitted into `bound` (aspect kept, never enlarged) with `durationMs` on a small dark
// rounded label in its bottom-right corner (no label when the length is unknown). Null when the
// frame is.
QImage withDuration(const QImage &frame, const QSize &bound, qint64 durationMs);

// The thumbnail of the movie at `path`: readFrame() then withDuration(). Null when the file
// cannot be read or `bound` is empty.
QImage thumbnail(const QString &path, const QSize &bound);

} // namespace MoviePoster
