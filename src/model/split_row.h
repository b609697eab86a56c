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
/// with such a byte inside. Each token is built in `token`, so the view passed is valid only
/// during the call; a caller that splits many rows with one `token` allocates once.
template <typename OnToken>
void ForEachToken(std::string_view row, std::string& token, OnToken&& onToken) {
    token.clear();
    std::size_t runStart = 0;  // the bytes since the last separator or tab
    for (std::size_t pos = 0; pos <= row.size(); ++pos) {
        const char byte = pos < row.size() ? row[pos] : '|';
        if (byte != '|' && byte != '\n' && byte != '\t') continue;
        token.append(row.data() + runStart, pos - runStart);
        runStart = pos + 1;
        if (byte == '\t' || token.empty()) continue;
        if (!onToken(std::string_view(token))) return;
        token.clear();
    }
}

/// Splits `length` bytes of a row into `tokens` (emptied first) by the rules of ForEachToken;
/// the scan stops once `maxTokens` tokens are found.
void SplitRow(const char* bytes, std::size_t length, std::vector<std::string>& tokens,
              std::size_t maxTokens = static_cast<std::size_t>(-1));

#endif  // TRUV_MODEL_SPLIT_ROW_H
