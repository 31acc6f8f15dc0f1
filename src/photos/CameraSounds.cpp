#include "CameraSounds.h"

#include "core/MainThread.h"
#include "core/Resources.h"

#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

CameraSounds::CameraSounds(QObject *parent) : QObject(parent)
{
    initArvoResources();
}

void CameraSounds::play(const QString &name)
{
    QPointer<CameraSounds> self = this;
    runOnMainThread([self, name] {
        if (self)
            self->playNow(name);
    });
}

void CameraSounds::playNow(const QString &name)
{
    if (player_) {
        player_(name);
        return;
    }
    // Loaded on first use, so that a run without sounds never opens the audio system.
    QSoundEffect *effect = effects_.value(name);
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(name)));
        effects_.insert(name, effect);
    }
    effect->play();
}
