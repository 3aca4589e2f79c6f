#pragma once

#include <QTextBrowser>

// The embedded browser view of the theory page. navigate() shows a local
// HTML file by its path; a page that declares code page 1251 is read in it.
// A file that cannot be read shows a short notice in the view, as a
// browser shows its own page for a missing address.
class TWebBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit TWebBrowser(QWidget* parent = nullptr);

    void navigate(const QString& path);
    QString location() const { return Location; }

    QVariant loadResource(int type, const QUrl& name) override;

    // The HTML text of a page file, in the charset it declares.
    static QString decodeHtml(const QByteArray& data);

protected:
    void changeEvent(QEvent* event) override;

private:
    QString Location;
    // The file as it was read for the page on show.
    QByteArray Shown;
};
