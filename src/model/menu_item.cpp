// One menu row of the catalogue.
#include "model/menu_item.h"

#include <algorithm>
#include <atomic>
#include <new>

#include "model/split_row.h"

namespace {
// Counted without a locked increment: one thread reads the catalogue at a time, and a count
// lost to two threads at once would only mislead a benchmark.
std::atomic<std::uint64_t> partsTaken{0};
}  // namespace

std::size_t MenuItem::BlockSize(std::string_view caption, std::string_view moduleKey,
                                std::string_view rowText) {
    return sizeof(MenuItem) + caption.size() + moduleKey.size() + rowText.size();
}

MenuItem* MenuItem::Place(void* block, int moduleNumber, std::string_view caption,
                          std::string_view moduleKey, std::string_view rowText) {
    // The item, then its caption, module key and row text end to end.
    char* text = static_cast<char*>(block) + sizeof(MenuItem);
    const auto place = [&text](std::string_view source) {
        const std::string_view placed(text, source.size());
        text = std::copy(source.begin(), source.end(), text);
        return placed;
    };
    const std::string_view captionCopy = place(caption);
    const std::string_view moduleKeyCopy = place(moduleKey);
    const std::string_view rowTextCopy = place(rowText);
    return new (block) MenuItem(moduleNumber, captionCopy, moduleKeyCopy, rowTextCopy);
}

MenuItem* MenuItem::MakeIn(ItemArena& arena, int moduleNumber, std::string_view caption,
                           std::string_view moduleKey, std::string_view rowText) {
    return Place(arena.Take(BlockSize(caption, moduleKey, rowText), alignof(MenuItem)),
                 moduleNumber, caption, moduleKey, rowText);
}

MenuItem::MenuItem(int moduleNumber_, std::string_view caption_, std::string_view moduleKey_,
                   std::string_view rowText_)
    : moduleNumber(moduleNumber_), caption(caption_), moduleKey(moduleKey_), rowText(rowText_) {
    FindTokenSpans();
}

void MenuItem::FindTokenSpans() {
    std::string spliced;
    bool splicedAny = false;
    ForEachToken(rowText, spliced, [&](std::string_view token) {
        splicedAny = token.data() == spliced.data();
        if (!splicedAny) {
            AddSpan({static_cast<std::uint32_t>(token.data() - rowText.data()),
                     static_cast<std::uint32_t>(token.size())});
        }
        return !splicedAny;
    });
    if (!splicedAny) return;
    // A token with tabs inside is no stretch of the row: then every token is kept end to end.
    spanCount = 0;
    moreSpans.clear();
    ForEachToken(rowText, spliced, [&](std::string_view token) {
        AddSpan({static_cast<std::uint32_t>(splicedTokens.size()),
                 static_cast<std::uint32_t>(token.size())});
        splicedTokens.append(token);
        return true;
    });
}

void MenuItem::AddSpan(TokenSpan span) {
    if (spanCount < kSpanRoom) {
        spans[spanCount] = span;
    } else {
        moreSpans.push_back(span);
    }
    ++spanCount;
}

MenuItem::~MenuItem() = default;

int MenuItem::GetParts(std::string_view& captionOut, std::string_view& moduleKeyOut,
                       std::vector<std::string_view>& tokens) const {
    if (rowText.empty()) return 0;
    partsTaken.store(partsTaken.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    captionOut = caption;
    moduleKeyOut = moduleKey;
    const char* const text = SpannedText().data();
    tokens.resize(spanCount);
    std::string_view* const out = tokens.data();
    const std::size_t inlineCount = std::min(spanCount, kSpanRoom);
    for (std::size_t i = 0; i < inlineCount; ++i) out[i] = {text + spans[i].start, spans[i].length};
    for (std::size_t i = inlineCount; i < spanCount; ++i) {
        const TokenSpan& span = moreSpans[i - kSpanRoom];
        out[i] = {text + span.start, span.length};
    }
    return 1;
}

std::uint64_t MenuItem::PartsTaken() {
    return partsTaken.load(std::memory_order_relaxed);
}
