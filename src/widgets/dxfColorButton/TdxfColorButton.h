#pragma once

#include "widgets/common/ButtonGroupNotice.h"
#include "platform/TColor.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

// The oval colour button: a shaded ball in Color, lit from the upper left
// when up and sunken toward the lower right when pressed, with a glyph and
// a caption of several lines. Its window is the ellipse one pixel larger
// on every side than its bounds, so a press outside the ellipse does not
// reach it. With GroupIndex 0 it is a push button; with a GroupIndex it
// latches down on a click and the other members of the group under the
// same parent (glyph check boxes included) come up; with AllowAllUp a
// click on the down button releases it.
//
// OnClick follows a press and a release inside the button; it runs while
// the face still shows pressed, and the face comes up after it returns.
// A disabled button draws its caption engraved and ignores the mouse.
//
// The keys: Tab reaches the button (a mouse click does not take the
// focus), Space presses it while held and clicks on its release, Enter
// clicks at once. Reached from the keyboard, it frames its caption with
// the dotted focus mark.
class TdxfColorButton : public QWidget, public ButtonGroupNotice
{
    Q_OBJECT
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(QStringList Caption READ Caption WRITE setCaption)
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool Down READ Down WRITE setDown)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
    Q_PROPERTY(TdxfButtonLayout Layout READ Layout WRITE setLayout)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE setFontColor)

public:
    enum TdxfButtonLayout { dxfGlyphLeft, dxfGlyphRight, dxfGlyphTop, dxfGlyphBottom };
    Q_ENUM(TdxfButtonLayout)

    explicit TdxfColorButton(QWidget* parent = nullptr);

    bool AllowAllUp() const { return FAllowAllUp; }
    void setAllowAllUp(bool value) { FAllowAllUp = value; }
    QStringList Caption() const { return FCaption; }
    void setCaption(const QStringList& lines);
    // The lines of a text broken at its line breaks.
    void setCaption(const QString& text);
    TColor Color() const { return FColor; }
    void setColor(TColor colour);
    bool Down() const { return FDown; }
    void setDown(bool value);
    QImage Glyph() const { return FGlyph; }
    // The colour of the glyph's bottom-left pixel is left out when drawn.
    void setGlyph(const QImage& glyph);
    // The glyph read from a picture file or resource path.
    void setGlyph(const QString& path);
    int GroupIndex() const { return FGroupIndex; }
    void setGroupIndex(int index) { FGroupIndex = index; }
    TdxfButtonLayout Layout() const { return FLayout; }
    void setLayout(TdxfButtonLayout layout);
    // The font's colour: the palette's window-text colour.
    TColor FontColor() const;
    void setFontColor(TColor colour);

    // The face is shown pressed.
    bool Pressed() const { return FPressed; }
    // The two faces at the button's size, rendered when first needed after
    // a change of size, colour or font.
    const QImage& FaceUp();
    const QImage& FaceDown();

    // Raises OnClick when the button is enabled.
    virtual void Click();

    void buttonPressed(int groupIndex, QWidget* sender) override;

signals:
    void OnClick(QObject* Sender);
    void OnDblClick(QObject* Sender);
    void OnMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // A release of the left button (or of the key) has been handled up to
    // the click: the face comes up, or a grouped button latches.
    void afterRelease(bool inside);
    // Space and Enter, as a press and a release inside the button.
    bool keyDown(QKeyEvent* event);
    bool keyUp(QKeyEvent* event);
    void paintFocusMark(QPainter& p, const QList<QPoint>& lines, const QList<int>& widths, int lineHeight);
    void leftDown();
    void pointerEntered();
    void pointerLeft();
    // The point lies in the button's elliptic shape.
    bool inShape(QPoint at) const;
    void renderFaces();

    TColor FColor = clWhite;
    bool FDown = false;
    bool FPressed = false;
    bool FMouseHeld = false;
    bool FMouseInside = false;
    QStringList FCaption;
    QImage FFaceUp;
    QImage FFaceDown;
    QImage FGlyph;
    TdxfButtonLayout FLayout = dxfGlyphLeft;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;

    // The faces no longer fit the size, colour or font.
    bool FFacesStale = true;
    // The device pixel ratio the faces were rendered for.
    qreal FFacesRatio = 1;
    // The glyph with its transparent colour taken out.
    QImage FGlyphShown;
    // A press (not the second press of a double click) waits for its
    // release to become a click.
    bool FClickArmed = false;
    // OnClick is running; a leaving of the pointer meanwhile waits.
    bool FInClick = false;
    bool FLeavePending = false;
    // Space is held on the button.
    bool FKeyHeld = false;
};
