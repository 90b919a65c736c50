// CommentGroupBox: the comment list beside the ladder, one of the device, block and coil comment
// lists and the device-name list, in the order the comment file holds them. Entries are changed in
// place (an emptied one is deleted; the last row of the device comments and of the device names adds
// one) and a find box leads to the next row that holds a text.
#pragma once

#include <QGroupBox>

#include "editor/CommentEdit.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace kestrion::forms {

class CommentListPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit CommentListPanel(QWidget* parent = nullptr);

    // Shows the list (fills it again from the comment lists).
    void showList(CommentKind kind);
    CommentKind shownKind() const { return kind_; }
    // Beside the ladder the list takes the room of its columns, the ladder the rest.
    QSize sizeHint() const override;

    QLineEdit* CommentFindEdit = nullptr;
    QPushButton* btnCommentFind = nullptr;
    QLabel* CommentFindResult = nullptr;
    QTableWidget* CommentListGrid = nullptr;

    static constexpr int kKeyColumn = 0;
    static constexpr int kOwnerColumn = 1;
    static constexpr int kCommentColumn = 2;

signals:
    // A comment was written: the ladder and the menus follow.
    void edited();

public slots:
    void btnCommentFindClick();

private:
    void fill();
    void captionList();  // the title and the column headers of the list shown
    void CommentListGridItemChanged(QTableWidgetItem* item);

    CommentKind kind_ = CommentKind::Device;
    std::vector<CommentListRow> rows_;
    bool filling_ = false;
};

}  // namespace kestrion::forms
