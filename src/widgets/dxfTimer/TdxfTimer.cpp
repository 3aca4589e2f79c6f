#include "widgets/dxfTimer/TdxfTimer.h"
#include "widgets/dxfTimer/TimerAccessible.h"

#include "platform/Clock.h"
#include "platform/DateTimeFormat.h"
#include "widgets/common/Bevel.h"
#include "widgets/common/BlendColor.h"
#include "widgets/common/ControlZoom.h"
#include "widgets/common/ScratchBitmap.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int SecondsPerDay = 86400;
constexpr int LatestEndTime = SecondsPerDay - 1; // 23:59:59

int secondOfDay(const QTime& t)
{
    return t.hour() * 3600 + t.minute() * 60 + t.second();
}

} // namespace

TdxfTimer::TdxfTimer(QWidget* parent)
    : QWidget(parent),
      FClock(&Clock::system()),
      FDisplayFormat(QStringLiteral("hh:nn:ss"))
{
    TColor::registerType();
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(85, 25);
    // A child of the control, so that whoever holds the control can see
    // whether it is counting (a test, without waiting for ticks).
    TickTimer.setParent(this);
    TickTimer.setInterval(250);
    connect(&TickTimer, &QTimer::timeout, this, &TdxfTimer::Tick);
    TimerAccessible::install();
}

TdxfTimer::~TdxfTimer() = default;

void TdxfTimer::setClock(Clock* clock)
{
    FClock = clock ? clock : &Clock::system();
}

int TdxfTimer::totalSeconds() const
{
    return FEndHour * 3600 + FEndMin * 60 + FEndSec;
}

void TdxfTimer::setEndHour(int value)
{
    setEndTime(value, FEndMin, FEndSec);
}

void TdxfTimer::setEndMin(int value)
{
    setEndTime(FEndHour, value, FEndSec);
}

void TdxfTimer::setEndSec(int value)
{
    setEndTime(FEndHour, FEndMin, value);
}

void TdxfTimer::setEndTime(int hour, int min, int sec)
{
    // Computed wide, so that huge parts cannot wrap into the valid range.
    const long long total = hour * 3600LL + min * 60LL + sec;
    if (total < 0 || total > LatestEndTime)
        return;
    if (hour == FEndHour && min == FEndMin && sec == FEndSec)
        return;
    FEndHour = hour;
    FEndMin = min;
    FEndSec = sec;
    if (total == 0) {
        // Without an end time there is nothing to count back from and no
        // sand to run.
        FIncrementStyle = isForward;
        if (FDisplayStyle == tsHourGlass)
            FDisplayStyle = tsText;
    }
    if (!FRunning)
        UpdateDisplay();
}

void TdxfTimer::setBorderColor(TColor value)
{
    if (value == FBorderColor)
        return;
    FBorderColor = value;
    if (!FRunning)
        UpdateDisplay();
}

void TdxfTimer::setDisplayFormat(const QString& value)
{
    if (value == FDisplayFormat)
        return;
    FDisplayFormat = value;
    if (!FRunning)
        UpdateDisplay();
}

void TdxfTimer::setDisplayStyle(TdxfTimerStyle value)
{
    if (value == tsHourGlass && totalSeconds() <= 0)
        return;
    if (value == FDisplayStyle)
        return;
    FDisplayStyle = value;
    UpdateDisplay();
}

void TdxfTimer::setIncrementStyle(TdxfIncrementStyle value)
{
    if (totalSeconds() <= 0)
        value = isForward;
    if (value == FIncrementStyle)
        return;
    FIncrementStyle = value;
    if (!FRunning)
        UpdateDisplay();
}

void TdxfTimer::setBevelInner(TBevelCut value)
{
    if (value == FBevelInner)
        return;
    FBevelInner = value;
    update();
}

void TdxfTimer::setBevelOuter(TBevelCut value)
{
    if (value == FBevelOuter)
        return;
    FBevelOuter = value;
    update();
}

