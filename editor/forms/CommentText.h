// How a device comment fits the comment area of its cell: at the size given (one for every comment
// of the view, never below the readable size), broken into the lines the area takes, each as high
// as the size (set solid), the last of them ending in "..." when the comment goes on.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace kestrion::forms {

struct FittedComment {
    QFont font;
    QStringList lines;   // each as wide as the area at most; as many as its height takes
    int lineHeight = 0;  // the pitch of the lines: the font's pixel size
};

FittedComment fitComment(const QFont& base, const QString& text, int width, int height, int pixelSize,
                         int smallestPixelSize);

}  // namespace kestrion::forms
