#include "support/ModalDialog.h"
#include "support/RecordingOpener.h"
#include "support/ScriptedMsgDlg.h"
#include "dialogs/ui/RadioGroup.h"
#include "dialogs/ui/TDialogsController.h"
#include "dialogs/ui/utOption.h"
#include "store/CatalogueFixture.h"
#include "store/OptionStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

namespace {

struct Shown {
    bool confirmation, showHideSys, continuous;
    int size, t2f;
};

Shown controlsOf(QWidget* dialog)
{
    return {dialog->findChild<QCheckBox*>("ckbConfirmation")->isChecked(),
            dialog->findChild<QCheckBox*>("ckbShowSH")->isChecked(),
            dialog->findChild<QCheckBox*>("ckbContinuous")->isChecked(),
            dialog->findChild<TRadioGroup*>("rgSize")->ItemIndex(),
            dialog->findChild<TRadioGroup*>("rgT2FMode")->ItemIndex()};
}

void click(QWidget* dialog, const char* button)
{
    QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

void choose(QWidget* dialog, const char* group, int item)
{
    const auto radios = dialog->findChild<TRadioGroup*>(QLatin1String(group))->findChildren<QRadioButton*>();
    QTest::mouseClick(radios.at(item), Qt::LeftButton);
}

class OptionDialogTest : public CatalogueFixture {
protected:
    void SetUp() override
    {
        CatalogueFixture::SetUp();
        ASSERT_TRUE(catalogue.Open(appPath));
        window.show();
        controller = std::make_unique<TDialogsController>(head, catalogue, msg, opener, &window);
    }

    QString stored(const char* name)
    {
        QSqlQuery q(catalogue.Database());
        q.prepare(QStringLiteral("select value from [option] where name = ?"));
        q.addBindValue(QLatin1String(name));
        EXPECT_TRUE(q.exec() && q.next()) << name;
        return q.value(0).toString();
    }

    void storeRow(const char* name, const QString& value)
    {
        QSqlQuery q(catalogue.Database());
        q.prepare(QStringLiteral("update [option] set value = ? where name = ?"));
        q.addBindValue(value);
        q.addBindValue(QLatin1String(name));
        ASSERT_TRUE(q.exec());
    }

    void open(const ModalDrive& drive)
    {
        DriveModal([this] { controller->aOptionExecute(); }, drive);
        EXPECT_EQ(controller->winOption(), nullptr) << "a closed dialog is gone";
    }

    THead head;
    ScriptedMsgDlg msg;
    RecordingOpener opener;
    QWidget window;
    std::unique_ptr<TDialogsController> controller;
};

} // namespace

TEST_F(OptionDialogTest, EachOpeningShowsTheStoredValuesOnAFreshDialog)
{
    // The dialog draws with its own font, whatever the program's font is on this screen.
    const QFont programFont = QApplication::font();
    QFont larger = programFont;
    larger.setPixelSize(20);
    QApplication::setFont(larger);
    head.bConfirmation = true;
    head.bContinuous = false;
    head.bShowHideSys = true;
    head.iFileSizeUnit = 0;
    head.iT2FMode = 1;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        open([](QWidget* dialog) {
            EXPECT_EQ(dialog->objectName(), "winOption");
            EXPECT_EQ(dialog->windowTitle(), "设置选项");
            EXPECT_EQ(dialog->findChild<QTabWidget*>("pcOption")->currentIndex(), 0);
            const auto at = [dialog](const char* name) { return dialog->findChild<QWidget*>(QLatin1String(name))->pos(); };
            EXPECT_EQ(at("ckbConfirmation"), QPoint(24, 16));
            EXPECT_EQ(at("ckbShowSH"), QPoint(24, 48));
            EXPECT_EQ(at("rgSize"), QPoint(24, 80));
            EXPECT_EQ(at("rgT2FMode"), QPoint(24, 160));
            EXPECT_EQ(at("ckbContinuous"), QPoint(24, 16));
            // Each group is whole within its page and no item's text is cut, whatever the CJK font's height.
            for (const char* name : {"rgSize", "rgT2FMode"}) {
                auto* group = dialog->findChild<TRadioGroup*>(QLatin1String(name));
                EXPECT_LT(group->geometry().bottom(), group->parentWidget()->height()) << name;
                for (const QRadioButton* item : group->findChildren<QRadioButton*>()) {
                    EXPECT_LE(item->geometry().bottom(), group->contentsRect().bottom()) << name;
                    EXPECT_GE(item->height(), QFontMetrics(item->font()).boundingRect(item->text()).height()) << name;
                }
            }
            EXPECT_EQ(dialog->findChild<QWidget*>("btnDefault")->geometry(), QRect(32, 296, 75, 25));
            EXPECT_EQ(at("btnOk"), QPoint(216, 296));
            EXPECT_EQ(at("btnCancel"), QPoint(304, 296));
            const Shown c = controlsOf(dialog);
            EXPECT_TRUE(c.confirmation);
            EXPECT_TRUE(c.showHideSys);
            EXPECT_FALSE(c.continuous);
            EXPECT_EQ(c.size, 0);
            EXPECT_EQ(c.t2f, 1);
            // Changes that Cancel throws away must not reach the next opening.
            QTest::mouseClick(dialog->findChild<QCheckBox*>("ckbShowSH"), Qt::LeftButton);
            choose(dialog, "rgT2FMode", 2);
            dialog->findChild<QTabWidget*>("pcOption")->setCurrentIndex(1);
            click(dialog, "btnCancel");
        });
    }
    QApplication::setFont(programFont);
    EXPECT_TRUE(head.bShowHideSys);
    EXPECT_EQ(head.iT2FMode, 1);
}

