// One menu row of the catalogue.
#include "model/menu_item.h"

#include <atomic>

#include "model/split_row.h"

namespace {
// Counted without a locked increment: one thread reads the catalogue at a time, and a count
// lost to two threads at once would only mislead a benchmark.
std::atomic<std::uint64_t> partsTaken{0};
}  // namespace

MenuItem::MenuItem(int moduleNumber_, std::string caption_, std::string moduleKey_,
                   std::string rowText_)
    : moduleNumber(moduleNumber_),
      caption(std::move(caption_)),
      moduleKey(std::move(moduleKey_)),
      rowText(std::move(rowText_)) {
    FindTokenSpans();
}

void MenuItem::FindTokenSpans() {
    std::vector<std::string> tokens;
    SplitRow(rowText.data(), rowText.size(), tokens);
    if (tokens.size() > kSpanRoom || rowText.size() > UINT16_MAX) return;
    std::size_t from = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        // A token that is no stretch of the row had tabs inside: SplitRow scans at every read.
        const std::size_t at = rowText.find(tokens[i], from);
        if (at == std::string::npos) return;
        spans[i] = {static_cast<std::uint16_t>(at), static_cast<std::uint16_t>(tokens[i].size())};
        from = at + tokens[i].size();
    }
    spanCount = static_cast<std::uint8_t>(tokens.size());
}

MenuItem::~MenuItem() = default;

int MenuItem::GetParts(std::string& captionOut, std::string& moduleKeyOut,
                       std::vector<std::string>& tokens) const {
    if (rowText.empty()) return 0;
    partsTaken.store(partsTaken.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    captionOut = caption;
    moduleKeyOut = moduleKey;
    if (spanCount == 0) {
        SplitRow(rowText.data(), rowText.size(), tokens);
        return 1;
    }
    tokens.resize(spanCount);
    for (std::size_t i = 0; i < spanCount; ++i) {
        tokens[i].assign(rowText, spans[i].start, spans[i].length);
    }
    return 1;
}

std::uint64_t MenuItem::PartsTaken() {
    return partsTaken.load(std::memory_order_relaxed);
}
