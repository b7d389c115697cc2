// A pane's whole listing of 10,000 MP3 files that have only an ID3v2 tag against a bare loop that
// opens each with TagLib and reads its five fields.
#include "../panes/BenchSupport.h"


#include <fileref.h>
#include <tag.h>

#include <QGuiApplication>

namespace {

constexpr int kFiles = 10000;
QByteArray g_folder;

QByteArray bigEndian(quint32 n, bool syncsafe)
{
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i) {
        bytes[i] = static_cast<char>(syncsafe ? n & 0x7F : n & 0xFF);
        n >>= syncsafe ? 7 : 8;
    }
    return bytes;
}

// An ID3v2.3 frame: encoding byte and text.
QByteArray frame(const char* id, char encoding, const QByteArray& text)
{
    const QByteArray body = encoding + text;
    return QByteArray(id) + bigEndian(static_cast<quint32>(body.size()), false) + QByteArray(2, '\0') + body;
}

QByteArray utf16(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

// Every other title is Chinese in UTF-16, the others GBK declared ISO-8859-1; 3 KB of padding.
void makeId3v2Folder(const QByteArray& folder, int count)
{
    const QByteArray body(2048, '\x33');
    for (int i = 0; i < count; ++i) {
        const QByteArray number = QByteArray::number(i);
        QByteArray frames = i % 2 == 0
            ? frame("TIT2", 1, utf16(QStringLiteral("月亮代表我的心 ") + QString::number(i)))
            : frame("TIT2", 0, QByteArray("\xB9\xE2\xBB\xD4\xCB\xEA\xD4\xC2 ") + number);
        frames += frame("TPE1", 0, "Some Artist");
        frames += frame("TALB", 1, utf16(QStringLiteral("An Album")));
        frames += frame("TYER", 0, "2003");
        frames += frame("COMM", 0, QByteArray("eng\0Ripped", 10));
        frames += QByteArray(3072, '\0');
        const QByteArray tag = QByteArray("ID3\x03\x00\x00", 6) + bigEndian(static_cast<quint32>(frames.size()), true) + frames;
        const QByteArray file = tag + body;
        const QByteArray path = folder + "song" + number + ".mp3";
        const int fd = ::open(path.constData(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
        if (fd < 0 || ::write(fd, file.constData(), file.size()) != file.size()) {
            std::perror(path.constData());
            std::exit(1);
        }
        ::close(fd);
    }
}

void BM_TagLibLoop(benchmark::State& state)
{
    for (auto _ : state) {
        DIR* dir = ::opendir(g_folder.constData());
        std::size_t characters = 0;
        while (const dirent* entry = ::readdir(dir)) {
            const TagLib::FileRef file((g_folder + entry->d_name).constData(), false);
            if (file.isNull() || !file.tag())
                continue;
            const TagLib::Tag& tag = *file.tag();
            characters += tag.title().size() + tag.artist().size() + tag.album().size() + tag.comment().size()
                + tag.year();
        }
        ::closedir(dir);
        benchmark::DoNotOptimize(characters);
    }
}

void BM_FillFileList(benchmark::State& state)
{
    FillWholeList(state, g_folder, kFiles);
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    g_folder = dir.path().toUtf8() + "/";
    makeId3v2Folder(g_folder, kFiles);
    return RunPairedRounds(argc, argv, "taglib_loop", BM_TagLibLoop, "FillFileList", BM_FillFileList, 1.3);
}
