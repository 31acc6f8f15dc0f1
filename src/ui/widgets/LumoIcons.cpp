#include "LumoIcons.h"

#include "core/Resources.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QSvgRenderer>
#include <QWidget>

namespace LumoIcons {

namespace {

// Runs a function when the widget it watches changes palette or style.
class PaletteFollower : public QObject {
public:
    PaletteFollower(QWidget *widget, std::function<void()> apply) : QObject(widget), apply_(std::move(apply))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::PaletteChange:
        case QEvent::ApplicationPaletteChange:
        case QEvent::StyleChange:
            apply_();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> apply_;
};

QPixmap tinted(QSvgRenderer &renderer, int side, const QColor &color)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), color);
    return pixmap;
}

} // namespace

QStringList names()
{
    return {QStringLiteral("folder-open"), QStringLiteral("media-playback-pause"),
            QStringLiteral("media-playlist-repeat"), QStringLiteral("object-rotate-right"),
            QStringLiteral("user-trash")};
}

bool themeHasSet()
{
    for (const QString &name : names()) {
        if (!QIcon::hasThemeIcon(name))
            return false;
    }
    return true;
}

QIcon flatIcon(const QString &name, const QPalette &palette)
{
    initArvoResources();
    QSvgRenderer renderer(QStringLiteral(":/symbols/%1.svg").arg(name));
    if (!renderer.isValid())
        return {};
    QIcon icon;
    for (int side : {16, 24, 32, 48}) {
        icon.addPixmap(tinted(renderer, side, palette.color(QPalette::Active, QPalette::ButtonText)),
                       QIcon::Normal);
        icon.addPixmap(tinted(renderer, side, palette.color(QPalette::Disabled, QPalette::ButtonText)),
                       QIcon::Disabled);
    }
    return icon;
}

QIcon icon(const QString &name, const QPalette &palette)
{
    return themeHasSet() ? QIcon::fromTheme(name) : flatIcon(name, palette);
}

void followPalette(QWidget *widget, std::function<void()> apply)
{
    apply();
    new PaletteFollower(widget, std::move(apply));
}

void setIcon(QAction *action, const QString &name, QWidget *widget)
{
    followPalette(widget, [action = QPointer<QAction>(action), name, widget] {
        if (action)
            action->setIcon(icon(name, widget->palette()));
    });
}

void setIcon(QAbstractButton *button, const QString &name)
{
    followPalette(button, [button, name] { button->setIcon(icon(name, button->palette())); });
}

} // namespace LumoIcons
