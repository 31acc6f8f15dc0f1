#pragma once

#include "LumoPopUpButton.h"

#include "device/LumoCamera.h"

class LumoScroller;

// The exposure control, with one of two faces chosen by the camera model:
//   - the menu face: five signed steps "+2" to "-2", each with its picture;
//   - the slider face: the menu holds one entry whose widget is a LumoScroller of fifteen
//     levels; entry index i stands for slider value i - 1, so indexes run from 1 to 15 as the
//     entries of a menu would.
// Either way the owner talks to it through the pop-up operations and activated(). Main thread.
class LumoExposureButton : public LumoPopUpButton {
    Q_OBJECT
public:
    enum Style { MenuStyle = 0, SliderStyle = 1 };

    explicit LumoExposureButton(QWidget *parent = nullptr);

    // The face for a camera: the slider for a camera with more exposure levels than the menu's
    // five steps.
    static Style styleForCamera(const LumoCamera *camera);

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

private:
    int style_ = MenuStyle;
};
