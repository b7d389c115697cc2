#pragma once

#include "store/TCatalogue.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

// A program folder in a temporary folder holding a copy of the delivered catalogue.
class CatalogueFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        appPath = QFile::encodeName(dir.path()) + "/";
        ASSERT_TRUE(QFile::copy(QStringLiteral(MELVANE_BUILT_CATALOGUE), catalogueFile()));
        QFile::setPermissions(catalogueFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    QString catalogueFile() const { return QFile::decodeName(TCatalogue::FilePath(appPath)); }

    void exec(const QString& statement)
    {
        QSqlQuery q(catalogue.Database());
        ASSERT_TRUE(q.exec(statement)) << statement.toStdString();
    }

    QTemporaryDir dir;
    QByteArray appPath;
    TCatalogue catalogue;
};
