#include "FormAccessibility.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(FormAccessibility)
};

void collectWidgets(QLayoutItem *item, QList<QWidget *> &widgets)
{
    if (!item)
        return;
    if (QWidget *widget = item->widget()) {
        widgets << widget;
        // A form of its own inside describes its rows itself.
        if (!qobject_cast<QFormLayout *>(widget->layout()))
            widgets << widget->findChildren<QWidget *>();
    } else if (QLayout *layout = item->layout()) {
        for (int i = 0; i < layout->count(); ++i)
            collectWidgets(layout->itemAt(i), widgets);
    }
}

QString plain(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

// How the keyboard works a control, for one that has nothing else to say about itself.
QString keyboardHint(const QWidget *control)
{
    if (qobject_cast<const QAbstractSlider *>(control) || qobject_cast<const QAbstractSpinBox *>(control))
        return Text::tr("The arrow keys change the value");
    if (qobject_cast<const QComboBox *>(control))
        return Text::tr("Space opens the choices; the arrow keys pick one");
    if (qobject_cast<const QLineEdit *>(control))
        return Text::tr("A text field");
    return Text::tr("Space chooses it");
}

void describe(QWidget *control, const QString &label)
{
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    if (control->accessibleName().isEmpty() && !label.isEmpty() && !(button && !button->text().isEmpty()))
        control->setAccessibleName(label);
    if (!control->accessibleDescription().isEmpty())
        return;
    const QString name =
        plain(control->accessibleName().isEmpty() && button ? button->text() : control->accessibleName());
    if (!control->toolTip().isEmpty())
        control->setAccessibleDescription(control->toolTip());
    else if (!label.isEmpty() && label != name)
        control->setAccessibleDescription(label);
    else
        control->setAccessibleDescription(keyboardHint(control));
}

bool isControl(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QAbstractSlider *>(widget)
           || qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QComboBox *>(widget)
           || qobject_cast<const QLineEdit *>(widget);
}

} // namespace

void describeFormFields(QFormLayout *form)
{
    for (int row = 0; row < form->rowCount(); ++row) {
        QString label;
        if (QLayoutItem *item = form->itemAt(row, QFormLayout::LabelRole))
            if (auto *text = qobject_cast<QLabel *>(item->widget()))
                label = plain(text->text());
        QList<QWidget *> widgets;
        collectWidgets(form->itemAt(row, QFormLayout::FieldRole), widgets);
        collectWidgets(form->itemAt(row, QFormLayout::SpanningRole), widgets);
        for (QWidget *widget : widgets) {
            // A combo box's own line edit and the like belong to their control.
            if (isControl(widget) && !isControl(widget->parentWidget()))
                describe(widget, label);
        }
    }
}
