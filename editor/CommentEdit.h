// Comment editing: device comments (37 characters), block comments (77) and coil comments (45),
// from the comment dialog over the ladder (TCommentEditForm) and from the comment lists, and the
// device names of the inputs and outputs (37) from their list. Texts are typed in the interface
// (UTF-8) and kept in the code page of the interface language, as the comment file holds them;
// every change is one command that marks the program modified.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

struct stLadderBlock;

// Name: the device names, which only the X and Y devices of the PLC type take.
enum class CommentKind { Device, Block, Coil, Name };
constexpr int kCommentKinds = 4;

// The most bytes a comment of the kind keeps: 37, 77, 45, 37.
std::size_t commentLimit(CommentKind kind);
// Device comments and names belong to a device; block and coil comments to a program step.
bool keyedByDevice(CommentKind kind);

constexpr const char* kCommentCaption = "Comment";

// A device as its comment names it: X and Y numbers written in octal digits.
struct CommentDevice {
    char letter = 0;
    std::uint16_t number = 0;  // as written
    std::string text;          // X007, D100
};
// The device of a typed text (x7, X007, D100) that the program's PLC type has; none, after the box
// that says why, for anything else. The quiet form shows nothing.
std::optional<CommentDevice> parseCommentDevice(std::string_view typed);
std::optional<CommentDevice> quietCommentDevice(std::string_view typed);

// One comment as typed. An empty text deletes the comment.
struct TypedComment {
    CommentKind kind = CommentKind::Device;
    std::string device;               // Device, Name: the device as typed
    stLadderBlock* object = nullptr;  // Block, Coil: the object that is to carry a new comment's id
    std::uint16_t commentId = 0;      // Block, Coil: the entry that changes; 0 for a new one
    std::string text;                 // UTF-8
};

// A typed comment checked and in the code page, ready to be written.
struct PreparedComment {
    CommentKind kind = CommentKind::Device;
    CommentDevice device;
    stLadderBlock* object = nullptr;
    std::uint16_t commentId = 0;
    std::string bytes;
};

// Checks typed comments together: their devices, characters the code page cannot keep, and room in
// the comment file for what they add. A comment over its limit is cut there, and the user is told
// so; a device name over its limit, or on a device other than an X or Y of the PLC type, is
// refused. None, after the box that says why, when one is refused; nothing has changed then.
std::optional<std::vector<PreparedComment>> prepareComments(const std::vector<TypedComment>& typed);

// The comment file takes what the prepared comments add (entries within each section's limit,
// bytes within the image); false after the box that says which does not fit.
bool roomForComments(const std::vector<PreparedComment>& prepared);

// Writes prepared comments as one command: entries added, changed or deleted with their counts,
// the ids on the ladder objects, the program marked modified. False when the command failed.
bool applyComments(const std::vector<PreparedComment>& prepared);

// What TCommentEditForm shows and gives back. The core fills it for the framed object; the window
// lets the user change the texts and runs btnOkClick on OK.
struct CommentEditDialog {
    std::string device;  // the device whose comment is shown
    std::string deviceComment;
    bool blockAvailable = false;  // the frame is on a block of the ladder
    std::string blockComment;
    std::string blockLabel;      // which block, for the window
    bool coilAvailable = false;  // the framed object is an output
    std::string coilComment;
    std::string coilLabel;  // which output, for the window

    // Another device typed: its comment is shown instead.
    void deviceChanged(const std::string& typed);
    // OK: the changed texts are checked; false (the box shown, the dialog stays open) when one is
    // refused, true with the changes in `prepared`.
    bool btnOkClick();

    // Filled by the core.
    stLadderBlock* blockObject = nullptr;
    std::uint16_t blockId = 0;
    stLadderBlock* coilObject = nullptr;
    std::uint16_t coilId = 0;
    std::string shownDevice, shownDeviceComment, shownBlockComment, shownCoilComment;
    std::vector<PreparedComment> prepared;
};

// The dialog for the object under the selection frame: its device, the comment of its block and,
// for an output, its coil comment.
CommentEditDialog commentDialogAtFrame();
// Comment > Edit comments (and Ctrl+Enter or Ctrl + double-click on the ladder): the dialog on
// the framed object; OK writes its changes. True when something was written.
bool editCommentsOnFrame();

// ---- The comment lists -----------------------------------------------------------------------------

// One entry of a comment list as its view shows it: the device or the program step, what carries
// the comment in the ladder (coil and block comments), and the comment.
struct CommentListRow {
    std::string key;
    std::string owner;
    std::string comment;
};
// The entries of a list in the order the comment file holds them.
std::vector<CommentListRow> commentListRows(CommentKind kind);
// The row a search leads to: the first from `from` on, wrapping round, whose key, owner or comment
// holds the text (letters in either case); -1 for none.
int findCommentRow(const std::vector<CommentListRow>& rows, std::string_view text, int from);
// A comment changed in place in its list; an empty text deletes the entry. In the device comment
// and device name lists a row past the last adds one to the device typed as its key. False when
// refused (the box shown) or when nothing changed.
bool changeListedComment(CommentKind kind, std::size_t row, const std::string& key, const std::string& text);

// The comment as the window shows it (UTF-8 from the code page).
std::string commentForDisplay(std::string_view bytes);

}  // namespace kestrion
