#pragma once

#include "tags/UnicodeTag.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// One selected MP3 file of a conversion to Unicode.
struct UnicodeItem {
    QByteArray path;
    QString name;          // as the list shows it
    TagFieldTexts rowTexts; // as its row shows them
    UnicodePlan plan;      // made by PlanItems
};

struct UnicodeOutcome {
    int converted = 0;
    int unchanged = 0;
    int left = 0;          // not reached: the user stopped the conversion
    QStringList failures;  // "name：reason"
};

// Reads each item's file for its plan, in order, until cancel is set. Runs on a worker.
void PlanItems(QList<UnicodeItem>& items, const std::atomic<bool>& cancel);

// Writes every item that is not unchanged, in order, calling progress(index) before each; once cancel
// is set it stops before the next file. Runs on a worker.
UnicodeOutcome ConvertToUnicode(const QList<UnicodeItem>& items, const std::atomic<bool>& cancel,
                                const std::function<void(int)>& progress);

// The one message at the end: how many were converted, left unchanged or not reached, and each
// failure with its reason.
QString UnicodeSummary(const UnicodeOutcome& outcome);
