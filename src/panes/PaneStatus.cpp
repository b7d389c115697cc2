#include "panes/PaneStatus.h"

#include "panes/FileListModel.h"
#include "panes/NumberText.h"

namespace {

// The total of the size cells; false when one does not read as a number.
bool sizeTotal(const FileListModel& list, const QLocale& locale, double& total)
{
    total = 0;
    const int column = list.ColumnOf(QStringLiteral("大小"));
    if (column < 1)
        return true;
    for (int r = 0; r < list.RowCount(); ++r) {
        const QStringList& cells = list.Row(r).cells;
        if (column - 1 >= cells.size())
            continue;
        const QString& cell = cells[column - 1];
        bool ok = false;
        const double number = locale.toDouble(QStringView(cell).chopped(std::min<qsizetype>(2, cell.size())), &ok);
        if (!ok)
            return false;
        total += number;
    }
    return true;
}

} // namespace

bool UpdatePaneStatus(const FileListModel& list, int selectedRows, IStatusPanels& panels,
                      const THead& head, const QLocale& locale)
{
    for (int p = 0; p < panels.PanelCount(); ++p) {
        switch (panels.PanelTabOrder(p)) {
        case 0:
            panels.SetPanelText(p, QStringLiteral("文件数:") + QString::number(list.RowCount()));
            break;
        case 1:
            panels.SetPanelText(p, QStringLiteral("选择数:") + QString::number(selectedRows));
            break;
        case 2: {
            double total = 0;
            if (!sizeTotal(list, locale, total))
                return false;
            panels.SetPanelText(p, QStringLiteral("大小合计:")
                                       + GeneralNumber(total, 8, locale.decimalPoint())
                                       + (head.iFileSizeUnit == 0 ? QStringLiteral("KB") : QStringLiteral("MB")));
            break;
        }
        default:
            break;
        }
    }
    return true;
}
