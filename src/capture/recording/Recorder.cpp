#include "Recorder.h"

#include <QCoreApplication>

// The encoder pipeline is not in place yet: every start is refused with a message, so the
// controls that drive the recorder can be built and tried.
struct Recorder::Private {
    Overlay overlay;
};

Recorder::Recorder(UserDefaults *, QObject *parent) : QObject(parent), d_(std::make_unique<Private>()) {}

Recorder::~Recorder() = default;

QList<Recorder::Microphone> Recorder::microphones()
{
    return {{QString(), QCoreApplication::translate("Recorder", "Default microphone")}};
}

bool Recorder::start()
{
    emit failed(QCoreApplication::translate("Recorder", "Recording is not available."));
    return false;
}

void Recorder::stop(End) {}
bool Recorder::isRecording() const
{
    return false;
}
QString Recorder::path() const
{
    return QString();
}
qint64 Recorder::elapsedMs() const
{
    return 0;
}
qint64 Recorder::bytesWritten() const
{
    return 0;
}
bool Recorder::hasSound() const
{
    return false;
}
void Recorder::addFrame(const LiveFrame &) {}
void Recorder::setOverlay(Overlay overlay)
{
    d_->overlay = std::move(overlay);
}

QString Recorder::endMessage(End, const QString &fileName)
{
    return QCoreApplication::translate("Recorder", "Recording saved: %1").arg(fileName);
}
