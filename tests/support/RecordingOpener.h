#pragma once

#include "core/DocumentOpener.h"

#include <QByteArrayList>

// Document opener for tests: records every path or URL it is asked to open.
class RecordingOpener final : public IDocumentOpener {
public:
    QByteArrayList opened;
    bool answer = true;

    bool Open(const QByteArray& pathOrUrl) override
    {
        opened.append(pathOrUrl);
        return answer;
    }
};
