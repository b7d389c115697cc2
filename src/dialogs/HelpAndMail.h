#pragma once

#include <QByteArray>
#include <QString>

inline const char* const kHelpFileName = "KIROHelp.chm";

// The help file beside the program: the program folder (ending in "/") and the file name.
QByteArray HelpFilePath(const QByteArray& appPath);

// True when a regular file (or a link to one) lies at path; a folder of that name is no help file.
bool HelpFileExists(const QByteArray& path);

// The warning shown when the help file is not beside the program.
QString HelpMissingText();

// The program's own help window: its title and first page, the help file's pages compiled in.
QString HelpWindowTitle();
inline const char* const kHelpContentsPage = "qrc:/help/index.html";

// The project's contact address and the URL that opens a new message to it.
inline const char* const kContactAddress = "melvanekiro@users.noreply.example";
QByteArray MailUrl();

// The message shown when no mail program answers the mail item: it gives the address to write to.
QString MailUnansweredText();
