#include "platform/recording_page.h"

namespace corvanta::platform {

RecordingPage::RecordingPage(QSizeF printableMillimetres, const PageState& fresh)
    : Page(fresh), size_(printableMillimetres) {
    // A report page makes a few thousand operations: no growing copies while it runs.
    entries_.reserve(4096);
}

std::vector<RecordingPage::Entry> RecordingPage::entries(PageOperation::Kind kind) const {
    std::vector<Entry> found;
    for (const Entry& entry : entries_) {
        if (entry.operation.kind == kind) {
            found.push_back(entry);
        }
    }
    return found;
}

double RecordingPage::textWidthDots(const QString& text) const {
    return 0.2 * state().fontSize * static_cast<double>(text.size());
}

double RecordingPage::lineHeightDots() const {
    return 0.5 * state().fontSize;
}

void RecordingPage::note(const PageOperation& operation) {
    entries_.push_back(Entry{operation, state()});
}

}  // namespace corvanta::platform
