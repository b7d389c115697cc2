#include "PaneFont.h"

#include <QFontDatabase>
#include <QFontInfo>

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

QStringList PaneFontFamilies(const QStringList& chineseFamilies, const QString& defaultFamily)
{
    static const QStringList simSun = {QStringLiteral("宋体"), QStringLiteral("SimSun")};
    static const QStringList cjkSans = {
        QStringLiteral("Noto Sans CJK SC"),   QStringLiteral("Source Han Sans SC"),
        QStringLiteral("Source Han Sans CN"), QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("WenQuanYi Zen Hei"),  QStringLiteral("Droid Sans Fallback"),
    };
    for (const QString& family : simSun) {
        if (const auto found = installed(chineseFamilies, family))
            return {*found};
    }
    if (installed(chineseFamilies, defaultFamily))
        return {defaultFamily};
    for (const QString& family : cjkSans) {
        if (const auto found = installed(chineseFamilies, family))
            return {defaultFamily, *found};
    }
    return {defaultFamily};
}

QFont PaneFont()
{
    // The family the platform's default font really is ("Sans Serif" is only an alias).
    const QString defaultFamily = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    QFont font;
    font.setFamilies(PaneFontFamilies(QFontDatabase::families(QFontDatabase::SimplifiedChinese), defaultFamily));
    font.setPointSize(9);
    return font;
}
