#pragma once

#include "platform/TColor.h"

#include <QImage>
#include <QWidget>

class QPainter;

// The latching speed button: a small button with a caption and a glyph
// that can stay down. With GroupIndex 0 it is a plain push button. With a
// GroupIndex it latches: a click puts it down, and the next click puts it
// up again only with AllowAllUp; putting a button down releases the down
// button of the same group under the same parent. A click first changes
// Down and then raises OnClick; setting Down from code raises nothing.
//
// The glyph is a strip of NumGlyphs frames of equal width side by side:
// up, disabled, clicked (held down by the mouse), down (latched). A missing
// frame falls back to the clicked frame and then to the up frame; a
// missing disabled frame is the up frame engraved. The colour of the
// strip's bottom-left pixel is transparent. Margin is the distance from
// the edge to the glyph (-1: centre glyph and caption together); Spacing
// the distance from glyph to caption (-1: share the free space).
//
// The keys: Tab reaches the button (a mouse click does not take the
// focus); Space and Enter work it as a click in its middle does, Space
// pressing it while held. Reached from the keyboard, it shows the dotted
// focus mark inside its edge.
//
// Derived buttons extend the mouse handling through the virtual MouseDown,
// MouseMove, MouseUp, MouseEnter and MouseLeave, the click through Click,
// and the look through Paint.
class TSpeedButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(int Margin READ Margin WRITE setMargin)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(TButtonLayout Layout READ Layout WRITE setLayout)
    Q_PROPERTY(bool Flat READ Flat WRITE setFlat)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(bool Down READ Down WRITE setDown)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE setFontColor)

public:
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    Q_ENUM(TButtonLayout)
    // The look: up, disabled, clicked (held by the mouse), latched down.
    enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
    Q_ENUM(TButtonState)

    explicit TSpeedButton(QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    void setCaption(const QString& caption);
    QImage Glyph() const { return FGlyph; }
    void setGlyph(const QImage& glyph);
    // The glyph read from a picture file or resource path.
    void setGlyph(const QString& path);
    int NumGlyphs() const { return FNumGlyphs; }
    void setNumGlyphs(int count);
    int Margin() const { return FMargin; }
    void setMargin(int margin);
    int Spacing() const { return FSpacing; }
    void setSpacing(int spacing);
    TButtonLayout Layout() const { return FLayout; }
    void setLayout(TButtonLayout layout);
    bool Flat() const { return FFlat; }
    void setFlat(bool value);
    bool Transparent() const { return FTransparent; }
    void setTransparent(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void setGroupIndex(int index);
    bool AllowAllUp() const { return FAllowAllUp; }
    void setAllowAllUp(bool value);
    bool Down() const { return FDown; }
    void setDown(bool value);
    // The font's colour: the palette's window-text colour.
    TColor FontColor() const;
    void setFontColor(TColor colour);

    // The look the button shows now.
    TButtonState State() const;
    // Raises OnClick.
    virtual void Click();
    // A click in the button's middle, as Enter and a screen reader's
    // "press" give it: a latching button turns over, then OnClick.
    void Press();

signals:
    void OnClick(QObject* Sender);
    void OnDblClick(QObject* Sender);
    void OnMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

protected:
    virtual void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The standard look: raised, or sunken while down; flat buttons show
    // a thin frame only under the pointer or while down.
    virtual void Paint(QPainter& canvas);

    // Frame index of the strip (0 up, 1 disabled, 2 clicked, 3 down) as
    // the button would draw it; empty when there is no glyph.
    QImage glyphFrame(int index) const;
    QSize glyphFrameSize() const;

    void paintEvent(QPaintEvent* event) override;
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
    // Space and Enter as the left button in the button's middle.
    bool keyDown(QKeyEvent* event);
    bool keyUp(QKeyEvent* event);
    // Tells a screen reader that Down changed.
    void noticeDown();
    void prepareFrames();
    // The frames of a strip, keyed out, the missing ones made up.
    void cutFrames(const QImage& strip, QImage (&frames)[4]) const;
    // Releases the down button of this button's group under its parent.
    void releaseGroup();

    QString FCaption;
    QImage FGlyph;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 4;
    TButtonLayout FLayout = blGlyphLeft;
    bool FFlat = false;
    bool FTransparent = true;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false;

    TButtonState FState = bsUp;
    bool FDragging = false;
    bool FMouseInControl = false;
    // Space is held on the button.
    bool FKeyHeld = false;
    // The glyph's frames with the transparent colour taken out, by state.
    QImage FFrames[4];
    // The glyph's twin at twice the pixels when it was read from a path
    // that has one, and its frames (device pixel ratio 2).
    QImage FTwiceGlyph;
    QImage FTwiceFrames[4];
};
