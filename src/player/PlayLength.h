#pragma once

#include <QString>

#include <cstdint>

// Media-player lengths: whole minutes "." whole seconds "分钟" (3:05 -> 3.5分钟).
QString FormatPlayLength(int64_t ms);

// MP3 lengths: minutes rounded to two decimals, half to even, shortest form
// (3:05 -> 3.08分钟, 3:06 -> 3.1分钟, 3:00 -> 3分钟).
QString FormatMp3Length(int64_t ms);
