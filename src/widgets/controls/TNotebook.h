#pragma once

#include <QStackedWidget>

// The page book: a stack of pages addressed by their captions ("1_1", "1",
// "1_2", "2", "3"). Only the active page is visible. A page's caption is
// its "Caption" property, as the stored form gives it.
class TNotebook : public QStackedWidget
{
    Q_OBJECT
    Q_PROPERTY(QString ActivePage READ ActivePage WRITE setActivePage)

public:
    explicit TNotebook(QWidget* parent = nullptr);

    QString ActivePage() const;
    // Turns to the page with the caption; an unknown caption changes nothing.
    void setActivePage(const QString& caption);

    QWidget* page(const QString& caption) const;
    static QString captionOf(const QWidget* page);

signals:
    void OnPageChanged(QObject* Sender);
};
