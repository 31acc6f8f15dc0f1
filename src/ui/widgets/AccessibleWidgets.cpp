#include "AccessibleWidgets.h"

#include "LumoButtonView.h"
#include "LumoScroller.h"

#include <QAccessibleWidget>

namespace {

// A picture button: a button while anybody listens to its clicks and it responds, a picture
// otherwise (the focus cross, the exposure read-out).
class AccessibleButtonView : public QAccessibleWidget {
public:
    explicit AccessibleButtonView(LumoButtonView *view) : QAccessibleWidget(view, QAccessible::Button) {}

    QAccessible::Role role() const override
    {
        return view()->isPressable() ? QAccessible::Button : QAccessible::Graphic;
    }
    QStringList actionNames() const override
    {
        return view()->isPressable() ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            view()->click();
    }

private:
    LumoButtonView *view() const { return static_cast<LumoButtonView *>(widget()); }
};

class AccessibleScroller : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleScroller(LumoScroller *scroller) : QAccessibleWidget(scroller, QAccessible::Slider) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return scroller()->intValue(); }
    void setCurrentValue(const QVariant &value) override { scroller()->setValueByUser(value.toInt()); }
    QVariant maximumValue() const override { return scroller()->maxValue(); }
    QVariant minimumValue() const override { return scroller()->minValue(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    LumoScroller *scroller() const { return static_cast<LumoScroller *>(widget()); }
};

QAccessibleInterface *accessibleWidget(const QString &className, QObject *object)
{
    if (className == QLatin1String("LumoButtonView"))
        return new AccessibleButtonView(static_cast<LumoButtonView *>(object));
    if (className == QLatin1String("LumoScroller"))
        return new AccessibleScroller(static_cast<LumoScroller *>(object));
    return nullptr;
}

} // namespace

void installAccessibleWidgets()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleWidget);
        return true;
    }();
    Q_UNUSED(installed);
}
