#pragma once

#include <QImage>
#include <QWidget>

// A picture control. The picture is drawn at its natural size from the
// top-left corner and clipped by the control, or, with Stretch, scaled to
// the control's size. Pictures are read through Qt's image readers (JPEG
// through libjpeg) from a file or resource path, when first needed: the
// pictures of pages not yet shown cost nothing at start-up. On a screen of
// device pixel ratio above 1 the picture's @2x file is read instead.
class TImage : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Picture READ Picture WRITE setPicture)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)

public:
    explicit TImage(QWidget* parent = nullptr);

    QString Picture() const { return FPicture; }
    void setPicture(const QString& path);
    bool Stretch() const { return FStretch; }
    void setStretch(bool value);
    bool AutoSize() const { return FAutoSize; }
    void setAutoSize(bool value);

    // The picture as shown on the control's screen.
    const QImage& image() const;
    // The picture for a number of device pixels per window pixel.
    const QImage& imageAt(qreal ratio) const;
    void setImage(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void adjustSize();

    QString FPicture;
    bool FStretch = false;
    bool FAutoSize = false;
    mutable QImage Image;
    mutable bool Loaded = true;
    mutable int LoadedScale = 1;
};
