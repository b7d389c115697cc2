#pragma once

#include "DocumentOpener.h"

// The desktop's opener; the URL is built from the path's bytes, never a shell command line. It opens
// only what a program is registered for, so that its answer is true.
class TDocumentOpener final : public IDocumentOpener {
public:
    bool Open(const QByteArray& pathOrUrl) override;
};
