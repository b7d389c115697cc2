#pragma once

#include "core/TrimBlanks.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The declared widths of a list's name and memo; the dialog keeps texts within them.
inline constexpr int kListNameWidth = 15;
inline constexpr int kListMemoWidth = 10;

// Cuts a text to at most width characters without splitting a surrogate pair.
QString LimitText(const QString& text, int width);

// "确实要删除自定义播放列表“<name>”吗？"
QString DeleteListQuestion(const QString& name);

// The two panels of the play list tab's status bar: "文件数:12", "选择数:3".
QString FileCountText(int rows);
QString SelectedCountText(int rows);

enum class MoveDirection { Up, Down };

// Where the entry at row first (the topmost selected row, -1 for none) goes among count rows, or none
// when it cannot move that way.
std::optional<int> MoveTarget(int first, int count, MoveDirection direction);

// True when no file is at the path: nothing there, a folder, or a place that cannot be reached.
bool IsMissingFile(const QByteArray& path);

// The line that ends the scan's results.
QString ScanSummary(int missing);

// The scan gauge's highest value for n entries (the gauge goes to k after entry k). A list of fewer
// than two entries still gets a range, so the gauge never turns into a busy indicator.
int GaugeMaximum(int entries);
