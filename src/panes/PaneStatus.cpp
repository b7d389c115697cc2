#include "panes/PaneStatus.h"

#include "panes/FileListModel.h"
#include "panes/NumberText.h"

namespace {

// The builder's kilobyte cells are plain digits: read those without the locale.
bool readDigits(QStringView text, double& number)
{
    if (text.isEmpty() || text.size() > 15)
        return false;
    long long value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    number = static_cast<double>(value);
    return true;
}

// The total of the size cells; false when one does not read as a number.
bool sizeTotal(const FileListModel& list, const QLocale& locale, double& total)
{
    total = 0;
    const int column = list.ColumnOf(QStringLiteral("大小"));
    if (column < 1)
        return true;
    for (int r = 0; r < list.RowCount(); ++r) {
        if (const std::optional<double> number = list.SizeNumber(r, column)) {
            total += *number;
            continue;
        }
        const QString cell = list.Text(r, column);
        const QStringView text = QStringView(cell).chopped(std::min<qsizetype>(2, cell.size()));
        double number = 0;
        if (!readDigits(text, number)) {
            bool ok = false;
            number = locale.toDouble(text, &ok);
            if (!ok)
                return false;
        }
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
