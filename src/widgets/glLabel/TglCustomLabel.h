#pragma once

#include "platform/TColor.h"

#include <QPointer>
#include <QWidget>

// The base of the hover texts: a caption that watches a focus control.
// Pointer actions (entering, or a left button going down or up, as
// FocusControlMethod says) give FocusControl the keyboard focus; and while
// a focus control is set (and the watch is enabled) the label follows the
// control's focus: its gaining the focus activates the label's look and
// its losing the focus deactivates it. The label paints nothing itself;
// derived labels draw the caption.
class TglCustomLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(QWidget* FocusControl READ FocusControl WRITE setFocusControl)
    Q_PROPERTY(TFocusControlMethod FocusControlMethod READ FocusControlMethod WRITE setFocusControlMethod)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE setFontColor)

public:
    enum TFocusControlMethod { fcmOnMouseEnter, fcmOnMouseDown, fcmOnMouseUp };
    Q_ENUM(TFocusControlMethod)

    explicit TglCustomLabel(QWidget* parent = nullptr);
    ~TglCustomLabel() override;

    QString Caption() const { return FCaption; }
    void setCaption(const QString& caption);
    bool AutoSize() const { return FAutoSize; }
    // Stores the value and fits the size to the caption when on.
    void setAutoSize(bool value);
    QWidget* FocusControl() const { return FFocusControl; }
    void setFocusControl(QWidget* control);
    TFocusControlMethod FocusControlMethod() const { return FFocusControlMethod; }
    void setFocusControlMethod(TFocusControlMethod method) { FFocusControlMethod = method; }
    bool Transparent() const { return FTransparent; }
    void setTransparent(bool value);
    // The font's colour: the palette's window-text colour.
    TColor FontColor() const;
    void setFontColor(TColor colour);

    // The text is shown in the active colour.
    bool Active() const { return FActive; }
    // The watched focus control has the keyboard focus.
    bool ControlFocused() const { return FControlFocused; }

signals:
    void OnClick(QObject* Sender);
    void OnDblClick(QObject* Sender);
    void OnMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseEnter(QObject* Sender);
    void OnMouseLeave(QObject* Sender);

protected:
    // Run when the pointer enters or leaves, and when the watched control
    // gains or loses the focus. Here: raise OnMouseEnter and focus the
    // control on entering, raise OnMouseLeave on leaving.
    virtual void ActivateLook();
    virtual void DeactivateLook();
    void MouseEnterHandling();
    void MouseLeaveHandling();

    // Fits the size to the caption, measured as the platform's calculating
    // text drawing does (word wrapped in the current width when
    // wordWrapped()); the right edge stays when keepsRightEdge().
    void AdjustBounds();
    virtual bool wordWrapped() const { return false; }
    virtual bool keepsRightEdge() const { return false; }
    // The font the caption is drawn and measured with.
    virtual QFont paintFont() const { return font(); }

    // Installs or removes the watch on the focus control's focus.
    void WatchFocusControl();
    void UnwatchFocusControl();

    bool FActive = false;
    bool FControlFocused = false;
    bool FWatchEnabled = true;

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Focuses FocusControl after a pointer action of this method.
    void focusOn(TFocusControlMethod method);

    QString FCaption;
    bool FAutoSize = true;
    QPointer<QWidget> FFocusControl;
    TFocusControlMethod FFocusControlMethod = fcmOnMouseDown;
    bool FTransparent = true;
    // The control whose focus is watched now.
    QPointer<QWidget> FWatched;
    bool FClickArmed = false;
};
