// The row tokenizer that every reader of a catalogue row uses.
#ifndef TRUV_MODEL_SPLIT_ROW_H
#define TRUV_MODEL_SPLIT_ROW_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// Calls `onToken(token)` for each token of `row`, in order, until it returns false. Tokens
/// are separated by '|' and LF; tabs are dropped wherever they stand; empty tokens never
/// appear; spaces are kept. The scan is byte-wise: catalogue rows hold no double-byte character
/// with such a byte inside. A token is a view into `row`, or into `spliced` when tabs stand
/// between its bytes; it is valid until the next token.
template <typename OnToken>
void ForEachToken(std::string_view row, std::string& spliced, OnToken&& onToken) {
    const char* at = row.data();
    const char* const rowEnd = at + row.size();
    for (;;) {
        // One field, up to the next separator: where its first and last bytes other than a tab
        // stand, and whether a tab stands between them.
        const char* first = nullptr;
        const char* last = nullptr;
        bool tabAfterFirst = false;
        bool tabInside = false;
        for (; at != rowEnd && *at != '|' && *at != '\n'; ++at) {
            if (*at == '\t') {
                tabAfterFirst = first != nullptr;
                continue;
            }
            if (first == nullptr) first = at;
            tabInside = tabInside || tabAfterFirst;
            last = at;
        }
        if (first != nullptr) {
            std::string_view token(first, static_cast<std::size_t>(last - first) + 1);
            if (tabInside) {
                spliced.clear();
                for (const char byte : token) {
                    if (byte != '\t') spliced.push_back(byte);
                }
                token = spliced;
            }
            if (!onToken(token)) return;
        }
        if (at == rowEnd) return;
        ++at;  // the separator
    }
}

/// Splits `length` bytes of a row into `tokens`, which then holds exactly the row's tokens by
/// the rules of ForEachToken; the scan stops once `maxTokens` tokens are found. The strings
/// already in `tokens` are reused, so that splitting many rows into one vector seldom
/// allocates.
void SplitRow(const char* bytes, std::size_t length, std::vector<std::string>& tokens,
              std::size_t maxTokens = static_cast<std::size_t>(-1));

#endif  // TRUV_MODEL_SPLIT_ROW_H
