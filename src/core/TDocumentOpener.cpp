#include "TDocumentOpener.h"

#include <QDesktopServices>
#include <QUrl>

bool TDocumentOpener::Open(const QByteArray& pathOrUrl)
{
    // A path's bytes are percent-encoded, so a name that is not UTF-8 reaches the opener intact.
    const QByteArray encoded = pathOrUrl.startsWith('/')
                                   ? QByteArrayLiteral("file://") + pathOrUrl.toPercentEncoding("/")
                                   : pathOrUrl;
    return QDesktopServices::openUrl(QUrl::fromEncoded(encoded, QUrl::StrictMode));
}
