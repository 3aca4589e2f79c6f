#pragma once

#include <QSlider>

#include <functional>

// The track bar of the bench's sliders. Setting Position clamps it to
// Min ... Max and, when the value changes, raises OnChange before the
// setter returns; the student's moves (mouse or keyboard) go through the
// same setter. Keys as a horizontal track bar takes them: Right and Down
// one step up, Left and Up one step down, Page Down and Page Up a page
// (PageSize) up and down, Home to Min and End to Max.
class TTrackBar : public QSlider
{
    Q_OBJECT
    Q_PROPERTY(int Position READ Position WRITE setPosition)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Frequency READ Frequency WRITE setFrequency)
    Q_PROPERTY(int LineSize READ LineSize WRITE setLineSize)
    Q_PROPERTY(int PageSize READ PageSize WRITE setPageSize)
    Q_PROPERTY(int ThumbLength READ ThumbLength WRITE setThumbLength)
    Q_PROPERTY(bool TickMarks READ TickMarks WRITE setTickMarks)

public:
    explicit TTrackBar(QWidget* parent = nullptr);

    int Position() const { return value(); }
    void setPosition(int position);
    int Min() const { return minimum(); }
    void setMin(int value);
    int Max() const { return maximum(); }
    void setMax(int value);
    int Frequency() const { return tickInterval(); }
    void setFrequency(int value) { setTickInterval(value); }
    int LineSize() const { return singleStep(); }
    void setLineSize(int value) { setSingleStep(value); }
    int PageSize() const { return pageStep(); }
    void setPageSize(int value) { setPageStep(value); }
    int ThumbLength() const { return FThumbLength; }
    void setThumbLength(int value);
    bool TickMarks() const { return tickPosition() != QSlider::NoTicks; }
    void setTickMarks(bool value) { setTickPosition(value ? QSlider::TicksBelow : QSlider::NoTicks); }

signals:
    void OnChange(QObject* Sender);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void sliderChange(SliderChange change) override;
    // On a zoomed page the slider is laid out and hit in the stored form's
    // pixels and drawn at the zoomed size.
    void initStyleOption(QStyleOptionSlider* option) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Hands the event to handler, the pointer in the stored form's pixels.
    void zoomedMouse(QMouseEvent* event, const std::function<void(QMouseEvent*)>& handler);

    int FThumbLength = 20;
};