void TdxfTimer::setBevelWidth(int value)
{
    value = std::max(value, 1);
    if (value == FBevelWidth)
        return;
    FBevelWidth = value;
    update();
}

void TdxfTimer::setBorderWidth(int value)
{
    value = std::max(value, 0);
    if (value == FBorderWidth)
        return;
    FBorderWidth = value;
    update();
}

void TdxfTimer::setBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    update();
}

void TdxfTimer::setColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TdxfTimer::setCtl3D(bool value)
{
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    update();
}

void TdxfTimer::Start()
{
    // A count that has reached the end time, exactly or beyond it after a
    // late tick, starts again from zero.
    const int total = totalSeconds();
    if (total > 0 && FElapsedSeconds >= total)
        FElapsedSeconds = 0;
    FRunning = true;
    TickTimer.start();
    LastStamp = FClock->localTimeOfDay();
    UpdateDisplay();
}

void TdxfTimer::Stop()
{
    FRunning = false;
    TickTimer.stop();
    update();
}

void TdxfTimer::Reset()
{
    FElapsedSeconds = 0;
    LastStamp = FClock->localTimeOfDay();
    UpdateDisplay();
}

void TdxfTimer::Tick()
{
    const QTime last = LastStamp;
    const QTime now = FClock->localTimeOfDay();
    int difference = secondOfDay(now) - secondOfDay(last);
    if (difference < 0)
        difference += SecondsPerDay; // midnight passed
    if (difference == 0)
        return;

    LastStamp = now;
    FElapsedSeconds += difference;
    UpdateDisplay();

    if (last.hour() != now.hour())
        emit OnHourChange(this);
    if (last.minute() != now.minute())
        emit OnMinuteChange(this);
    if (last.second() != now.second())
        emit OnSecondChange(this);

    const int total = totalSeconds();
    if (total > 0 && FElapsedSeconds >= total) {
        Stop();
        emit OnEndOfTime(this);
    }
}

QString TdxfTimer::GetDisplayText() const
{
    int value = FElapsedSeconds;
    if (FIncrementStyle == isBack)
        value = totalSeconds() - FElapsedSeconds;
    // A late tick can carry the count past the end time; the remainder then
    // shows as zero rather than as a negative time.
    value = std::max(value, 0) % SecondsPerDay;
    const int rest = value % 3600;
    return DateTimeFormat::standard().format(FDisplayFormat, QTime(value / 3600, rest / 60, rest % 60));
}

void TdxfTimer::UpdateDisplay()
{
    if (FDisplayStyle != tsRevolvingDrum) {
        update();
        return;
    }
    if (GetDisplayText() != FPreviousText) {
        // Ten frames of the roll, painted at once one after the other.
        for (int phase = 1; phase <= 10; ++phase) {
            FDrumPhase = phase;
            repaint();
        }
    } else {
        FDrumPhase = 10;
        repaint();
    }
    FPreviousText = GetDisplayText();
}

QColor TdxfTimer::fontColor() const
{
    return palette().color(QPalette::WindowText);
}

QRect TdxfTimer::clientRect() const
{
    int edge = 0;
    if (FBorderStyle == bsSingle)
        edge = FCtl3D ? 2 : 1;
    return ControlZoom::designRect(this).adjusted(edge, edge, -edge, -edge);
}

QImage TdxfTimer::renderFace() const
{
    return renderFace(FPreviousText, FDrumPhase);
}

QImage TdxfTimer::renderFace(const QString& previousText, int drumPhase, qreal ratio) const
{
    QImage image(ControlZoom::designSize(this) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintControl(painter, previousText, drumPhase, ratio);
    return image;
}

void TdxfTimer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // In the stored form's pixels, scaled on a zoomed page.
    ControlZoom::scalePainter(painter, this);
    // The screen's pixels per window pixel, or those of the picture the
    // control is rendered into, or those of a zoomed page.
    const qreal ratio = std::max(devicePixelRatioF(), painter.deviceTransform().m11());
    paintControl(painter, FPreviousText, FDrumPhase, ratio);
}

