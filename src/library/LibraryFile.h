#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// A file of the photo library opened for reading. The library folder may hold anything under a
// photo's name: a FIFO, a symbolic link to a device, a file another program is still writing.
// The file is opened without blocking (a FIFO with no writer would hold the thread in open()
// for good), taken only when it is a regular file, and never read past the size it had when it
// was opened (a character device reports size 0 and never ends; a growing file is read as it
// was). Every reader of library files goes through here.
//
// Any thread; an object is used by one thread at a time.
class LibraryFile {
    Q_DECLARE_TR_FUNCTIONS(LibraryFile)

public:
    explicit LibraryFile(const QString &path);
    ~LibraryFile();
    LibraryFile(const LibraryFile &) = delete;
    LibraryFile &operator=(const LibraryFile &) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // Why the file is not open: missing, unreadable, or not a regular file.
    QString errorString() const { return error_; }
    // The size when opened.
    qint64 size() const { return size_; }

    // At most `length` bytes from `offset`, never past size(); fewer when the file shrank since,
    // empty when it cannot be read.
    QByteArray read(qint64 offset, qint64 length) const;
    // The same into `to`, which holds at least `length` bytes; returns how many were read.
    qint64 read(qint64 offset, qint64 length, char *to) const;

    // The whole file at `path`, when it can be opened and holds at most `maxBytes`; otherwise
    // empty, with the reason in `error` (an empty file gives empty bytes and no error).
    static QByteArray readAll(const QString &path, qint64 maxBytes, QString *error);

private:
    int fd_ = -1;
    qint64 size_ = 0;
    QString error_;
};
