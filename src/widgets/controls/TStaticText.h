#pragma once

#include "platform/TColor.h"

#include <QLabel>

// Static text: a caption on its own background colour, optionally with a
// sunken border, aligned left, right or centred; sized to its caption when
// AutoSize is on. The bench's voltmeters are two of them, whose colour
// shows whether the meter is live. Named by the window, a static text is a
// display whose caption is its reading, told to a screen reader as a value
// on every change; otherwise its caption is its name.
class TStaticText : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)

public:
    enum TBorderStyle { sbsNone, sbsSingle, sbsSunken };
    Q_ENUM(TBorderStyle)
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    explicit TStaticText(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    TColor Color() const { return FColor; }
    void setColor(TColor colour);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void setBorderStyle(TBorderStyle style);
    TAlignment Alignment() const { return FAlignment; }
    void setAlignment(TAlignment alignment);
    bool AutoSize() const { return FAutoSize; }
    void setAutoSize(bool value);
    bool Transparent() const { return FTransparent; }
    void setTransparent(bool value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fit();

    TColor FColor = clBtnFace;
    TBorderStyle FBorderStyle = sbsNone;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FTransparent = false;
};
