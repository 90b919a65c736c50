#include "editor/forms/LadderViewForm.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>

#include "editor/CommentEdit.h"
#include "editor/CursorMoves.h"
#include "editor/forms/CommentText.h"
#include "lang/forms/WidgetText.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"

namespace kestrion::forms {

namespace {

QColor inkColour(Ink ink) {
    switch (ink) {
        case Ink::Wire:
        case Ink::Text: return Qt::black;
        case Ink::Frame: return QColor(0, 0, 255);
        case Ink::EditedRow: return QColor(220, 220, 220);
        case Ink::InsertedRow: return QColor(200, 240, 200);
        case Ink::DeletedRow: return QColor(250, 210, 210);
        case Ink::Comment: return QColor(0, 110, 0);
        case Ink::Monitor: return QColor(0, 120, 255);
        case Ink::MonitorValue: return QColor(200, 0, 0);
    }
    return Qt::black;
}

Qt::Alignment alignmentOf(TextAlign align) {
    switch (align) {
        case TextAlign::Left: return Qt::AlignLeft | Qt::AlignVCenter;
        case TextAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case TextAlign::Center: break;
    }
    return Qt::AlignCenter;
}

// Lines lie on pixel centres so that one-pixel strokes stay sharp with antialiasing on.
void paintPrimitive(QPainter& painter, const Primitive& p) {
    const QColor colour = inkColour(p.ink);
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidth(p.ink == Ink::Frame ? 2 : 1);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF box(QPointF(p.x1 + 0.5, p.y1 + 0.5), QPointF(p.x2 - 0.5, p.y2 - 0.5));
    switch (p.kind) {
        case PrimitiveKind::Line:
            painter.drawLine(QLineF(p.x1 + 0.5, p.y1 + 0.5, p.x2 + 0.5, p.y2 + 0.5));
            break;
        case PrimitiveKind::Rect: painter.drawRect(box); break;
        case PrimitiveKind::FilledRect:
            painter.fillRect(QRect(QPoint(p.x1, p.y1), QPoint(p.x2 - 1, p.y2 - 1)), colour);
            break;
        case PrimitiveKind::Arc: painter.drawArc(box, p.startAngle * 16, p.spanAngle * 16); break;
        case PrimitiveKind::Text: {
            const QRect area(QPoint(p.x1, p.y1), QPoint(p.x2 - 1, p.y2 - 1));
            QFont font = painter.font();
            font.setPixelSize(p.pixelSize);
            if (!p.wrap) {
                painter.setFont(font);
                painter.drawText(area, alignmentOf(p.align), widgetText(p.text));
                break;
            }
            // A comment: the lines that fit the box, the end elided. The lines are set solid, each
            // on the bottom of its pitch (its descent inside it); what an accent takes above the
            // pitch may reach into the line above, never out of the box.
            const FittedComment fitted = fitComment(font, widgetText(p.text), area.width(), area.height(),
                                                    p.pixelSize, kReadablePixelSize);
            painter.save();
            painter.setClipRect(area);
            painter.setFont(fitted.font);
            const Qt::Alignment across = alignmentOf(p.align) & Qt::AlignHorizontal_Mask;
            int y =
                area.top() + (area.height() - static_cast<int>(fitted.lines.size()) * fitted.lineHeight) / 2;
            for (const QString& line : fitted.lines) {
                painter.drawText(QRect(area.left(), y, area.width(), fitted.lineHeight),
                                 static_cast<int>(across | Qt::AlignBottom) | Qt::TextDontClip, line);
                y += fitted.lineHeight;
            }
            painter.restore();
            break;
        }
    }
}

}  // namespace

LadderViewForm::LadderViewForm(QWidget* parent) : QWidget(parent) {
    setObjectName("ladderEditScreen");
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    screen_.onRepaint = [this] {
        syncSize();
        update();
    };
    screen_.onScroll = [this](const ViewScroll& scroll) { scrollAsAsked(scroll); };
    installLadderView(&screen_);
    syncSize();
}

LadderViewForm::~LadderViewForm() {
    if (ladderView() == &screen_) installLadderView(nullptr);
}

QScrollArea* LadderViewForm::scrollArea() const {
    return parentWidget() != nullptr ? qobject_cast<QScrollArea*>(parentWidget()->parentWidget()) : nullptr;
}

void LadderViewForm::syncSize() {
    const QSize wanted(ladderScreenWidth(), ladderScreenHeight());
    if (size() != wanted) resize(wanted);
}

void LadderViewForm::paintEvent(QPaintEvent* event) {
    QRect area = visibleRegion().boundingRect();
    if (area.isEmpty()) area = event->rect();
    // A command's boxes and progress let the window paint while the command still works on the
    // ladder: the view keeps the picture it had before the command until the command has ended (a
    // refused Convert shows its reason over the ladder the user drew, not over the one it read back,
    // which it puts away once the box is closed).
    if (!transaction::active() || painted_.empty())
        painted_ = screen_.build(static_cast<std::uint32_t>(std::max(area.top(), 0)),
                                 static_cast<std::uint32_t>(std::max(area.height(), 0)));
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const Primitive& p : painted_) paintPrimitive(painter, p);
}

