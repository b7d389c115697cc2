#include "PaneFont.h"

#include <QFontDatabase>

#include <optional>

namespace {

std::optional<QString> installed(const QStringList& families, const QString& wanted)
{
    for (const QString& family : families) {
        if (family.compare(wanted, Qt::CaseInsensitive) == 0)
            return family;
    }
    return std::nullopt;
}

} // namespace

QString PaneFontFamily(const QStringList& chineseFamilies, const QString& defaultFamily)
{
    static const QStringList preferred = {
        QStringLiteral("宋体"),
        QStringLiteral("SimSun"),
    };
    static const QStringList cjkSans = {
        QStringLiteral("Noto Sans CJK SC"),    QStringLiteral("Source Han Sans SC"),
        QStringLiteral("Source Han Sans CN"),  QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("WenQuanYi Zen Hei"),   QStringLiteral("Droid Sans Fallback"),
    };
    for (const QString& family : preferred) {
        if (const auto found = installed(chineseFamilies, family))
            return *found;
    }
    if (const auto found = installed(chineseFamilies, defaultFamily))
        return *found;
    for (const QString& family : cjkSans) {
        if (const auto found = installed(chineseFamilies, family))
            return *found;
    }
    return defaultFamily;
}

QFont PaneFont()
{
    QFont font;
    font.setFamilies({PaneFontFamily(QFontDatabase::families(QFontDatabase::SimplifiedChinese),
                                     QFontDatabase::systemFont(QFontDatabase::GeneralFont).family())});
    font.setPointSize(9);
    return font;
}
