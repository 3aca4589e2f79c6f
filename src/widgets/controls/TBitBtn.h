#pragma once

#include <QImage>
#include <QPushButton>

// A push button with a glyph beside its caption. The glyph is a strip of
// NumGlyphs frames side by side (normal, disabled); the colour of its
// bottom-left pixel is transparent. The glyph may be given as a picture
// path (a resource) in the stored form.
class TBitBtn : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QString Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE setNumGlyphs)

public:
    explicit TBitBtn(QWidget* parent = nullptr);

    QString Glyph() const { return FGlyph; }
    void setGlyph(const QString& path);
    int NumGlyphs() const { return FNumGlyphs; }
    void setNumGlyphs(int count);

signals:
    void OnClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateIcon();

    QString FGlyph;
    int FNumGlyphs = 1;
};
