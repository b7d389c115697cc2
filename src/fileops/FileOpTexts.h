#pragma once

#include "FileOpQuestions.h"

#include <QByteArray>
#include <QString>

// The texts of the file-operation job's own windows: its questions, errors and progress.

// The system's text for an errno.
QString SystemReason(int error);

// Reasons of the job's own for refusing an item.
QString SubfolderReason();
QString UnsupportedTypeReason();
QString BadPathReason();

QString TrashQuestion(int count, const QByteArray& onlyPath);
QString CreateFolderQuestion(const QByteArray& path);
QString ErrorMessage(const QByteArray& path, const QString& reason);
QString DeleteForGoodQuestion(const QByteArray& path);

// "3 / 10 项" and the share of the work done, 0 to 1000: by bytes when there are any to carry,
// else by items.
QString ProgressItemsText(const FileOpStats& stats);
int ProgressPermille(const FileOpStats& stats);