void TdxfTimer::paintControl(QPainter& painter, const QString& previousText, int drumPhase, qreal ratio) const
{
    // The single border lies outside the client area, as the window
    // system draws it: a sunken double edge, or a black line without 3-D.
    const QRect bounds = ControlZoom::designRect(this);
    if (FBorderStyle == bsSingle) {
        if (FCtl3D) {
            Bevel::frame(painter, bounds, clBtnShadow, clBtnHighlight);
            Bevel::frame(painter, bounds.adjusted(1, 1, -1, -1), cl3DDkShadow, cl3DLight);
        } else {
            Bevel::frame(painter, bounds, clBlack, clBlack);
        }
    }

    const QRect client = clientRect();
    if (client.isEmpty())
        return;
    // The client area is drawn at the screen's pixels, its faces as fine as
    // the screen rather than a small bitmap scaled up.
    QImage& scratch = ScratchBitmap::acquire(bounds.width(), bounds.height(), ratio);
    paintClient(scratch, previousText, drumPhase);
    painter.drawImage(QRectF(client), scratch, QRectF(QPointF(0, 0), QSizeF(client.size()) * ratio));
}

void TdxfTimer::paintClient(QImage& canvas, const QString& previousText, int drumPhase) const
{
    const QRect client(QPoint(0, 0), clientRect().size());
    int k = FBorderWidth;
    if (FBevelOuter != bvNone)
        k += FBevelWidth;
    if (FBevelInner != bvNone)
        k += FBevelWidth;
    if (FBorderStyle == bsSingle)
        k += FBorderWidth;
    const QRect inner = client.adjusted(k, k, -k, -k);
    const QString text = GetDisplayText();
    const QSize size = ControlZoom::designSize(this);

    {
        QPainter painter(&canvas);
        painter.fillRect(client, FColor.toQColor());
        if (FDisplayStyle == tsText) {
            const QFontMetrics metrics(font());
            painter.setFont(font());
            painter.setPen(fontColor());
            TimerFaces::drawTextAt(painter, (size.width() - metrics.horizontalAdvance(text)) / 2,
                                   (size.height() - metrics.height()) / 2, text);
        }
    }
    switch (FDisplayStyle) {
    case tsIndicator:
        TimerFaces::segments(canvas, inner, font(), fontColor(), text);
        break;
    case tsHourGlass:
        TimerFaces::hourGlass(canvas, size, FBorderColor, totalSeconds(), FElapsedSeconds, FRunning);
        return; // no bevels or border in this style
    default:
        break;
    }

    {
        // Bevels: raised has the light colour at the top left; anything but
        // lowered is drawn raised.
        const TColor light = BlendColor(clWhite, FBorderColor, 4, 1);
        const TColor dark = BlendColor(clBlack, FBorderColor, 3, 2);
        QPainter painter(&canvas);
        QRect frame = client;
        if (FBevelOuter != bvNone) {
            const bool lowered = FBevelOuter == bvLowered;
            Bevel::frame(painter, frame, lowered ? dark : light, lowered ? light : dark, FBevelWidth);
        }
        Bevel::frame(painter, frame, FBorderColor, FBorderColor, FBorderWidth);
        if (FBevelInner != bvNone) {
            const bool lowered = FBevelInner == bvLowered;
            Bevel::frame(painter, frame, lowered ? dark : light, lowered ? light : dark, FBevelWidth);
        }
    }

    if (FDisplayStyle == tsRevolvingDrum)
        Faces.drum(canvas, inner, font(), fontColor(), FColor, FIncrementStyle == isForward, text, previousText,
                   drumPhase);
}

void TdxfTimer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Pressed = true;
    QWidget::mousePressEvent(event);
}

void TdxfTimer::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = Pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        Pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        emit OnClick(this);
}

void TdxfTimer::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click raises OnDblClick, not a click.
    Pressed = false;
    if (event->button() == Qt::LeftButton)
        emit OnDblClick(this);
}
