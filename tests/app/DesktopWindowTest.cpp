// The window on a Linux desktop: Qt's own texts in Chinese, one font, the program's own glyphs and
// icon, file-type icons with and without an icon theme, and hints that leave sbpStatus alone.
#include "support/ShownWindow.h"
#include "MainWindowFixture.h"

#include "app/Application.h"
#include "panes/ui/PaneFont.h"
#include "panes/ui/TFolderPane.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>

namespace {

QImage imageOf(const QIcon& icon, int size = 16)
{
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Answers the next modal message box once it shows: records its button texts and font, saves a
// screenshot of it, then clicks the button whose text starts with `click`.
struct BoxAnswer {
    BoxAnswer(QString clickText, QString shotFile) : click(std::move(clickText)), shot(std::move(shotFile)) {}

    QString click;
    QString shot;
    QStringList buttons;
    QFont font;
    bool seen = false;
    int tries = 0;

    void arm()
    {
        QTimer::singleShot(10, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                if (++tries < 500)
                    arm();
                return;
            }
            seen = true;
            font = box->font();
            QAbstractButton* target = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                buttons << b->text();
                if (b->text().startsWith(click))
                    target = b;
            }
            QDir().mkpath(QStringLiteral(MELVANE_SCREENSHOTS));
            box->grab().save(QStringLiteral(MELVANE_SCREENSHOTS "/") + shot);
            if (target != nullptr)
                target->click();
            else
                box->reject();
        });
    }
};

class DesktopWindow : public MainWindowFixture {
protected:
    // Prepared as the program prepares itself, by a user whose locale is English.
    static void SetUpTestSuite()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        PrepareApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QLocale::setDefault(before);
    }

    // The window with the real message box, over the delivered catalogue (so no box at start).
    void startWithRealBoxes()
    {
        deliverCatalogue();
        win = std::make_unique<TwinMain>(programFolder() + "MelvaneKIRO");
        ASSERT_NO_FATAL_FAILURE(ShowMainWindow(*win));
    }

    // Lists `folder` (ending in "/") in the source pane, as typed into its path field.
    void listInSource(const QByteArray& folder)
    {
        win->SourcePane()->PathField()->setText(QString::fromUtf8(folder));
        ASSERT_EQ(win->Head().SourcePath, folder);
    }

    QIcon rowIcon(const QByteArray& name)
    {
        FileListModel& model = win->SourcePane()->ListModel();
        for (int r = 0; r < model.RowCount(); ++r) {
            if (model.Row(r).name == name)
                return model.data(model.index(r, 0), Qt::DecorationRole).value<QIcon>();
        }
        ADD_FAILURE() << "no row " << name.constData();
        return {};
    }

    void makeFile(const char* name, const QByteArray& content = "hello")
    {
        ASSERT_TRUE(TempFolder::WriteBytes(dir.At(name), content));
    }
};

// An icon theme holding its own glyphs for an action and for MP3 files, in force while it lives.
class ThemeWithIcons {
public:
    ThemeWithIcons()
    {
        const QString root = QFile::decodeName(dir_.Path()) + QStringLiteral("/glyphs");
        QDir().mkpath(root + QStringLiteral("/16x16/actions"));
        QDir().mkpath(root + QStringLiteral("/16x16/mimetypes"));
        QFile index(root + QStringLiteral("/index.theme"));
        EXPECT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=glyphs\nDirectories=16x16/actions,16x16/mimetypes\n"
                    "[16x16/actions]\nSize=16\nType=Fixed\n[16x16/mimetypes]\nSize=16\nType=Fixed\n");
        index.close();
        solid(Qt::red).save(root + QStringLiteral("/16x16/actions/media-playback-start.png"));
        solid(Qt::red).save(root + QStringLiteral("/16x16/actions/edit-copy.png"));
        solid(Qt::blue).save(root + QStringLiteral("/16x16/mimetypes/audio-mpeg.png"));
        searchPaths_ = QIcon::themeSearchPaths();
        themeName_ = QIcon::themeName();
        QIcon::setThemeSearchPaths({QFile::decodeName(dir_.Path())});
        QIcon::setThemeName(QStringLiteral("glyphs"));
    }
    ~ThemeWithIcons()
    {
        QIcon::setThemeName(themeName_);
        QIcon::setThemeSearchPaths(searchPaths_);
    }

    static QImage solid(Qt::GlobalColor color)
    {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(color);
        return image;
    }

