#pragma once

#include "DocumentOpener.h"

// The desktop's opener; the URL is built from the path's bytes, never a shell command line.
class TDocumentOpener final : public IDocumentOpener {
public:
    bool Open(const QByteArray& pathOrUrl) override;
};
