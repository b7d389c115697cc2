#include "HelpAndMail.h"

#include <sys/stat.h>

QByteArray HelpFilePath(const QByteArray& appPath)
{
    return appPath + kHelpFileName;
}

bool HelpFileExists(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QString HelpMissingText()
{
    return QStringLiteral("[MelvaneKIRO] 没有找到帮助文件 [KIROHelp.chm]！");
}

QString HelpWindowTitle()
{
    // The frame adds the program's name, as it does to every dialog's title.
    return QStringLiteral("帮助");
}

QByteArray MailUrl()
{
    return QByteArrayLiteral("mailto:") + kContactAddress;
}

QString MailUnansweredText()
{
    return QStringLiteral("[MelvaneKIRO] 没有找到邮件程序！\n请用您的邮件程序给 [%1] 发电子邮件。")
        .arg(QLatin1String(kContactAddress));
}
