#include "editor/forms/CommentText.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

namespace kestrion::forms {

namespace {

// The text broken into lines of the width: at blanks where it can, anywhere in a word (or a
// script without blanks) that is wider than the line.
// Each line as the position of its first character in the text.
QList<int> wrapped(const QFont& font, const QString& text, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QList<int> starts;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (!text.mid(line.textStart(), line.textLength()).trimmed().isEmpty()) starts << line.textStart();
    }
    layout.endLayout();
    return starts;
}

QString lineAt(const QString& text, const QList<int>& starts, qsizetype index) {
    const int from = starts[index];
    const int to = index + 1 < starts.size() ? starts[index + 1] : static_cast<int>(text.size());
    return text.mid(from, to - from).trimmed();
}

// The start of the text that fits the width with "..." after it.
QString elided(const QFontMetrics& metrics, QString text, int width) {
    const QString dots = "...";
    text = text.trimmed();
    while (!text.isEmpty() && metrics.horizontalAdvance(text + dots) > width) text.chop(1);
    return text.trimmed() + dots;
}

}  // namespace

FittedComment fitComment(const QFont& base, const QString& text, int width, int height, int pixelSize,
                         int smallestPixelSize) {
    FittedComment fitted;
    fitted.font = base;
    fitted.font.setPixelSize(std::max({pixelSize, smallestPixelSize, 1}));
    fitted.lineHeight = fitted.font.pixelSize();
    const QList<int> starts = wrapped(fitted.font, text, std::max(width, 1));
    const qsizetype shown = std::min<qsizetype>(height / fitted.lineHeight, starts.size());
    for (qsizetype i = 0; i < shown; ++i) fitted.lines << lineAt(text, starts, i);
    // The last line that shows takes the rest of the comment, cut to end in "...".
    if (shown > 0 && shown < starts.size())
        fitted.lines.last() = elided(QFontMetrics(fitted.font), text.mid(starts[shown - 1]), width);
    return fitted;
}

}  // namespace kestrion::forms
