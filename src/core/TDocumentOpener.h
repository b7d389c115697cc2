#pragma once

#include "DocumentOpener.h"

// The desktop's opener; the URL is built from the path's bytes, never a shell command line. It opens
// only what a program is registered for, so that its answer is true.
class TDocumentOpener final : public IDocumentOpener {
public:
    // False too while the desktop has not yet answered what would open it.
    bool Open(const QByteArray& pathOrUrl) override;
    void Expect(const QByteArray& pathOrUrl) override;
};
