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
/// The position of the first '|' or LF of `row` at or after `start`; row.size() when none.
std::size_t NextSeparator(std::string_view row, std::size_t start);

template <typename OnToken>
void ForEachToken(std::string_view row, std::string& spliced, OnToken&& onToken) {
    for (std::size_t start = 0; start <= row.size();) {
        const std::size_t end = NextSeparator(row, start);
        std::string_view token = row.substr(start, end - start);
        start = end + 1;
        const std::size_t first = token.find_first_not_of('\t');
        if (first == std::string_view::npos) continue;
        token = token.substr(first, token.find_last_not_of('\t') + 1 - first);
        if (token.find('\t') != std::string_view::npos) {
            spliced.clear();
            for (const char byte : token) {
                if (byte != '\t') spliced.push_back(byte);
            }
            token = spliced;
        }
        if (!onToken(token)) return;
    }
}

/// Splits `length` bytes of a row into `tokens`, which then holds exactly the row's tokens by
/// the rules of ForEachToken; the scan stops once `maxTokens` tokens are found. The strings
/// already in `tokens` are reused, so that splitting many rows into one vector seldom
/// allocates.
void SplitRow(const char* bytes, std::size_t length, std::vector<std::string>& tokens,
              std::size_t maxTokens = static_cast<std::size_t>(-1));

#endif  // TRUV_MODEL_SPLIT_ROW_H
