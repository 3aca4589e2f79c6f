#pragma once

#include "widgets/controls/TSpeedButton.h"

#include <QPointer>

// A speed button with a flat face of one colour that turns to ActiveColor
// under the pointer, a one-pixel raised bevel (lowered while pressed with
// the pointer over it), an optional one-pixel frame around the whole
// button in FrameColor and the caption centred on one line. A click can
// hand ModalResult to the button's form, and the enabled state is passed
// on to a linked Control. With DefaultStyle the button keeps the standard
// speed-button look.
class TglSpeedButton : public TSpeedButton
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    Q_PROPERTY(TColor ActiveColor READ ActiveColor WRITE setActiveColor)
    Q_PROPERTY(QWidget* Control READ Control WRITE setControl)
    Q_PROPERTY(QWidget* CaptionLabel READ CaptionLabel WRITE setCaptionLabel)
    Q_PROPERTY(bool Frame READ Frame WRITE setFrame)
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE setFrameColor)
    Q_PROPERTY(bool DefaultStyle READ DefaultStyle WRITE setDefaultStyle)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult)

public:
    explicit TglSpeedButton(QWidget* parent = nullptr);

    TColor Color() const { return FColor; }
    void setColor(TColor colour);
    TColor ActiveColor() const { return FActiveColor; }
    void setActiveColor(TColor colour) { FActiveColor = colour; }
    // A control whose enabled state follows the button's; forgotten when
    // it is destroyed.
    QWidget* Control() const { return FControl; }
    void setControl(QWidget* control) { FControl = control; }
    QWidget* CaptionLabel() const { return FCaptionLabel; }
    void setCaptionLabel(QWidget* label);
    bool Frame() const { return FFrame; }
    void setFrame(bool value);
    TColor FrameColor() const { return FFrameColor; }
    void setFrameColor(TColor colour);
    bool DefaultStyle() const { return FDefaultStyle; }
    void setDefaultStyle(bool value);
    // Enables or disables the button and then the linked Control.
    void setEnabled(bool value);
    int ModalResult() const { return FModalResult; }
    void setModalResult(int value) { FModalResult = value; }

    // The pointer is over the enabled button.
    bool Hover() const { return FHover; }
    // A mouse button went down on the enabled button and is still held.
    bool Pressed() const { return FPressed; }

    // OnClick, then the modal result to the form.
    void Click() override;

protected:
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Paint(QPainter& canvas) override;

private:
    void setHover(bool value);

    bool FHover = false;
    bool FPressed = false;
    QPointer<QWidget> FControl;
    bool FFrame = true;
    QPointer<QWidget> FCaptionLabel;
    bool FDefaultStyle = false;
    int FModalResult = 0;
    TColor FFrameColor = clBlack;
    TColor FColor;
    TColor FActiveColor;
    // OnClick is running; a leaving of the pointer meanwhile waits.
    bool FInClick = false;
    bool FLeavePending = false;
};
