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

#include <memory>

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

// The shape `paint` draws, filled with `color`.
QPixmap tinted(int side, const QColor &color, const std::function<void(QPainter &, const QRect &)> &paint)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(painter, pixmap.rect());
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), color);
    return pixmap;
}

const int Sides[] = {16, 24, 32, 48};

// The theme's symbolic (one-colour, flat) picture of `name`: the style desktops use for toolbar
// buttons, recoloured like symbolic icons are so that it reads on a light and a dark palette.
QString symbolicName(const QString &name)
{
    return name + QStringLiteral("-symbolic");
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
        if (!QIcon::hasThemeIcon(symbolicName(name)))
            return false;
    }
    return true;
}

// `paint` drawn in the palette's button text colours, enabled and disabled.
static QIcon paletteIcon(const QPalette &palette, const std::function<void(QPainter &, const QRect &)> &paint)
{
    QIcon icon;
    for (int side : Sides) {
        icon.addPixmap(tinted(side, palette.color(QPalette::Active, QPalette::ButtonText), paint),
                       QIcon::Normal);
        icon.addPixmap(tinted(side, palette.color(QPalette::Disabled, QPalette::ButtonText), paint),
                       QIcon::Disabled);
    }
    return icon;
}

QIcon flatIcon(const QString &name, const QPalette &palette)
{
    initArvoResources();
    auto renderer = std::make_shared<QSvgRenderer>(QStringLiteral(":/symbols/%1.svg").arg(name));
    if (!renderer->isValid())
        return {};
    return paletteIcon(palette, [renderer](QPainter &painter, const QRect &) { renderer->render(&painter); });
}

QIcon icon(const QString &name, const QPalette &palette)
{
    if (!themeHasSet())
        return flatIcon(name, palette);
    const QIcon symbolic = QIcon::fromTheme(symbolicName(name));
    return paletteIcon(palette,
                       [symbolic](QPainter &painter, const QRect &area) { symbolic.paint(&painter, area); });
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