TEST_F(OptionDialogTest, DefaultPutsTheDefaultsOnTheControlsOnlyAndCancelDropsThem)
{
    LoadOptions(catalogue.Database(), head);
    head.bConfirmation = false;
    head.bContinuous = false;
    head.iFileSizeUnit = 0;
    head.iT2FMode = 0;
    const THead before = head;
    const QString storedT2F = stored("iT2FMode");

    msg.answers = {MsgResult::No, MsgResult::Yes};
    open([&](QWidget* dialog) {
        click(dialog, "btnDefault");
        const Shown unchanged = controlsOf(dialog);
        EXPECT_FALSE(unchanged.confirmation) << "No leaves the controls";
        EXPECT_EQ(unchanged.t2f, 0);

        click(dialog, "btnDefault");
        const Shown d = controlsOf(dialog);
        EXPECT_TRUE(d.confirmation);
        EXPECT_FALSE(d.showHideSys);
        EXPECT_TRUE(d.continuous);
        EXPECT_EQ(d.size, 1);
        EXPECT_EQ(d.t2f, 2);
        EXPECT_EQ(head.iT2FMode, 0) << "nothing is taken over before OK";
        click(dialog, "btnCancel");
    });
    ASSERT_EQ(msg.shown.size(), 2);
    EXPECT_EQ(msg.shown[0].text, "恢复为默认设置吗？");
    EXPECT_EQ(msg.shown[0].kind, MsgKind::Confirmation);
    EXPECT_EQ(msg.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_FALSE(head.bConfirmation);
    EXPECT_FALSE(head.bContinuous);
    EXPECT_EQ(head.iFileSizeUnit, before.iFileSizeUnit);
    EXPECT_EQ(head.iT2FMode, before.iT2FMode);
    EXPECT_EQ(stored("iT2FMode"), storedT2F);
}

TEST_F(OptionDialogTest, OkTakesOverAndStoresTheControlsButNeverTheTryCount)
{
    storeRow("iTryMaxCount", QStringLiteral("7"));
    storeRow("iFileSizeUnit", QStringLiteral("5"));
    storeRow("iT2FMode", QStringLiteral("-3"));
    storeRow("bShowHideSys", QStringLiteral("y"));
    ASSERT_TRUE(LoadOptions(catalogue.Database(), head).ok());
    head.iTryMaxCount = 12;

    open([](QWidget* dialog) {
        const Shown c = controlsOf(dialog);
        EXPECT_TRUE(c.showHideSys);
        EXPECT_EQ(c.size, 1) << "5 is past the last unit";
        EXPECT_EQ(c.t2f, -1) << "a negative mode chooses none";
        QTest::mouseClick(dialog->findChild<QCheckBox*>("ckbShowSH"), Qt::LeftButton);
        dialog->findChild<QTabWidget*>("pcOption")->setCurrentIndex(1);
        QTest::mouseClick(dialog->findChild<QCheckBox*>("ckbContinuous"), Qt::LeftButton);
        click(dialog, "btnOk");
    });
    EXPECT_FALSE(head.bShowHideSys);
    EXPECT_EQ(head.iFileSizeUnit, 1);
    EXPECT_EQ(head.iT2FMode, -1);
    EXPECT_EQ(head.iTryMaxCount, 12);
    EXPECT_EQ(stored("bShowHideSys"), "F");
    EXPECT_EQ(stored("bContinuous"), head.bContinuous ? "T" : "F");
    EXPECT_EQ(stored("iFileSizeUnit"), "1");
    EXPECT_EQ(stored("iT2FMode"), "-1");
    EXPECT_EQ(stored("iTryMaxCount"), "7");
    EXPECT_TRUE(msg.layerErrors.isEmpty());
}

TEST_F(OptionDialogTest, EscClosesWithoutChangesWhereverTheFocusIs)
{
    head.iFileSizeUnit = 0;
    const QString storedUnit = stored("iFileSizeUnit");
    for (const char* focus : {"ckbConfirmation", "rgSize", "btnOk"}) {
        SCOPED_TRACE(focus);
        open([focus](QWidget* dialog) {
            choose(dialog, "rgSize", 1);
            QWidget* target = dialog->findChild<QWidget*>(QLatin1String(focus));
            if (auto* group = qobject_cast<TRadioGroup*>(target))
                target = group->findChildren<QRadioButton*>().at(1);
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
        });
        EXPECT_EQ(head.iFileSizeUnit, 0);
    }
    EXPECT_EQ(stored("iFileSizeUnit"), storedUnit);
}

TEST_F(OptionDialogTest, ACatalogueThatRefusesTheWriteKeepsTheDialogOpenAndSaysWhy)
{
    ASSERT_TRUE(LoadOptions(catalogue.Database(), head).ok());
    const QString storedUnit = stored("iFileSizeUnit");
    ASSERT_TRUE(catalogue.Execute(QStringLiteral("PRAGMA query_only = ON")));
    const int unit = head.iFileSizeUnit;

    open([&](QWidget* dialog) {
        choose(dialog, "rgSize", 1 - unit);
        click(dialog, "btnOk");
        EXPECT_TRUE(dialog->isVisible()) << "the dialog stays open when storing fails";
        EXPECT_EQ(msg.layerErrors, QStringList{"数据库文件只能读取，更改没有保存。"});
        click(dialog, "btnCancel");
    });
    // The values were taken over before the store refused them; the table keeps the old ones.
    EXPECT_EQ(head.iFileSizeUnit, 1 - unit);
    EXPECT_EQ(stored("iFileSizeUnit"), storedUnit);
}

TEST_F(OptionDialogTest, WithoutAConnectionOkShowsTheLayersTextAndStaysOpen)
{
    catalogue.Close();
    open([&](QWidget* dialog) {
        click(dialog, "btnOk");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(msg.layerErrors.size(), 1);
        click(dialog, "btnCancel");
    });
}
