#pragma once

#include "platform/TColor.h"
#include "widgets/dxfTimer/TimerFaces.h"

#include <QImage>
#include <QString>
#include <QTime>
#include <QTimer>
#include <QWidget>

class Clock;
class QPainter;

// A clock face that counts whole seconds from zero up to an end time and
// shows the time counted (isForward) or the time remaining (isBack). When
// the count reaches the end time the clock stops itself and raises
// OnEndOfTime. The face is plain text, seven-segment digits, a revolving
// drum whose changed digits roll into place, or an hourglass.
//
// The control is a panel with bevels and a border that paints itself
// completely through the shared scratch bitmap; it has no caption. The
// count follows the wall clock of its Clock service in whole seconds,
// sampled every 250 ms.
class TdxfTimer : public QWidget
{
    Q_OBJECT
    // The end time comes before DisplayStyle and IncrementStyle: those two
    // depend on it, and the stored form applies properties in order.
    Q_PROPERTY(int EndHour READ EndHour WRITE setEndHour)
    Q_PROPERTY(int EndMin READ EndMin WRITE setEndMin)
    Q_PROPERTY(int EndSec READ EndSec WRITE setEndSec)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE setDisplayFormat)
    Q_PROPERTY(TdxfTimerStyle DisplayStyle READ DisplayStyle WRITE setDisplayStyle)
    Q_PROPERTY(TdxfIncrementStyle IncrementStyle READ IncrementStyle WRITE setIncrementStyle)
    Q_PROPERTY(TBevelCut BevelInner READ BevelInner WRITE setBevelInner)
    Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE setBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE setCtl3D)

public:
    enum TdxfTimerStyle { tsText, tsIndicator, tsRevolvingDrum, tsHourGlass };
    Q_ENUM(TdxfTimerStyle)
    enum TdxfIncrementStyle { isForward, isBack };
    Q_ENUM(TdxfIncrementStyle)
    // The panel's bevels and border.
    enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
    Q_ENUM(TBevelCut)
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    explicit TdxfTimer(QWidget* parent = nullptr);
    ~TdxfTimer() override;

    // The time source; nullptr means the machine's clock.
    void setClock(Clock* clock);

    int EndHour() const { return FEndHour; }
    void setEndHour(int value);
    int EndMin() const { return FEndMin; }
    void setEndMin(int value);
    int EndSec() const { return FEndSec; }
    void setEndSec(int value);
    // EndHour * 3600 + EndMin * 60 + EndSec, 0 ... 86399.
    int totalSeconds() const;

    TColor BorderColor() const { return FBorderColor; }
    void setBorderColor(TColor value);
    QString DisplayFormat() const { return FDisplayFormat; }
    void setDisplayFormat(const QString& value);
    TdxfTimerStyle DisplayStyle() const { return FDisplayStyle; }
    void setDisplayStyle(TdxfTimerStyle value);
    TdxfIncrementStyle IncrementStyle() const { return FIncrementStyle; }
    void setIncrementStyle(TdxfIncrementStyle value);

    TBevelCut BevelInner() const { return FBevelInner; }
    void setBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void setBevelOuter(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void setBevelWidth(int value);
    int BorderWidth() const { return FBorderWidth; }
    void setBorderWidth(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void setBorderStyle(TBorderStyle value);
    TColor Color() const { return FColor; }
    void setColor(TColor value);
    bool Ctl3D() const { return FCtl3D; }
    void setCtl3D(bool value);

    // Start counting from the count held; a count that has reached the end
    // time starts again from zero.
    void Start();
    // Halt counting; the count is kept.
    void Stop();
    // Count zero from now on; running or stopped stays as it is.
    void Reset();

    bool Running() const { return FRunning; }
    int ElapsedSeconds() const { return FElapsedSeconds; }
    // The face text: the time counted or remaining, through DisplayFormat.
    QString GetDisplayText() const;
    // The text the drum showed last, and the roll phase (1 ... 10, 10 at
    // rest) it is painted with.
    QString PreviousText() const { return FPreviousText; }
    int DrumPhase() const { return FDrumPhase; }

    // The whole control as it is painted now, or as the drum would look in
    // the given roll phase coming from previousText, on a screen of the
    // given device pixel ratio.
    QImage renderFace() const;
    QImage renderFace(const QString& previousText, int drumPhase, qreal ratio = 1.0) const;
    // The client area, inside the single border.
    QRect clientRect() const;

public slots:
    // Runs every 250 ms while counting: adds the whole seconds that the wall
    // clock has moved on since the last counted second.
    void Tick();

signals:
    void OnHourChange(TdxfTimer* Sender);
    void OnMinuteChange(TdxfTimer* Sender);
    void OnSecondChange(TdxfTimer* Sender);
    void OnEndOfTime(TdxfTimer* Sender);
    void OnClick(QObject* Sender);
    void OnDblClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void setEndTime(int hour, int min, int sec);
    void UpdateDisplay();
    QColor fontColor() const;

    void paintControl(QPainter& painter, const QString& previousText, int drumPhase, qreal ratio) const;
    void paintClient(QImage& canvas, const QString& previousText, int drumPhase) const;

    QTimer TickTimer;
    Clock* FClock;
    TColor FBorderColor = clSilver;
    bool FRunning = false;
    QString FDisplayFormat;
    TdxfIncrementStyle FIncrementStyle = isForward;
    int FEndHour = 0;
    int FEndMin = 0;
    int FEndSec = 0;
    int FElapsedSeconds = 0;
    QTime LastStamp{0, 0};
    TdxfTimerStyle FDisplayStyle = tsText;
    QString FPreviousText;
    int FDrumPhase = 10;

    TBevelCut FBevelInner = bvLowered;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TColor FColor = clSilver;
    bool FCtl3D = true;

    bool Pressed = false;

    // The drawn faces; the drum keeps its shading between frames.
    mutable TimerFaces Faces;
};
