#pragma once

#include <QLabel>

// A label: transparent, one line, sized to its caption (AutoSize, on by
// default) from its top-left corner.
class TLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)

public:
    explicit TLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    bool AutoSize() const { return FAutoSize; }
    void setAutoSize(bool value);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fit();

    bool FAutoSize = true;
};
