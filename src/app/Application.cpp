#include "Application.h"

#include "panes/ui/PaneFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

namespace {

Q_LOGGING_CATEGORY(lcApplication, "melvane")

void installChineseQtTexts(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qCWarning(lcApplication) << "Qt's Chinese texts (qtbase_zh_CN.qm, package qt6-translations-l10n)"
                                 << "are missing; Qt's own buttons stay in English";
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
}

// Without such a font every Chinese character is drawn as a box.
void checkChineseFont()
{
    if (QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
        qCWarning(lcApplication) << "no font with Chinese glyphs is installed (package fonts-noto-cjk);"
                                 << "Chinese texts show as boxes";
}

} // namespace

void PrepareApplication(QApplication& app)
{
    Q_INIT_RESOURCE(icons);
    installChineseQtTexts(app);
    checkChineseFont();
    QApplication::setFont(PaneFont());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/MelvaneKIRO.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("melvanekiro"));
}
