#pragma once

#include <QFont>

// 宋体 9 pt for the trees and lists; without 宋体 the system's CJK font, so that
// no Chinese text turns into boxes.
QFont PaneFont();
