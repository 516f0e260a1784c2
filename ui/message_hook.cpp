#include "message_hook.h"

#include "captions.h"
#include "messages/run_failure.h"

#include <utility>

namespace dxf2csv {
namespace {

MessageHook& messageHook() {
    static MessageHook hook;
    return hook;
}

} // namespace

void setMessageHook(MessageHook hook) { messageHook() = std::move(hook); }

void showMessage(const Message& message, const std::function<void(const Message&)>& box) {
    if (messageHook()) {
        messageHook()(message);
        return;
    }
    box(message);
}

Message failureMessage(std::exception_ptr failure) {
    Message message{std::string(kindName(FailureKind::Unexpected, Language::Japanese)), ""};
    if (!failure) return message;
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const RunFailure& run) {
        message.title = kindName(run.kind(), Language::Japanese);
        message.text = run.file() + "\n";
        if (run.line() > 0) message.text += std::to_string(run.line()) + captions::kLineSuffix;
        message.text += run.detail(Language::Japanese);
    } catch (const std::exception& error) {
        message.text = error.what();
    } catch (...) { // no words of its own
    }
    return message;
}

Message driveNotReady(const std::string& root) { return {captions::kDriveNotReady, root}; }

} // namespace dxf2csv
