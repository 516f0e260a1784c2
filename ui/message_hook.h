#pragma once
// The program's message boxes: how a failure becomes a title and a text, and the hook that
// tests put in place of the box. Both windows show every message through here.

#include <exception>
#include <functional>
#include <string>

namespace dxf2csv {

/// A message box's title and text, in UTF-8.
struct Message {
    std::string title;
    std::string text;
};

/// Every message box of the program goes through this hook when one is set, so that tests see
/// the messages and nothing ever blocks on a modal dialog.
using MessageHook = std::function<void(const Message& message)>;
void setMessageHook(MessageHook hook);

/// Shows `message` through the hook or, when none is set, through `box`: the window's own
/// message box.
void showMessage(const Message& message, const std::function<void(const Message&)>& box);

/// The message that tells `failure`, in Japanese like every text of the window: a RunFailure's
/// kind as the title and its file, then its line and detail, as the text; anything else as an
/// unexpected failure in its own words (none for an exception that is no std::exception, or for
/// no exception at all).
Message failureMessage(std::exception_ptr failure);

/// The message for a drive that cannot be browsed: the title says so, the text is its root.
Message driveNotReady(const std::string& root);

} // namespace dxf2csv
