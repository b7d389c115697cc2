#include "Fixtures.h"
#include "player/ReadAhead.h"

#include <gtest/gtest.h>

namespace {

class ReadAheadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.IsValid());
        for (int i = 0; i < 200000; ++i)
            content.append(static_cast<char>(i * 7 + i / 251));
        int error = 0;
        ASSERT_TRUE(file.Open(WriteFile(dir, "data.bin", content), error));
    }

    QByteArray ReadAt(ReadAhead& reader, long long offset, long long size)
    {
        QByteArray got(size, '\0');
        const long long n = reader.Read(offset, got.data(), size);
        got.resize(n < 0 ? 0 : n);
        return got;
    }

    TempFolder dir;
    QByteArray content;
    NativeFile file;
};

TEST_F(ReadAheadTest, SmallAndLargeReadsInOrderGiveTheFileThenItsEnd)
{
    ReadAhead reader(file);
    QByteArray all;
    for (long long size : {4, 413, 70000, 3, 65536, 64000}) {
        const QByteArray got = ReadAt(reader, all.size(), size);
        EXPECT_EQ(got.size(), size);
        all += got;
    }
    all += ReadAt(reader, all.size(), 1000);  // the last bytes, fewer than asked
    EXPECT_EQ(all, content);
    EXPECT_EQ(ReadAt(reader, content.size(), 10), QByteArray());
}

TEST_F(ReadAheadTest, ReadsBackwardsAndFarAheadLandWhereAsked)
{
    ReadAhead reader(file);
    EXPECT_EQ(ReadAt(reader, 100, 10), content.mid(100, 10));
    EXPECT_EQ(ReadAt(reader, 4, 8), content.mid(4, 8));  // before the buffer's start
    EXPECT_EQ(ReadAt(reader, 150000, 20), content.mid(150000, 20));
    EXPECT_EQ(ReadAt(reader, 150010, 30), content.mid(150010, 30));  // inside the buffer
    EXPECT_EQ(ReadAt(reader, 65530, 20), content.mid(65530, 20));
}

} // namespace
