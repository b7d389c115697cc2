#pragma once

#include "core/DocumentOpener.h"

#include <QByteArrayList>

// Document opener for tests: records what it was asked to open and opens nothing.
class RecordingOpener final : public IDocumentOpener {
public:
    bool Open(const QByteArray& pathOrUrl) override
    {
        opened.append(pathOrUrl);
        return true;
    }

    QByteArrayList opened;
};