private:
    TempFolder dir_;
    QStringList searchPaths_;
    QString themeName_;
};

} // namespace

TEST_F(DesktopWindow, QtsOwnButtonsAreChineseWhateverTheLocaleAndNoQtSettingsFileIsWritten)
{
    startWithRealBoxes();

    BoxAnswer question{QStringLiteral("否"), QStringLiteral("question.png")};
    question.arm();
    EXPECT_EQ(win->MsgDlg().Show(QStringLiteral("删除这个文件吗？"), MsgKind::Confirmation, MsgButtons::YesNo),
              MsgResult::No);
    ASSERT_TRUE(question.seen);
    EXPECT_EQ(question.buttons, (QStringList{"是(&Y)", "否(&N)"}));

    // The layer's error box has Qt's standard OK button, which Qt's translation names.
    BoxAnswer layer{QStringLiteral("确定"), QStringLiteral("layer-error.png")};
    layer.arm();
    win->MsgDlg().ShowLayerError(QStringLiteral("database is locked"));
    ASSERT_TRUE(layer.seen);
    EXPECT_EQ(layer.buttons, QStringList{"确定"});
    EXPECT_EQ(layer.font.families(), PaneFont().families());

    win->grab().save(QStringLiteral(MELVANE_SCREENSHOTS "/main-window.png"));
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    ASSERT_FALSE(config.isEmpty());
    EXPECT_FALSE(QFile::exists(QFile::decodeName(config) + QStringLiteral("/QtProject.conf")));
}

TEST(PaneFontFamilies, SimSunWhereInstalledElseTheDefaultWithACjkSansNeverASerif)
{
    const QString dejaVu = QStringLiteral("DejaVu Sans");
    const QStringList noto = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
    EXPECT_EQ(PaneFontFamilies(noto + QStringList{"SimSun"}, dejaVu), QStringList{"SimSun"});
    EXPECT_EQ(PaneFontFamilies(QStringList{"宋体", "SimSun"} + noto, dejaVu), QStringList{"宋体"});
    EXPECT_EQ(PaneFontFamilies({"simsun"}, dejaVu), QStringList{"simsun"});
    EXPECT_EQ(PaneFontFamilies(noto, dejaVu), (QStringList{dejaVu, "Noto Sans CJK SC"}));
    EXPECT_EQ(PaneFontFamilies({"Noto Serif CJK SC", "WenQuanYi Zen Hei"}, dejaVu),
              (QStringList{dejaVu, "WenQuanYi Zen Hei"}));
    EXPECT_EQ(PaneFontFamilies(noto, "Noto Sans CJK SC"), QStringList{"Noto Sans CJK SC"});
    EXPECT_EQ(PaneFontFamilies({"Noto Serif CJK SC"}, dejaVu), QStringList{dejaVu});
}

namespace {

// How many separate marks a text makes when drawn in a font: "*.*" is three, unless the "." runs into
// an asterisk.
int marksOf(const QString& text, const QFont& font)
{
    QImage image(80, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(5, 28, text);
    }
    int marks = 0;
    bool inMark = false;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = 0; y < image.height() && !ink; ++y)
            ink = qGray(image.pixel(x, y)) < 160;
        marks += ink && !inMark;
        inMark = ink;
    }
    return marks;
}

} // namespace

