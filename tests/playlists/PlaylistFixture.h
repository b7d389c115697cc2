#pragma once

#include "playlists/TPlaylistStore.h"
#include "store/TCatalogue.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

// A fresh copy of the delivered catalogue in a temporary program folder, opened, with a store on it.
class PlaylistFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        appPath = QFile::encodeName(dir.path()) + "/";
        const QString file = QFile::decodeName(TCatalogue::FilePath(appPath));
        ASSERT_TRUE(QFile::copy(QStringLiteral(MELVANE_BUILT_CATALOGUE), file));
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        ASSERT_TRUE(catalogue.Open(appPath)) << catalogue.LastError().toStdString();
        store = std::make_unique<TPlaylistStore>(catalogue.Database());
    }

    // What the table holds for a list, read bare: position and stored bytes.
    QList<QByteArray> storedEntries(const QString& id)
    {
        QList<QByteArray> out;
        QSqlQuery q(catalogue.Database());
        q.prepare("select filename, [order] from listdetail where id = ? order by [order]");
        q.addBindValue(id);
        EXPECT_TRUE(q.exec());
        int expected = 0;
        while (q.next()) {
            EXPECT_EQ(q.value(1).toInt(), expected++);
            const QVariant v = q.value(0);
            out.append(v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8());
        }
        return out;
    }

    // An empty file at folder + name, any bytes.
    static void touch(const QByteArray& path)
    {
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0) << path.constData();
        ::close(fd);
    }

    QString newList(const QString& name = QStringLiteral("l"))
    {
        auto id = store->InsertList(name, QString());
        EXPECT_TRUE(id.ok) << id.error.toStdString();
        return id.value;
    }

    QTemporaryDir dir;
    QByteArray appPath;
    TCatalogue catalogue;
    std::unique_ptr<TPlaylistStore> store;
};
