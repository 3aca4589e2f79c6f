#include "widgets/controls/TWebBrowser.h"

#include "platform/Cp1251.h"
#include "widgets/controls/TextZoom.h"
#include "widgets/common/ControlZoom.h"

#include <QEvent>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

TWebBrowser::TWebBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QString TWebBrowser::decodeHtml(const QByteArray& data)
{
    static const QRegularExpression charset(
        QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9_\\-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(data.left(2048));
    const QString name = charset.match(head).captured(1).toLower();
    if (name == QLatin1String("windows-1251") || name == QLatin1String("cp1251")
        || name == QLatin1String("x-cp1251"))
        return Cp1251::decode(data);
    auto decoder = QStringDecoder::decoderForHtml(data);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(data);
}

void TWebBrowser::navigate(const QString& path)
{
    // A page already on show is read again only when its file has changed
    // since: a page made ready in advance turns at once.
    QFile file(path);
    const QByteArray data = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QUrl url = QUrl::fromLocalFile(path);
    const bool same = url == source() && file.isOpen() && data == Shown;
    Location = path;
    Shown = data;
    if (same)
        return;
    if (url == source())
        reload();
    else
        setSource(url, QTextDocument::HtmlResource);
    TextZoom::apply(document(), ControlZoom::factor(this));
}

void TWebBrowser::changeEvent(QEvent* event)
{
    QTextBrowser::changeEvent(event);
    // A zoomed page gives the view its font at the zoomed size; the page's
    // own sizes (its pictures, a size it fixes) follow.
    if (event->type() == QEvent::FontChange)
        TextZoom::apply(document(), ControlZoom::factor(this));
}

QVariant TWebBrowser::loadResource(int type, const QUrl& name)
{
    if (type != QTextDocument::HtmlResource || !name.isLocalFile())
        return QTextBrowser::loadResource(type, name);
    const QString path = name.toLocalFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<html><body><h3>Страница не найдена</h3><p>%1</p></body></html>").arg(path.toHtmlEscaped());
    return decodeHtml(file.readAll());
}
