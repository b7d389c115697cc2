#include "PaneFont.h"

#include <QFontDatabase>
#include <QStringList>

QFont PaneFont()
{
    static const QStringList preferred = {
        QStringLiteral("宋体"),           QStringLiteral("SimSun"),
        QStringLiteral("NSimSun"),        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("AR PL UMing CN"),
    };
    const QStringList installed = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    QFont font;
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            font.setFamilies({family});
            break;
        }
    }
    font.setPointSize(9);
    return font;
}
