#include "Fixtures.h"
#include "player/BufferedFd.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class BufferedFdTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (int i = 0; i < 200000; ++i)
            content.append(static_cast<char>(i * 7 + i / 251));
        const QByteArray path = WriteFile(dir, "data.bin", content);
        fd = ::open(path.constData(), O_RDONLY);
        ASSERT_GE(fd, 0);
    }
    void TearDown() override { ::close(fd); }

    QByteArray ReadSome(BufferedFd& reader, size_t size)
    {
        QByteArray got(static_cast<qsizetype>(size), '\0');
        size_t done = 0;
        while (done < size) {
            const ssize_t n = reader.Read(got.data() + done, size - done);
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        got.resize(static_cast<qsizetype>(done));
        return got;
    }

    QTemporaryDir dir;
    QByteArray content;
    int fd = -1;
};

TEST_F(BufferedFdTest, SmallAndLargeReadsGiveTheFileInOrderThenItsEnd)
{
    BufferedFd reader(fd);
    QByteArray all;
    for (size_t size : {4u, 413u, 70000u, 3u, 100000u, 65536u}) {
        all += ReadSome(reader, size);
    }
    EXPECT_EQ(all, content);
    char byte = 0;
    EXPECT_EQ(reader.Read(&byte, 1), 0);
}

TEST_F(BufferedFdTest, SeeksInsideAndOutsideTheBufferLandWhereAsked)
{
    BufferedFd reader(fd);
    EXPECT_EQ(ReadSome(reader, 10), content.left(10));
    EXPECT_EQ(reader.Seek(0, SEEK_CUR), 10);
    EXPECT_EQ(reader.Seek(-6, SEEK_CUR), 4);  // back inside what is buffered
    EXPECT_EQ(ReadSome(reader, 8), content.mid(4, 8));
    EXPECT_EQ(reader.Seek(150000, SEEK_SET), 150000);  // far beyond it
    EXPECT_EQ(ReadSome(reader, 20), content.mid(150000, 20));
    EXPECT_EQ(reader.Seek(-5, SEEK_END), content.size() - 5);
    EXPECT_EQ(ReadSome(reader, 10), content.right(5));
    EXPECT_EQ(reader.Seek(3, SEEK_SET), 3);
    EXPECT_EQ(ReadSome(reader, 4), content.mid(3, 4));
}

TEST_F(BufferedFdTest, ASeekBeforeTheStartFailsAndKeepsThePlace)
{
    BufferedFd reader(fd);
    EXPECT_EQ(ReadSome(reader, 10), content.left(10));
    errno = 0;
    EXPECT_EQ(reader.Seek(-11, SEEK_CUR), -1);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(ReadSome(reader, 5), content.mid(10, 5));
}

} // namespace
