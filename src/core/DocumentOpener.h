#pragma once

#include <QByteArray>

// Opens a document (or a "mailto:" address) with the program the desktop associates with it.
class IDocumentOpener {
public:
    virtual ~IDocumentOpener() = default;

    // path: a file's native bytes, or a URL such as "mailto:...". False when nothing could open it.
    virtual bool Open(const QByteArray& pathOrUrl) = 0;
};
