#include "app/ActionTable.h"
#include "app/AppPath.h"

#include <gtest/gtest.h>

#include <QSet>

TEST(ActionKeys, SecondaryShortcutsInTheirShownFormActAsTheKeyNamed)
{
    const auto keysOf = [](const char* name) {
        QStringList texts;
        for (const QKeySequence& k : KeysOf(*FindActionSpec(QLatin1String(name))))
            texts << k.toString(QKeySequence::PortableText);
        return texts;
    };
    EXPECT_EQ(keysOf("aFileCopy"), QStringList{"Alt+C"});
    EXPECT_EQ(keysOf("aFileCut"), QStringList{"Alt+X"});
    EXPECT_EQ(keysOf("aListAddFile"), QStringList{"Alt+A"});
    EXPECT_EQ(keysOf("aPlay"), QStringList{"Ctrl+P"});
    EXPECT_TRUE(keysOf("aExit").isEmpty());
}

TEST(ActionTables, EveryEntryNamesAnActionOrIsAnItemOfItsOwn)
{
    QSet<QString> keys;
    for (const ActionSpec& spec : ActionSpecs()) {
        for (const QKeySequence& k : KeysOf(spec)) {
            EXPECT_FALSE(keys.contains(k.toString())) << "key used twice: " << k.toString().toStdString();
            keys.insert(k.toString());
        }
    }
    for (const auto* table : {&MainMenuSpecs(), &ToolBarSpecs(), &PopupMenuSpecs()}) {
        for (const MenuSpec& menu : *table) {
            for (const MenuEntry& e : menu.entries) {
                const QString name = QLatin1String(e.name);
                if (name == "-" || name == "|" || e.caption != nullptr)
                    continue;
                EXPECT_NE(FindActionSpec(name), nullptr) << menu.name << ": " << e.name;
            }
        }
    }
}

TEST(AppPath, FolderOfTheProgramFileWithItsSlash)
{
    EXPECT_EQ(AppPathOf("/opt/kiro/bin/MelvaneKIRO"), "/opt/kiro/bin/");
    EXPECT_EQ(AppPathOf("/MelvaneKIRO"), "/");
    EXPECT_EQ(AppPathOf("/opt/\xb8\xe8/MelvaneKIRO"), "/opt/\xb8\xe8/");
}
