#pragma once

#include "LumoPopUpButton.h"

#include "ui/camera/CameraControlSet.h"

class LumoScroller;

// The exposure control, with one of two faces chosen by what the camera offers:
//   - the menu face: five signed steps "+2" to "-2", each with its picture;
//   - the slider face: the menu holds one entry whose widget is a LumoScroller of the camera's
//     levels (fifteen unless it names another number); entry index i stands for slider value
//     i - 1, so indexes run from 1 to the number of levels as the entries of a menu would.
// Either way the owner talks to it through the pop-up operations and activated(). Main thread.
class LumoExposureButton : public LumoPopUpButton {
    Q_OBJECT
public:
    enum Style { MenuStyle = 0, SliderStyle = 1 };

    explicit LumoExposureButton(QWidget *parent = nullptr);

    // The face a camera's controls ask for: the slider for a camera of levels, the menu of five
    // steps for any other (a camera without exposure control gets the menu, hidden).
    static Style styleFor(const CameraControlSet &controls);
    // Takes the face, with the slider's levels and starting level, that `controls` asks for;
    // rebuilt only when that changes, so a selection stays where it is otherwise.
    void setFace(const CameraControlSet &controls);
    // Whether the control shows the face `controls` asks for.
    bool hasFace(const CameraControlSet &controls) const;
    int sliderLevels() const { return sliderLevels_; }

    int style() const { return style_; }
    // Rebuilds the menu for the face; other values are only stored.
    void setStyle(int style);
    void setToTradMenu();
    void setToScrollerMenu();

    // The slider of the slider face, or null.
    LumoScroller *scroller() const;

    int numberOfItems() const override;
    int indexOfSelectedItem() const override;
    QString titleOfSelectedItem() const override;
    void selectItemAtIndex(int index) override;
    // The entry one step brighter than the selected one, the darkest after the brightest: the
    // menu lists its steps from the brightest down, the slider its levels from the darkest up.
    int brighterIndex() const;

protected:
    QStringList valueTitles() const override;

private:
    int style_ = MenuStyle;
    int sliderLevels_ = 15;
    int sliderStart_ = 4;
};