void LadderViewForm::focusInEvent(QFocusEvent* event) {
    event->accept();
}

void LadderViewForm::focusOutEvent(QFocusEvent* event) {
    event->accept();
}

// The tool tip over a contact or coil gives its whole device comment, which the cell may cut.
bool LadderViewForm::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::uint32_t zoom = zoomPercent == 0 ? 100 : zoomPercent;
    const auto ladder = [zoom](int screen) {
        return static_cast<std::uint32_t>(std::max(screen, 0)) * 100 / zoom;
    };
    const std::string comment = deviceCommentOfObjectAt(ladder(help->pos().x()), ladder(help->pos().y()));
    if (comment.empty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), widgetText(comment), this);
    }
    return true;
}

// The size first: the ladder may have grown under a position asked for.
void LadderViewForm::scrollAsAsked(const ViewScroll& scroll) {
    syncSize();
    update();
    QScrollArea* area = scrollArea();
    if (area == nullptr) return;
    if (scroll.topY.has_value()) area->verticalScrollBar()->setValue(scaledToScreen(*scroll.topY));
    if (!scroll.frame) return;
    const int x = scaledToScreen(BlueFrame.x1), y = scaledToScreen(BlueFrame.y1);
    const int w = scaledToScreen(BlueFrame.x2 + 1) - x, h = scaledToScreen(BlueFrame.y2 + 1) - y;
    area->ensureVisible(x + w / 2, y + h / 2, w / 2 + 2, h / 2 + 2);
}

void LadderViewForm::afterEdit() {
    syncSize();
    update();
    emit edited();
}

bool LadderViewForm::handleKey(QKeyEvent* event) {
    if (ldrHead == nullptr) return false;
    if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) return false;
    const int key = event->key();
    static const std::pair<int, CursorMove> moves[] = {
        {Qt::Key_Left, CursorMove::Left},      {Qt::Key_Right, CursorMove::Right},
        {Qt::Key_Up, CursorMove::Up},          {Qt::Key_Down, CursorMove::Down},
        {Qt::Key_Home, CursorMove::LineStart}, {Qt::Key_End, CursorMove::LineEnd},
        {Qt::Key_PageUp, CursorMove::PageUp},  {Qt::Key_PageDown, CursorMove::PageDown},
    };
    for (const auto& [moveKey, move] : moves) {
        if (key != moveKey) continue;
        moveCursor(move);
        return true;
    }
    switch (key) {
        case Qt::Key_Insert: toggleInsertMode(); return true;
        case Qt::Key_Delete: deleteFramedObject(); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: openBoxOnFrame(); return true;
        default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return openBoxOnFunctionKey(key - Qt::Key_F1 + 1, (event->modifiers() & Qt::ShiftModifier) != 0);
    const QString text = event->text();
    const bool printable = text.size() == 1 && text[0].unicode() > 0x20 && text[0].unicode() < 0x7F;
    if (!printable) return false;
    openBoxOnKey(static_cast<char>(text[0].toUpper().unicode()));
    return true;
}

void LadderViewForm::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) {
        event->ignore();  // on to the main window
        return;
    }
    event->accept();
    afterEdit();
}

void LadderViewForm::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (ldrHead == nullptr || event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    clickLadderAt(at.x(), at.y());
    afterEdit();
}

// The object under the pointer becomes the framed one first, as a left click makes it, so that
// what the menu opens is about that object.
void LadderViewForm::contextMenuEvent(QContextMenuEvent* event) {
    if (ldrHead == nullptr || !onContextMenu) return;
    clickLadderAt(event->pos().x(), event->pos().y());
    afterEdit();
    onContextMenu(event->globalPos());
}

// A double click opens the instruction box on the object; with Ctrl, the comment dialog.
void LadderViewForm::mouseDoubleClickEvent(QMouseEvent* event) {
    if (ldrHead == nullptr || event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    clickLadderAt(at.x(), at.y());
    if ((event->modifiers() & Qt::ControlModifier) != 0)
        editCommentsOnFrame();
    else
        openBoxOnFrame();
    afterEdit();
}

}  // namespace kestrion::forms
