#pragma once

#include "store/TCatalogue.h"
#include "support/DeliveredCatalogue.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>

// A program folder in a temporary folder holding a copy of the delivered catalogue.
class CatalogueFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.IsValid());
        appPath = dir.Path() + "/";
        ASSERT_FALSE(DeliverCatalogue(appPath).isEmpty());
    }

    QString catalogueFile() const { return QFile::decodeName(TCatalogue::FilePath(appPath)); }

    void exec(const QString& statement)
    {
        QSqlQuery q(catalogue.Database());
        ASSERT_TRUE(q.exec(statement)) << statement.toStdString();
    }

    TempFolder dir;
    QByteArray appPath;
    TCatalogue catalogue;
};
