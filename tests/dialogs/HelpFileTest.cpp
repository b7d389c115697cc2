// The compiled help file: every page, picture and table of contents is inside, byte for byte, and
// every link and picture a page names is there to follow.
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QStringDecoder>

namespace {

const QString kChm = QStringLiteral(MELVANE_HELP_FILE);
const QString kSource = QStringLiteral(MELVANE_HELP_SOURCE);

QString run(const char* tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    EXPECT_FALSE(program.isEmpty()) << tool << " (package libchm-bin) is missing";
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The names of the files in the CHM's directory, without the leading "/".
QSet<QString> chmDirectory()
{
    QSet<QString> names;
    static const QRegularExpression row(QStringLiteral("normal file\\s+/(\\S+)$"));
    for (const QString& line : run("enum_chmLib", {kChm}).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = row.match(line.trimmed());
        if (m.hasMatch())
            names.insert(m.captured(1));
    }
    return names;
}

QStringList sourceFiles()
{
    QStringList files;
    QDir dir(kSource);
    for (const QString& name : dir.entryList({QStringLiteral("*.html"), QStringLiteral("*.css")}, QDir::Files))
        files << name;
    for (const QString& name : QDir(kSource + QStringLiteral("/images")).entryList({QStringLiteral("*.png")}, QDir::Files))
        files << QStringLiteral("images/") + name;
    return files;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

} // namespace

TEST(HelpFile, DirectoryHoldsEveryPagePictureAndTheContents)
{
    ASSERT_TRUE(QFile::exists(kChm)) << "the build makes " << kChm.toStdString();
    const QSet<QString> inside = chmDirectory();
    const QStringList files = sourceFiles();
    ASSERT_GE(files.size(), 10);
    for (const QString& file : files)
        EXPECT_TRUE(inside.contains(file)) << file.toStdString();
    EXPECT_TRUE(inside.contains(QStringLiteral("toc.hhc")));
    EXPECT_TRUE(inside.contains(QStringLiteral("index.hhk")));
    EXPECT_TRUE(inside.contains(QStringLiteral("index.html")));
}

TEST(HelpFile, PagesComeOutAsTheyWentInAndTheContentsReachEveryPage)
{
    TempFolder folder;
    ASSERT_TRUE(folder.IsValid());
    const QString out = QFile::decodeName(folder.Path());
    run("extract_chmLib", {kChm, out});
    for (const QString& file : sourceFiles())
        EXPECT_EQ(readAll(out + QLatin1Char('/') + file), readAll(kSource + QLatin1Char('/') + file))
            << file.toStdString();

    // The contents are GBK inside the file; each entry names a page, and each page has an entry.
    QStringDecoder gbk("GBK");
    const QString contents = gbk.decode(readAll(out + QStringLiteral("/toc.hhc")));
    EXPECT_FALSE(gbk.hasError());
    EXPECT_TRUE(contents.contains(QStringLiteral("一步一步整理音乐收藏")));
    static const QRegularExpression local(QStringLiteral("name=\"Local\" value=\"([^\"]+)\""));
    QSet<QString> listed;
    for (const QRegularExpressionMatch& m : local.globalMatch(contents))
        listed.insert(m.captured(1));
    QSet<QString> pages;
    for (const QString& file : sourceFiles()) {
        if (file.endsWith(QLatin1String(".html")))
            pages.insert(file);
    }
    EXPECT_EQ(listed, pages);
}

TEST(HelpFile, EveryLinkAndPictureOfAPageIsInTheFile)
{
    const QSet<QString> inside = chmDirectory();
    static const QRegularExpression target(QStringLiteral("(?:href|src)=\"([^\"#:]+)(?:#[^\"]*)?\""));
    int links = 0;
    for (const QString& file : sourceFiles()) {
        if (!file.endsWith(QLatin1String(".html")))
            continue;
        const QString page = QString::fromUtf8(readAll(kSource + QLatin1Char('/') + file));
        EXPECT_TRUE(page.contains(QLatin1String("charset=utf-8"))) << file.toStdString();
        for (const QRegularExpressionMatch& m : target.globalMatch(page)) {
            ++links;
            EXPECT_TRUE(inside.contains(m.captured(1))) << file.toStdString() << " -> " << m.captured(1).toStdString();
        }
    }
    EXPECT_GT(links, 30);
}

TEST(HelpFile, TheTagPageNamesTheButtonThatWritesByItsCaption)
{
    const QString page = QString::fromUtf8(readAll(kSource + QStringLiteral("/tags.html")));
    EXPECT_TRUE(page.contains(QStringLiteral("按“修改”即可写回文件")));
    EXPECT_FALSE(page.contains(QStringLiteral("确定即可写回"))) << "the tag dialog has no 确定";
}
