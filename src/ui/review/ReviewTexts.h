#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The words review mode shows beside the photos: where the file on screen stands in the library
// and how many are selected, what an empty library says, and the question asked before files go
// to the trash. Pure functions, so the texts can be checked without a window.
class ReviewTexts {
    Q_DECLARE_TR_FUNCTIONS(ReviewTexts)
public:
    // "2026-12-09_0012.jpg  ·  12 of 300" for the file `name` at `row` (from 0) of `count`, and
    // "  ·  3 selected" after it while more than one file is selected. Without a file on screen
    // (an empty name or a row outside the list) only the selection is told; nothing at all for
    // an empty library.
    static QString place(const QString &name, int row, int count, int selected);

    // Shown in place of the photo while the library holds nothing: a heading and how to fill it.
    static QString emptyTitle();
    static QString emptyHint();

    // The question before moving `paths` to the trash: a single file by its name, several by how
    // many photos and recordings they are. Empty for no paths.
    static QString trashQuestion(const QStringList &paths);
    // The line under it.
    static QString trashDetail(int count);
};
