#include "AboutText.h"

#include "HelpAndMail.h"

QString AboutVersionText()
{
    return QStringLiteral("4.0版 ( Version 4.0 )");
}

QString AboutContactLine()
{
    return QStringLiteral("联系：\n%1").arg(QLatin1String(kContactAddress));
}

QString AboutNote()
{
    return QStringLiteral(
        "感谢使用 MelvaneKIRO！\n"
        "上面的窗格是源文件夹，下面的窗格是目标文件夹：边听边把喜欢的音乐复制或剪切到目标文件夹。\n"
        "删除的文件进入回收站，可以从回收站找回。\n"
        "按 F1 打开帮助；有问题或建议，请用“帮助”菜单中的“邮件”给我们写信。");
}

const QStringList& HotkeyLines()
{
    static const QStringList lines = {
        QStringLiteral("文件操作："),
        QStringLiteral("Alt+C  把在源文件夹中选择的文件复制到目标文件夹"),
        QStringLiteral("Alt+X  把在源文件夹中选择的文件剪切到目标文件夹"),
        QStringLiteral("Del    删除选择的文件到回收站"),
        QStringLiteral("F2     给选择的一个文件重命名"),
        QStringLiteral("Ctrl+T 打开目标文件夹列表"),
        QStringLiteral("Ctrl+D 查看MP3文件的TAG信息"),
        QStringLiteral("F3     用TAG音乐名更改MP3文件的文件名"),
        QStringLiteral("Ctrl+A 选择列表中的所有文件"),
        QStringLiteral("Ctrl+O 用系统默认的程序打开指定的一个文件"),
        QString(),
        QStringLiteral("播放操作："),
        QStringLiteral("Ctrl+P 播放选择的文件"),
        QStringLiteral("Ctrl+N 播放下一个文件"),
        QStringLiteral("Ctrl+I 播放上一个文件"),
        QStringLiteral("Ctrl+U 暂停播放"),
        QStringLiteral("Ctrl+S 停止播放"),
        QString(),
        QStringLiteral("自定义播放列表操作："),
        QStringLiteral("Ctrl+F 添加文件到播放列表"),
        QString(),
        QStringLiteral("其他："),
        QStringLiteral("F1     打开帮助"),
    };
    return lines;
}
