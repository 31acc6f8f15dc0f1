#include "LumoExposureButton.h"

#include "LumoScroller.h"

#include <QMenu>
#include <QWidgetAction>

static const char *const kStepTitles[] = {"+2", "+1", "0", "-1", "-2"};

LumoExposureButton::LumoExposureButton(QWidget *parent) : LumoPopUpButton(parent) {}

LumoExposureButton::Style LumoExposureButton::styleFor(const CameraControlSet &controls)
{
    return controls.exposure == CameraControlSet::Exposure::Slider ? SliderStyle : MenuStyle;
}

bool LumoExposureButton::hasFace(const CameraControlSet &controls) const
{
    if (style_ != styleFor(controls))
        return false;
    return style_ != SliderStyle
           || (sliderLevels_ == controls.exposureLevels && sliderStart_ == controls.defaultExposureLevel);
}

void LumoExposureButton::setFace(const CameraControlSet &controls)
{
    if (hasFace(controls))
        return;
    if (styleFor(controls) == SliderStyle) {
        sliderLevels_ = controls.exposureLevels;
        sliderStart_ = controls.defaultExposureLevel;
    }
    setStyle(styleFor(controls));
}

void LumoExposureButton::setStyle(int style)
{
    style_ = style;
    if (style == MenuStyle)
        setToTradMenu();
    else if (style == SliderStyle)
        setToScrollerMenu();
}

void LumoExposureButton::setToTradMenu()
{
    removeValueItems();
    // Text entries: the menu marks the chosen one with the style's check mark, which a picture
    // beside the entry would replace by a faint frame.
    for (const char *title : kStepTitles)
        addItem(QString::fromLatin1(title));
    // The middle step, "0", is where a camera starts; selected too, so that the control never
    // reads its own title entry as its value.
    LumoPopUpButton::selectItemAtIndex(3);
    itemAtIndex(3)->setChecked(true);
}

void LumoExposureButton::setToScrollerMenu()
{
    removeValueItems();
    auto *item = new QWidgetAction(popUpMenu());
    auto *slider = new LumoScroller;
    slider->resize(115, 202);
    slider->setMinimumSize(115, 202);
    slider->setMaxValue(sliderLevels_ - 1);
    // "Default" goes back to the level the camera starts at.
    slider->setDefaultValue(sliderStart_ - 1);
    // A slider change is answered like a picked entry: the owner then reads the selection.
    connect(slider, &LumoScroller::valueActivated, this, [this] { emit activated(indexOfSelectedItem()); });
    item->setDefaultWidget(slider);
    popUpMenu()->addAction(item);
    updateGeometry();
}

LumoScroller *LumoExposureButton::scroller() const
{
    auto *item = qobject_cast<QWidgetAction *>(itemAtIndex(1));
    return item ? qobject_cast<LumoScroller *>(item->defaultWidget()) : nullptr;
}

int LumoExposureButton::numberOfItems() const
{
    if (style_ == SliderStyle)
        return scroller() ? scroller()->maxValue() + 1 : 0;
    return LumoPopUpButton::numberOfItems();
}

int LumoExposureButton::indexOfSelectedItem() const
{
    if (style_ == SliderStyle)
        return scroller() ? scroller()->value() + 1 : 0;
    return LumoPopUpButton::indexOfSelectedItem();
}

QString LumoExposureButton::titleOfSelectedItem() const
{
    if (style_ == SliderStyle)
        return QString::number(indexOfSelectedItem());
    return LumoPopUpButton::titleOfSelectedItem();
}

void LumoExposureButton::selectItemAtIndex(int index)
{
    if (style_ != SliderStyle) {
        LumoPopUpButton::selectItemAtIndex(index);
        return;
    }
    if (LumoScroller *slider = scroller())
        slider->setIntValue(index - 1);
}

QStringList LumoExposureButton::valueTitles() const
{
    if (style_ != SliderStyle)
        return LumoPopUpButton::valueTitles();
    QStringList values;
    for (int level = 1; level <= numberOfItems(); ++level)
        values << QString::number(level);
    return values;
}

int LumoExposureButton::brighterIndex() const
{
    // The slider's levels run from index 1 to its number of levels; the menu's steps from 1 to
    // its last entry, after the title entry.
    const int index = indexOfSelectedItem();
    if (style_ == SliderStyle)
        return index >= 1 && index < numberOfItems() ? index + 1 : 1;
    const int last = numberOfItems() - 1;
    return index > 1 && index <= last ? index - 1 : last;
}
