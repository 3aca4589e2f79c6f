#pragma once

#include "widgets/common/ButtonGroupNotice.h"
#include "platform/TColor.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QPainter;

// A check box that draws its box from pictures: one of the looks of the
// glyph strip (Style 1 ... 14), or two pictures of the user's own
// (GlyphChecked, GlyphUnChecked) whose bottom-left pixel gives their
// transparent colour. Boxes with one positive GroupIndex under one parent
// behave as a radio group. The caption sits right or left of the picture.
//
// Every change of Checked goes through its setter, which raises OnClick
// whenever the value asked for differs from the value held, also when the
// group refuses the change; a user click turns the state over and raises
// OnClick exactly once. The control paints itself completely through the
// shared scratch bitmap.
class TdxfCheckBox : public QWidget, public ButtonGroupNotice
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(TdxfCBAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(QImage GlyphChecked READ GlyphChecked WRITE setGlyphChecked)
    Q_PROPERTY(QImage GlyphUnChecked READ GlyphUnChecked WRITE setGlyphUnChecked)
    // The same pictures named by a file or resource path, for the stored
    // form: ":/pictures/switch_on.png".
    Q_PROPERTY(QString GlyphCheckedPicture READ GlyphCheckedPicture WRITE setGlyphCheckedPicture)
    Q_PROPERTY(QString GlyphUnCheckedPicture READ GlyphUnCheckedPicture WRITE setGlyphUnCheckedPicture)
    Q_PROPERTY(int Style READ Style WRITE setStyle)
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)
    Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked)

public:
    enum TdxfCBAlignment { taLeftJustify, taRightJustify };
    Q_ENUM(TdxfCBAlignment)

    explicit TdxfCheckBox(QWidget* parent = nullptr);
    ~TdxfCheckBox() override;

    bool Checked() const { return FChecked; }
    void setChecked(bool value);
    bool AutoSize() const { return FAutoSize; }
    void setAutoSize(bool value);
    TdxfCBAlignment Alignment() const { return FAlignment; }
    void setAlignment(TdxfCBAlignment value);
    int GroupIndex() const { return FGroupIndex; }
    void setGroupIndex(int value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void setAllowAllUp(bool value);
    QImage GlyphChecked() const { return FGlyphChecked; }
    void setGlyphChecked(const QImage& value);
    QImage GlyphUnChecked() const { return FGlyphUnChecked; }
    void setGlyphUnChecked(const QImage& value);
    QString GlyphCheckedPicture() const { return FGlyphCheckedPicture; }
    void setGlyphCheckedPicture(const QString& path);
    QString GlyphUnCheckedPicture() const { return FGlyphUnCheckedPicture; }
    void setGlyphUnCheckedPicture(const QString& path);
    int Style() const { return FStyle; }
    void setStyle(int value);
    QString Caption() const { return FCaption; }
    void setCaption(const QString& value);
    // With ParentColor the colour of the nearest ancestor that has one
    // (clBtnFace, the window's colour, when none has).
    TColor Color() const;
    void setColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void setParentColor(bool value);
    bool TabStop() const { return FTabStop; }
    void setTabStop(bool value);
    int Tag() const { return FTag; }
    void setTag(int value) { FTag = value; }

    // What a user click does: turn the state over, raise OnClick once, take
    // the keyboard focus.
    void Click();

    // The button-pressed notification: a checked member of the sender's
    // group releases itself, without OnClick.
    void buttonPressed(int groupIndex, QWidget* sender) override;

signals:
    void OnClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The picture's size: the larger of the two pictures in use.
    QSize glyphSize() const;
    void adjustBounds();
    void paintBox(QImage& canvas) const;
    void drawPicture(QPainter& painter, const QRect& rect, const QImage& masked) const;
    // The keys: Enter clicks as Space does; in a group the arrows go to the
    // next or previous member and check it.
    bool keyPressed(QKeyEvent* event);
    void stepInGroup(int step);
    // Tells a screen reader that Checked changed.
    void noticeChecked();

    bool FChecked = false;
    bool FAutoSize = true;
    TdxfCBAlignment FAlignment = taRightJustify;
    int FGroupIndex = 0;
    bool FAllowAllUp = true;
    QImage FGlyphChecked;
    QImage FGlyphUnChecked;
    int FStyle = 1;
    bool NotifyOnChange = true;

    QString FGlyphCheckedPicture;
    QString FGlyphUnCheckedPicture;
    QString FCaption;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    bool FTabStop = true;
    int FTag = 0;
    bool Pressed = false;

    // The user pictures with their transparent colour made transparent.
    QImage MaskedChecked;
    QImage MaskedUnChecked;
    // Their twins at twice the pixels, masked, for fine screens; read with
    // pictures named by a path that has one.
    QImage TwiceChecked;
    QImage TwiceUnChecked;
};
