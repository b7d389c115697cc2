#pragma once

#include <QByteArray>

// Opens a document (or a "mailto:" address) with the program the desktop associates with it.
class IDocumentOpener {
public:
    virtual ~IDocumentOpener() = default;

    // path: a file's native bytes, or a URL such as "mailto:...". False when nothing could open it.
    virtual bool Open(const QByteArray& pathOrUrl) = 0;
    // Finds out ahead what would open this document, so that opening it answers at once.
    virtual void Expect(const QByteArray& pathOrUrl) { Q_UNUSED(pathOrUrl); }
};
