#pragma once

#include "playlists/TPlaylistStore.h"
#include "store/CatalogueFixture.h"

// A fresh copy of the delivered catalogue in a temporary program folder, opened, with a store on it.
class PlaylistFixture : public CatalogueFixture {
protected:
    void SetUp() override
    {
        CatalogueFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
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

    QString newList(const QString& name = QStringLiteral("l"))
    {
        auto id = store->InsertList(name, QString());
        EXPECT_TRUE(id.ok) << id.error.toStdString();
        return id.value;
    }

    std::unique_ptr<TPlaylistStore> store;
};
