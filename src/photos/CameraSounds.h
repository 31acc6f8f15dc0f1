#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QSoundEffect;

// The four camera sounds: "CameraFocusBeep", "CameraServoAutoFocus", "CameraShutter",
// "TimerTick". Played on the main thread whichever thread asks; a machine without an audio
// device stays silent without complaint.
class CameraSounds : public QObject {
    Q_OBJECT
public:
    static constexpr char FocusBeep[] = "CameraFocusBeep";
    static constexpr char ServoAutoFocus[] = "CameraServoAutoFocus";
    static constexpr char Shutter[] = "CameraShutter";
    static constexpr char TimerTick[] = "TimerTick";

    explicit CameraSounds(QObject *parent = nullptr);

    void play(const QString &name);

    // Replaces the audio output, for tests: `player` is called with each sound's name instead.
    void setPlayer(std::function<void(const QString &)> player) { player_ = std::move(player); }

private:
    void playNow(const QString &name);

    QHash<QString, QSoundEffect *> effects_;
    std::function<void(const QString &)> player_;
};
