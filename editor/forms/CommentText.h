// How a device comment fits the comment area of its cell: at the ladder's size, smaller when that
// lets the whole comment fit but never below the readable size, broken into the lines the area
// takes, the last of them ending in "..." when the comment goes on.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace kestrion::forms {

struct FittedComment {
    QFont font;
    QStringList lines;  // each as wide as the area at most; as many as its height takes
    int lineHeight = 0;
};

FittedComment fitComment(const QFont& base, const QString& text, int width, int height, int pixelSize,
                         int smallestPixelSize);

}  // namespace kestrion::forms
