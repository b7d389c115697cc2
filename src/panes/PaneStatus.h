#pragma once

#include <QLocale>
#include <QString>

#include "core/utHead.h"

class FileListModel;

// A pane's status bar as the summary sees it: panels told apart by tab order.
class IStatusPanels {
public:
    virtual ~IStatusPanels() = default;
    virtual int PanelCount() const = 0;
    virtual int PanelTabOrder(int panel) const = 0;
    virtual void SetPanelText(int panel, const QString& text) = 0;
};

// Writes "文件数:", "选择数:" and "大小合计:" into the panels of tab order 0, 1
// and 2. The total adds up the numbers of every row's size cell. Returns false,
// leaving the later panels as they were, when a size cell does not read as a
// number (the list builder never writes such a cell).
bool UpdatePaneStatus(const FileListModel& list, int selectedRows, IStatusPanels& panels,
                      const THead& head, const QLocale& locale = QLocale::system());