TEST_F(DesktopWindow, OneFontOfNinePointsInTheWholeWindowAndTheTypeBoxReadsStarDotStar)
{
    deliverCatalogue();
    start();
    const QFont font = PaneFont();
    EXPECT_FALSE(font.families().join(',').contains(QLatin1String("Serif"))) << font.families().join(',').toStdString();

    QList<QWidget*> widgets = win->findChildren<QWidget*>();
    widgets << win.get();
    for (QWidget* w : widgets) {
        EXPECT_EQ(w->font().families(), font.families()) << w->metaObject()->className() << " "
                                                         << w->objectName().toStdString();
        EXPECT_EQ(w->font().pointSize(), 9) << w->objectName().toStdString();
    }
    EXPECT_EQ(QToolTip::font().families(), font.families());

    auto* box = win->findChild<QComboBox*>(QStringLiteral("cmbSourceFileType"));
    ASSERT_EQ(box->currentText(), "*.*");
    EXPECT_EQ(marksOf(box->currentText(), box->font()), 3);
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->currentText()), field.width());
}

TEST_F(DesktopWindow, ActionsKeepTheirOwnGlyphsAndFilesTakeTheThemesTypeIcon)
{
    const ThemeWithIcons theme;
    makeFile("song.mp3");
    deliverCatalogue();
    start();
    for (const char* name : {"aPlay", "aFileCopy"}) {
        const QImage own = imageOf(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name))));
        EXPECT_EQ(imageOf(win->Action(QLatin1String(name))->icon()), own) << name;
        EXPECT_NE(imageOf(win->Action(QLatin1String(name))->icon()), ThemeWithIcons::solid(Qt::red)) << name;
    }
    listInSource(programFolder());
    EXPECT_EQ(imageOf(rowIcon("song.mp3")), ThemeWithIcons::solid(Qt::blue));
}

TEST_F(DesktopWindow, WithoutAnIconThemeFilesShowTheStylesFileIconAndExeFilesTheProgramsOwn)
{
    ASSERT_TRUE(QIcon::themeName().isEmpty() || !QIcon::hasThemeIcon(QStringLiteral("audio-mpeg")));
    makeFile("song.mp3");
    makeFile("notes.zzq");
    makeFile("setup.EXE", "MZ");
    deliverCatalogue();
    start();
    listInSource(programFolder());
    const QImage standard = imageOf(win->style()->standardIcon(QStyle::SP_FileIcon));
    ASSERT_FALSE(standard.isNull());
    EXPECT_EQ(imageOf(rowIcon("song.mp3")), standard);
    EXPECT_EQ(imageOf(rowIcon("notes.zzq")), standard);
    EXPECT_EQ(imageOf(rowIcon("setup.EXE")), imageOf(QIcon(QStringLiteral(":/icons/fileExe.svg"))));
    EXPECT_NE(imageOf(rowIcon("setup.EXE")), standard);
    EXPECT_EQ(imageOf(win->windowIcon(), 48), imageOf(QIcon(QStringLiteral(":/icons/MelvaneKIRO.svg")), 48));
    EXPECT_FALSE(imageOf(win->windowIcon(), 48).isNull());
}

TEST_F(DesktopWindow, HoveringAToolButtonOrAMenuItemLeavesSbpStatusAlone)
{
    deliverCatalogue();
    start();
    auto* status = win->findChild<QLabel*>(QStringLiteral("sbpStatus"));
    status->setText(QStringLiteral("已停止"));
    QAction* play = win->Action(QStringLiteral("aPlay"));

    QWidget* button = win->findChild<QToolBar*>(QStringLiteral("tlbPlay"))->widgetForAction(play);
    struct EnterCounter : QObject {
        int enters = 0;
        bool eventFilter(QObject*, QEvent* e) override { enters += e->type() == QEvent::Enter; return false; }
    } counter;
    button->installEventFilter(&counter);
    QTest::mouseMove(button);
    QTest::mouseMove(button, QPoint(5, 5));
    ASSERT_GE(counter.enters, 1);
    EXPECT_EQ(win->statusBar()->currentMessage(), "");
    EXPECT_TRUE(status->isVisible());

    QMenu* menu = win->findChild<QMenu*>(QStringLiteral("mnuPlay"));
    menu->popup(win->mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseMove(menu, menu->actionGeometry(play).center());
    ASSERT_EQ(menu->activeAction(), play);
    EXPECT_EQ(win->statusBar()->currentMessage(), "");
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text(), "已停止");
    menu->close();
}
