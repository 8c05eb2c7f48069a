// Small file helpers shared by the tests.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>
#include <gtest/gtest.h>

// Creates or replaces `path` with exactly `bytes`.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Removes the folder `path` (bytes, as the system holds them) and all it holds, names that are
// not UTF-8 too, which QTemporaryDir cannot reach.
inline void removeTree(const QByteArray& path)
{
    std::error_code error;
    std::filesystem::remove_all(path.toStdString(), error);
}

// The whole content of `path`; empty when it cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes `bytes` to the file `name` inside `dir` and returns its path.
inline QString writeFileIn(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    writeFile(path, bytes);
    return path;
}

// A SubRip file of `count` numbered entries, one every two seconds from 0:00:00, each shown for
// `shownMillis` (under a second) with the text "Line N", N counted from 0.
inline QByteArray numberedSrt(int count, int shownMillis, const QByteArray& newline)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const int s = i * 2;
        const QByteArray clock =
            QString::asprintf("%02d:%02d:%02d,", s / 3600, s / 60 % 60, s % 60).toLatin1();
        bytes += QByteArray::number(i + 1) + newline + clock + "000 --> " + clock +
                 QByteArray::number(shownMillis).rightJustified(3, '0') + newline + "Line " +
                 QByteArray::number(i) + newline + newline;
    }
    return bytes;
}

// Waits (at most 15 s) until a file matching `pattern` in `folder` holds at least `size` bytes.
inline bool waitForFile(const QString& folder, const QString& pattern, qint64 size)
{
    for (int i = 0; i < 3000; ++i) {
        for (const QFileInfo& f : QDir(folder).entryInfoList({pattern}, QDir::Files)) {
            if (f.size() >= size)
                return true;
        }
        QThread::msleep(5);
    }
    return false;
}
