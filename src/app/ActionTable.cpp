#include "ActionTable.h"

const QList<ActionSpec>& ActionSpecs()
{
    static const QList<ActionSpec> specs = {
        {"aPlay", "播放", "播放选择的音乐", "Ctrl+P", "", "cPlay"},
        {"aStop", "停止(&S)", "停止播放", "Ctrl+S", "", "cPlay"},
        {"aPause", "暂停(&P)", "暂停播放", "Ctrl+U", "", "cPlay"},
        {"aExit", "退出(&X)", "退出", "", "", "cMisc"},
        {"aNext", "下一个(&N)", "播放下一个音乐", "Ctrl+N", "", "cPlay"},
        {"aPri", "上一个(&P)", "播放上一个音乐", "Ctrl+I", "", "cPlay"},
        {"aRepeatPlay", "反复播放(&R)", "反复播放选择的一个音乐", "", "", "cPlay"},
        {"aFileDelete", "删除(&D)", "删除文件(Del)", "", "", "cFile"},
        {"aFileOpen", "打开(&O)", "打开文件", "Ctrl+O", "", "cFile"},
        {"aMail", "邮件(&M)", "给软件作者发电子邮件", "", "", "cMisc"},
        {"aFileCopy", "复制到(&C)", "把文件从源文件夹复制到目标文件夹(Alt+C)", "", "alt+C", "cFile"},
        {"aSelectAll", "全选(&A)", "全部选择", "Ctrl+A", "", "cFile"},
        {"aFileCut", "剪切到(&X)", "把文件从源文件夹剪切到目标文件夹(Alt+X)", "", "Alt+X", "cFile"},
        {"aFileRename", "重命名(&M)", "文件重命名", "F2", "", "cFile"},
        {"aListNew", "新建(&N)...", "新建自定义播放列表", "", "", "cList"},
        {"aListEdit", "修改(&E)...", "编辑自定义播放列表", "", "", "cList"},
        {"aListDelete", "删除(&D)", "删除自定义播放列表", "", "", "cList"},
        {"aListAddFile", "添加文件(&F)...", "向自定义列表中添加文件", "", "alt+A", "cList"},
        {"aListUp", "向上", "向上移动", "", "", "cList"},
        {"aListDown", "向下", "向下移动", "", "", "cList"},
        {"aListScan", "扫描列表(&S)...", "扫描播放列表完整性", "", "", "cList"},
        {"aOption", "设置选项(&O)...", "设置选项", "", "", "cMisc"},
        {"aFileTag", "TAG信息(&G)...", "MP3ID3Tag信息", "Ctrl+G", "", "cFile"},
        {"aFileTarget", "目标文件夹(&T)", "常用目标文件夹", "Ctrl+T", "", "cFile"},
        {"aReverseSel", "方向选择(&I)", "反向选择", "", "", "cFile"},
        {"aT2N", "TAG音乐名到文件名", "用Tag音乐名更改文件名", "F3", "", "cFile"},
        {"aUnicodeTag", "标签转为Unicode", "把选择的MP3文件的标签写成各种播放器都能读的Unicode", "", "", "cFile"},
        {"aAbout", "关于...", "", "", "", "cMisc"},
        {"aHelp", "帮助", "", "F1", "", "cMisc"},
    };
    return specs;
}

const ActionSpec* FindActionSpec(const QString& name)
{
    for (const ActionSpec& spec : ActionSpecs()) {
        if (name == QLatin1String(spec.name))
            return &spec;
    }
    return nullptr;
}

const QList<MenuSpec>& MainMenuSpecs()
{
    static const QList<MenuSpec> menus = {
        {"mnuFile", "文件(&F)", {{"aFileOpen"}, {"aOption"}, {"-"}, {"aExit"}}},
        {"mnuEdit", "编辑(&E)",
         {{"aFileCopy"}, {"aFileCut"}, {"aFileDelete"}, {"aFileRename"}, {"-"}, {"aFileTarget"}, {"-"},
          {"aFileTag"}, {"aT2N"}, {"aUnicodeTag"}, {"-"}, {"aSelectAll"}, {"aReverseSel"}}},
        {"mnuPlay", "播放(&P)", {{"aPlay"}, {"aRepeatPlay"}, {"aNext"}, {"aPri"}, {"aPause"}, {"aStop"}}},
        {"mnuList", "列表(&L)",
         {{"aListAddFile"}, {"aListNew"}, {"aListDelete"}, {"-"}, {"aListUp"}, {"aListDown"}, {"-"},
          {"aListScan"}}},
        {"mnuHelp", "帮助(&H)", {{"aHelp"}, {"aMail"}, {"aAbout"}}},
    };
    return menus;
}

const QList<MenuSpec>& ToolBarSpecs()
{
    static const QList<MenuSpec> bars = {
        {"tlbPlay", "", {{"aPlay"}, {"aRepeatPlay"}, {"aNext"}, {"aPri"}, {"aPause"}, {"aStop"}}},
        {"tlbFile", "",
         {{"aFileOpen"}, {"aFileTarget"}, {"aFileDelete"}, {"aFileCut"}, {"aFileCopy"}, {"aFileTag"},
          {"aT2N"}, {"|"}, {"aListAddFile"}, {"aListUp"}, {"aListDown"}}},
        {"tlbMisc", "", {{"aOption"}, {"|"}, {"aAbout"}, {"aHelp"}, {"aMail"}, {"aExit"}}},
    };
    return bars;
}

const QList<MenuSpec>& PopupMenuSpecs()
{
    static const QList<MenuSpec> popups = {
        {"pmFolderTv", "",
         {{"pmiRefresh", "刷新(&R)"}, {"-"}, {"pmiFolderCopy", "复制(&C)"}, {"pmiFolderCut", "剪切(&X)"},
          {"-"}, {"pmiFolderNew", "新建(&N)..."}, {"pmiFolderDelete", "删除(&D)"},
          {"pmiFolderRename", "重命名(&M)"}}},
        {"pmFileList", "",
         {{"pmFileRefresh", "刷新(&R)"}, {"aFileTag"}, {"-"}, {"aFileRename"}, {"-"},
          {"pmiFileAdd2New", "添加到新列表(&N)..."}, {"pmiFileAdd2Old", "添加到旧列表(&O)..."}, {"-"},
          {"aSelectAll"}, {"aReverseSel"}}},
        {"pmList", "",
         {{"aListAddFile"}, {"-"}, {"aListNew"}, {"aListEdit"}, {"aListDelete"}, {"-"}, {"aListScan"}}},
        {"pmListDetail", "",
         {{"aListAddFile"}, {"-"}, {"pmiListRefresh", "刷新(&R)"}, {"aFileTag"}, {"-"}, {"aSelectAll"},
          {"aReverseSel"}}},
    };
    return popups;
}

namespace {

// "alt+C" -> "Alt+C": the shown form may write modifiers in any case.
QString portableKeyText(const char* shown)
{
    QStringList parts = QString::fromLatin1(shown).split(QLatin1Char('+'));
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        QString& p = parts[i];
        p = p.left(1).toUpper() + p.mid(1).toLower();
    }
    return parts.join(QLatin1Char('+'));
}

} // namespace

QList<QKeySequence> KeysOf(const ActionSpec& spec)
{
    QList<QKeySequence> keys;
    if (*spec.shortcut != '\0')
        keys.append(QKeySequence::fromString(QLatin1String(spec.shortcut), QKeySequence::PortableText));
    if (*spec.secondary != '\0')
        keys.append(QKeySequence::fromString(portableKeyText(spec.secondary), QKeySequence::PortableText));
    return keys;
}
